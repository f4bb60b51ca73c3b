#pragma once

#include "app/UnitDivisheet.h"
#include "sheet/ProblemClasses.h"

#include <variant>

class TRadioButton;

namespace Ui {
class TFormDivisheet;
}

// The settings panel's class buttons: which class each stands for and which of the window's
// handlers its click runs, in the order of the panel.
namespace divisheet {

struct ClassButton
{
    TRadioButton *Ui::TFormDivisheet::*button;
    std::variant<DivisorClass, QuotientClass> kind;
    TFormDivisheet::Handler handler;
};
extern const ClassButton kClassButtons[16];

// The settings the panel holds now.
ProblemSettings panelSettings(const Ui::TFormDivisheet &ui);

// Enables the classes of the other kind that go with the one just chosen; the fixed divisor
// goes with every quotient class and is never disabled.
void enableMatchingClasses(Ui::TFormDivisheet &ui, std::variant<DivisorClass, QuotientClass> chosen);

} // namespace divisheet
