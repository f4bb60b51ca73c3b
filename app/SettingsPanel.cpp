#include "app/SettingsPanel.h"

#include "ui_UnitDivisheet.h"

namespace divisheet {

using F = TFormDivisheet;
using U = Ui::TFormDivisheet;
const ClassButton kClassButtons[16] = {
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

ProblemSettings panelSettings(const Ui::TFormDivisheet &ui)
{
    ProblemSettings settings{QuotientClass::Q1_9, DivisorClass::Fixed, ui.SpinEditDan->value(),
                             ui.RadioGroupAmari->itemIndex() != 0};
    for (const ClassButton &entry : kClassButtons) {
        if (!(ui.*entry.button)->isChecked())
            continue;
        if (const auto *divisor = std::get_if<DivisorClass>(&entry.kind))
            settings.divisor = *divisor;
        else
            settings.quotient = std::get<QuotientClass>(entry.kind);
    }
    return settings;
}

void enableMatchingClasses(Ui::TFormDivisheet &ui, std::variant<DivisorClass, QuotientClass> chosen)
{
    for (const ClassButton &entry : kClassButtons) {
        if (entry.kind.index() == chosen.index() || entry.kind == decltype(entry.kind)(DivisorClass::Fixed))
            continue;
        const auto *divisor = std::get_if<DivisorClass>(&entry.kind);
        const bool allowed = divisor ? isAllowedCombination(std::get<QuotientClass>(chosen), *divisor)
                                     : isAllowedCombination(std::get<QuotientClass>(entry.kind),
                                                            std::get<DivisorClass>(chosen));
        (ui.*entry.button)->setEnabled(allowed);
    }
}

} // namespace divisheet
