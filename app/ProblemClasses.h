#pragma once

#include <QString>

namespace divisheet {

// The digit patterns a quotient may follow; the names spell the smallest and largest member.
enum class QuotientClass { Q1_9, Q10_90, Q11_99, Q100_900, Q101_909, Q110_990, Q111_999 };

// The digit patterns a divisor may follow; Fixed uses the one divisor of the spin edit.
enum class DivisorClass { Fixed, D1_9, D10_90, D11_99, D100_900, D101_909, D110_990, D111_999, D1000_9999 };

// Everything that decides what kind of problem a sheet gets.
struct ProblemSettings
{
    QuotientClass quotient;
    DivisorClass divisor;
    int fixedDivisor; // read only when divisor == DivisorClass::Fixed
    bool withRemainder;
};

// True when the two classes may be checked together: only these combinations have a
// catalogue. A fixed divisor combines with every quotient class.
bool isAllowedCombination(QuotientClass quotient, DivisorClass divisor);

// The title-line texts of the classes: "1..9", "10..90", ... .
QString quotientCaption(QuotientClass quotient);
// "1..9" ... "111..999"; the four-digit class reads "1000..9000" on the title line although
// its divisors run up to 9999; a fixed divisor reads "<n>で固定".
QString divisorCaption(DivisorClass divisor, int fixedDivisor);

} // namespace divisheet
