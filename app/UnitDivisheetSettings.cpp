#include "app/UnitDivisheet.h"

#include "ui_UnitDivisheet.h"

#include "sheet/ProblemCatalogue.h"
#include "platform/Conversions.h"

#include <variant>

// The settings panel of the main form: the kind of problem the next sheet is made of.

using namespace divisheet;

namespace {

// The radio buttons of the settings panel: the class each stands for and its handler.
struct ClassButton
{
    TRadioButton *Ui::TFormDivisheet::*button;
    std::variant<DivisorClass, QuotientClass> kind;
    TFormDivisheet::Handler handler;
};

using F = TFormDivisheet;
using U = Ui::TFormDivisheet;
const ClassButton kClassButtons[] = {
    {&U::RadioButtonWaruKotei, DivisorClass::Fixed, &F::RadioButtonWaruKoteiClick},
    {&U::RadioButtonWaru1_9, DivisorClass::D1_9, &F::RadioButtonWaru1_9Click},
    {&U::RadioButtonWaru10_90, DivisorClass::D10_90, &F::RadioButtonWaru10_90Click},
    {&U::RadioButtonWaru11_99, DivisorClass::D11_99, &F::RadioButtonWaru11_99Click},
    {&U::RadioButtonWaru100_900, DivisorClass::D100_900, &F::RadioButtonWaru100_900Click},
    {&U::RadioButtonWaru101_909, DivisorClass::D101_909, &F::RadioButtonWaru101_909Click},
    {&U::RadioButtonWaru110_990, DivisorClass::D110_990, &F::RadioButtonWaru110_990Click},
    {&U::RadioButtonWaru111_999, DivisorClass::D111_999, &F::RadioButtonWaru111_999Click},
    {&U::RadioButtonWaru1000_9999, DivisorClass::D1000_9999, &F::RadioButtonWaru1000_9999Click},
    {&U::RadioButtonKotae1_9, QuotientClass::Q1_9, &F::RadioButtonKotae1_9Click},
    {&U::RadioButtonKotae10_90, QuotientClass::Q10_90, &F::RadioButtonKotae10_90Click},
    {&U::RadioButtonKotae11_99, QuotientClass::Q11_99, &F::RadioButtonKotae11_99Click},
    {&U::RadioButtonKotae100_900, QuotientClass::Q100_900, &F::RadioButtonKotae100_900Click},
    {&U::RadioButtonKotae101_909, QuotientClass::Q101_909, &F::RadioButtonKotae101_909Click},
    {&U::RadioButtonKotae110_990, QuotientClass::Q110_990, &F::RadioButtonKotae110_990Click},
    {&U::RadioButtonKotae111_999, QuotientClass::Q111_999, &F::RadioButtonKotae111_999Click},
};

} // namespace

void TFormDivisheet::wireClassButtons()
{
    for (const ClassButton &entry : kClassButtons)
        wireClick(ui.get()->*entry.button, entry.handler);
}

void TFormDivisheet::commitTypedSettings()
{
    ui->SpinEditDan->commitTyped();
}

ProblemSettings TFormDivisheet::currentSettings() const
{
    ProblemSettings settings{QuotientClass::Q1_9, DivisorClass::Fixed, ui->SpinEditDan->value(),
                             ui->RadioGroupAmari->itemIndex() != 0};
    for (const ClassButton &entry : kClassButtons) {
        if (!(ui.get()->*entry.button)->isChecked())
            continue;
        if (const auto *divisor = std::get_if<DivisorClass>(&entry.kind))
            settings.divisor = *divisor;
        else
            settings.quotient = std::get<QuotientClass>(entry.kind);
    }
    return settings;
}

void TFormDivisheet::applySheetSettings(const ProblemSettings &settings, bool framesShown, bool answersIncluded)
{
    // The remainder first: it sets the spin edit's minimum, which a fixed divisor of 1 needs.
    ui->RadioGroupAmari->setItemIndex(settings.withRemainder ? 1 : 0);
    if (settings.divisor == DivisorClass::Fixed)
        ui->SpinEditDan->setValue(settings.fixedDivisor);
    for (const ClassButton &entry : kClassButtons) {
        const auto *divisor = std::get_if<DivisorClass>(&entry.kind);
        if (divisor ? *divisor == settings.divisor : std::get<QuotientClass>(entry.kind) == settings.quotient)
            (ui.get()->*entry.button)->setChecked(true);
    }
    ui->CheckBoxRuledLine->setChecked(framesShown);
    ui->CheckBoxPrintAnswer->setChecked(answersIncluded);
}

void TFormDivisheet::RadioGroupAmariClick(QObject *Sender)
{
    const int item = ui->RadioGroupAmari->itemIndex();
    if (item == 0) {
        ui->SpinEditDan->setMinValue(1);
    } else if (item == 1) {
        ui->SpinEditDan->setMinValue(2);
        // A fixed divisor of 1 has no problem with a remainder: raise it at once rather
        // than let the next sheet come out empty.
        if (ui->SpinEditDan->value() < 2)
            ui->SpinEditDan->setValue(2);
    }
    if (item >= 0)
        m_state.RemainderCaption = ui->RadioGroupAmari->items().value(item);
    LabelHyoudaiHyouji(Sender);
}

void TFormDivisheet::SpinEditDanChange(QObject *Sender)
{
    m_state.FixedDivisorText = IntToStr(ui->SpinEditDan->value());
    // The title follows the spin edit at once while the divisor is the fixed one.
    if (ui->RadioButtonWaruKotei->isChecked())
        m_state.DivisorCaption = divisorCaption(DivisorClass::Fixed, ui->SpinEditDan->value());
    LabelHyoudaiHyouji(Sender);
}

void TFormDivisheet::divisorClassClicked(DivisorClass divisorClass)
{
    for (const ClassButton &entry : kClassButtons) {
        if (const auto *quotient = std::get_if<QuotientClass>(&entry.kind))
            (ui.get()->*entry.button)->setEnabled(isAllowedCombination(*quotient, divisorClass));
    }
    m_state.DivisorCaption = divisorCaption(divisorClass, ui->SpinEditDan->value());
    LabelHyoudaiHyouji(this);
}

void TFormDivisheet::quotientClassClicked(QuotientClass quotientClass)
{
    // The fixed divisor combines with every quotient class and is never disabled.
    for (const ClassButton &entry : kClassButtons) {
        const auto *divisor = std::get_if<DivisorClass>(&entry.kind);
        if (divisor && *divisor != DivisorClass::Fixed)
            (ui.get()->*entry.button)->setEnabled(isAllowedCombination(quotientClass, *divisor));
    }
    m_state.QuotientCaption = divisheet::quotientCaption(quotientClass);
    LabelHyoudaiHyouji(this);
}

void TFormDivisheet::RadioButtonWaruKoteiClick(QObject *) { divisorClassClicked(DivisorClass::Fixed); }
void TFormDivisheet::RadioButtonWaru1_9Click(QObject *) { divisorClassClicked(DivisorClass::D1_9); }
void TFormDivisheet::RadioButtonWaru10_90Click(QObject *) { divisorClassClicked(DivisorClass::D10_90); }
void TFormDivisheet::RadioButtonWaru11_99Click(QObject *) { divisorClassClicked(DivisorClass::D11_99); }
void TFormDivisheet::RadioButtonWaru100_900Click(QObject *) { divisorClassClicked(DivisorClass::D100_900); }
void TFormDivisheet::RadioButtonWaru101_909Click(QObject *) { divisorClassClicked(DivisorClass::D101_909); }
void TFormDivisheet::RadioButtonWaru110_990Click(QObject *) { divisorClassClicked(DivisorClass::D110_990); }
void TFormDivisheet::RadioButtonWaru111_999Click(QObject *) { divisorClassClicked(DivisorClass::D111_999); }
void TFormDivisheet::RadioButtonWaru1000_9999Click(QObject *) { divisorClassClicked(DivisorClass::D1000_9999); }
void TFormDivisheet::RadioButtonKotae1_9Click(QObject *) { quotientClassClicked(QuotientClass::Q1_9); }
void TFormDivisheet::RadioButtonKotae10_90Click(QObject *) { quotientClassClicked(QuotientClass::Q10_90); }
void TFormDivisheet::RadioButtonKotae11_99Click(QObject *) { quotientClassClicked(QuotientClass::Q11_99); }
void TFormDivisheet::RadioButtonKotae100_900Click(QObject *) { quotientClassClicked(QuotientClass::Q100_900); }
void TFormDivisheet::RadioButtonKotae101_909Click(QObject *) { quotientClassClicked(QuotientClass::Q101_909); }
void TFormDivisheet::RadioButtonKotae110_990Click(QObject *) { quotientClassClicked(QuotientClass::Q110_990); }
void TFormDivisheet::RadioButtonKotae111_999Click(QObject *) { quotientClassClicked(QuotientClass::Q111_999); }
