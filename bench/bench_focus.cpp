// Sheets with a practice focus against the same settings without one. Every allowed setting
// under each choice that applies is made as the command line makes its sheets, to find where a
// focus costs most; then the window regenerates that setting and the largest catalogue, with
// and without their focus, in the same run.

#include "Harness.h"

#include "app/UnitDivisheet.h"
#include "platform/Buttons.h"
#include "platform/RadioGroup.h"
#include "sheet/FocusedCatalogue.h"
#include "sheet/SheetMaker.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <memory>
#include <string>

namespace divisheet::bench {
namespace {

using P = Presence;
using C = CorrectionFocus;

const PracticeFocus kChoices[] = {
    {P::Always}, {P::Never}, {P::Either, P::Always}, {P::Either, P::Never},
    {P::Either, P::Either, C::None}, {P::Either, P::Either, C::One}, {P::Either, P::Either, C::TwoOrMore},
    {P::Either, P::Either, C::FromNine}, {P::Either, P::Either, C::Any, Estimate::Round, false, 3},
    {P::Either, P::Either, C::Any, Estimate::Round, true},
};

std::string name(const ProblemSettings &s)
{
    const QString text = QStringLiteral("%1 / %2%3 %4")
                             .arg(quotientClassName(s.quotient), divisorClassName(s.divisor, s.fixedDivisor),
                                  s.withRemainder ? QStringLiteral(" r") : QString(), focusWords(s.focus));
    return text.toStdString();
}

double sheetMs(const ProblemSettings &settings, int runs)
{
    Options few;
    few.runs = runs;
    quint32 seed = 1;
    return measure("", few, [&] {
               const std::vector<Problem> sheet = makeSheet(settings, {seed, seed + 1});
               seed += 2;
               keep(sheet.data());
           }).medianMs;
}

struct Worst
{
    ProblemSettings settings{};
    double ratio = 0;
};

// The setting and choice whose sheets cost most against the same setting without a focus,
// once the first sheet has paid for the filtering.
Worst worstFocus(Report &report)
{
    Worst worst;
    int pairs = 0;
    for (const QuotientClass q : allQuotientClasses)
        for (const DivisorClass d : allDivisorClasses)
            for (const bool remainder : {false, true}) {
                const ProblemSettings plain{q, d, 2, remainder}; // the panel's fixed divisor
                if (!settingsProblem(plain).isEmpty())
                    continue;
                const double unfocused = sheetMs(plain, 5);
                for (const PracticeFocus &focus : kChoices) {
                    ProblemSettings s = plain;
                    s.focus = focus;
                    if (focusFault(s) != FocusFault::None)
                        continue;
                    makeSheet(s, {0, 0}); // the filtering and the sample, once
                    const double ratio = sheetMs(s, 5) / std::max(unfocused, 0.001);
                    ++pairs;
                    if (ratio > worst.ratio)
                        worst = {s, ratio};
                }
            }
    report.note("sheets made for " + std::to_string(pairs) + " pairs of a setting and a focus; the costliest: "
                + name(worst.settings));
    return worst;
}

// The panel's object names spell the classes with "_" for "..": RadioButtonKotae11_99.
QString buttonName(const QString &prefix, const QString &className)
{
    return prefix + QString(className).replace(QStringLiteral(".."), QStringLiteral("_"));
}

std::unique_ptr<TFormDivisheet> formOf(const ProblemSettings &s)
{
    auto form = std::make_unique<TFormDivisheet>();
    const auto click = [&form](const QString &name) { form->findChild<TRadioButton *>(name)->click(); };
    click(s.divisor == DivisorClass::Fixed ? QStringLiteral("RadioButtonWaruKotei")
                                           : buttonName(QStringLiteral("RadioButtonWaru"), divisorClassName(s.divisor, 0)));
    click(buttonName(QStringLiteral("RadioButtonKotae"), quotientClassName(s.quotient)));
    form->findChild<TRadioGroup *>(QStringLiteral("RadioGroupAmari"))->setItemIndex(s.withRemainder ? 1 : 0);
    form->show();
    QCoreApplication::processEvents();
    return form;
}

// The window's regeneration of `focused` and of its setting without the focus.
void regeneration(Report &report, const Options &options, const ProblemSettings &focused, const std::string &what)
{
    const auto form = formOf(focused);
    const std::string plainLabel = what + ": regeneration without the focus";
    const std::string focusLabel = what + ": regeneration with " + focusWords(focused.focus).toStdString();
    const auto regenerate = [&form] { form->DataHsseiSuutiSentakuComponentByouga(nullptr); };
    const auto events = [] { QCoreApplication::processEvents(); };
    report.add(measure(plainLabel, options, events, regenerate));
    ProblemSettings plain = focused;
    plain.focus = {};
    if (const auto recipe = form->sheetRecipe(); !recipe || !(recipe->settings == plain))
        report.note("WARNING: the window's settings are not those asked for");
    form->setPracticeFocus(focused.focus);
    QElapsedTimer first;
    first.start();
    regenerate();
    report.note(what + ": the first sheet with the focus took " + std::to_string(double(first.nsecsElapsed()) / 1e6)
                + " ms");
    report.add(measure(focusLabel, options, events, regenerate));
    report.addRatio(what + ": focused / unfocused", focusLabel, plainLabel);
}

void focusBenchmark(Report &report, const Options &options)
{
    // The largest catalogue (90,000 problems) with its rarest choice.
    const ProblemSettings plain{QuotientClass::Q1_9, DivisorClass::D1000_9999, 2, false};
    ProblemSettings largest = plain;
    int fewest = sheetCatalogueSize(plain, {});
    qint64 slowestNs = 0; // the filtering, which a setting and focus pay once
    for (const PracticeFocus &focus : kChoices) {
        ProblemSettings s = plain;
        s.focus = focus;
        QElapsedTimer filtering;
        filtering.start();
        const int size = focusFault(s) == FocusFault::None ? sheetCatalogueSize(s, {}) : fewest;
        slowestNs = std::max(slowestNs, filtering.nsecsElapsed());
        if (!focus.mixedRemainder && size < fewest) {
            largest = s;
            fewest = size;
        }
    }
    report.note("largest catalogue: the slowest first filtering of its 90,000 problems took "
                + std::to_string(double(slowestNs) / 1e6) + " ms");
    regeneration(report, options, largest, "largest catalogue");
    const Worst worst = worstFocus(report);
    regeneration(report, options, worst.settings, "costliest pair " + name(worst.settings));
    report.note("target: each focused / unfocused ratio within 3");
}

const Registration focusRegistration("focus", "sheets with a practice focus against the same settings without",
                                     focusBenchmark);

} // namespace
} // namespace divisheet::bench
