#include "sheet/PracticeFocus.h"

#include "sheet/SheetMaker.h"

namespace divisheet {

namespace {

bool meets(Presence presence, bool has)
{
    return presence == Presence::Either || has == (presence == Presence::Always);
}

bool meets(CorrectionFocus focus, const WorkingTags &tags)
{
    switch (focus) {
    case CorrectionFocus::Any: return true;
    case CorrectionFocus::None: return tags.corrections == 0;
    case CorrectionFocus::One: return tags.corrections == 1;
    case CorrectionFocus::TwoOrMore: return tags.corrections >= 2;
    case CorrectionFocus::FromNine: return tags.fromNine;
    }
    return false;
}

bool oneDigitDivisor(const ProblemSettings &settings)
{
    return settings.divisor == DivisorClass::Fixed || settings.divisor == DivisorClass::D1_9;
}

} // namespace

bool PracticeFocus::picks() const
{
    return zeroInQuotient != Presence::Either || lateStart != Presence::Either
        || corrections != CorrectionFocus::Any || dividendDigits != 0;
}

bool PracticeFocus::accepts(const Problem &problem) const
{
    if (!picks())
        return true;
    const WorkingTags tags = workingTags(problem, estimate);
    return meets(zeroInQuotient, tags.zeroInQuotient) && meets(lateStart, tags.lateStart)
        && meets(corrections, tags) && (dividendDigits == 0 || tags.dividendDigits == dividendDigits);
}

QString focusProblem(const ProblemSettings &settings, const PracticeFocus &focus)
{
    if (focus.zeroInQuotient == Presence::Always && settings.quotient == QuotientClass::Q1_9)
        return QStringLiteral("a quotient of 1..9 has one digit, so it has no 0 after its first");
    if (focus.corrections != CorrectionFocus::Any && oneDigitDivisor(settings))
        return QStringLiteral("a divisor of one digit is divided without an estimate to correct");
    if (focus.dividendDigits < 0 || focus.dividendDigits > 5)
        return QStringLiteral("a dividend has 1 to 5 digits, not %1").arg(focus.dividendDigits);
    if (focus.picks() && !isRandomCatalogue(settings) && focusedCatalogue(settings, focus).empty())
        return QStringLiteral("no problem of these settings has that focus");
    return {};
}

std::vector<Problem> focusedCatalogue(const ProblemSettings &settings, const PracticeFocus &focus)
{
    Q_ASSERT_X(!isRandomCatalogue(settings), "focusedCatalogue", "a random catalogue is drawn, not listed");
    std::vector<Problem> picked;
    forEachSheetCatalogueProblem(settings, 0, {}, [&focus, &picked](const Problem &p) {
        if (focus.accepts(p))
            picked.push_back(p);
    });
    return picked;
}

} // namespace divisheet
