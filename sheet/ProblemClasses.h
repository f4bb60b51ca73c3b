#pragma once

#include "sheet/PracticeFocus.h"

#include <QString>
#include <QtGlobal>

#include <array>

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
    PracticeFocus focus{}; // none: every problem of the classes

    friend bool operator==(const ProblemSettings &, const ProblemSettings &) = default;
};

// The grid of figures on the sheet; every cell holds one problem.
struct SheetShape
{
    int rows;
    int columns;
    int problemCount() const { return rows * columns; }
};

// One digit place of a pattern: it adds weight x a digit from 0 to count - 1.
struct DigitPlace
{
    qint32 weight = 0;
    qint32 count = 0; // 0: the pattern has no further place
};

// A digit pattern: its members are base plus one choice of digit for each place. The places
// run from the highest down, which is both the order in which a random member draws its
// digits and the order in which nested loops list the members ascending.
struct DigitPattern
{
    const char16_t *title; // the class's text on the title line
    qint32 base;           // the smallest member
    std::array<DigitPlace, 3> places;
};

// The pattern of a class; a fixed divisor has none (nullptr).
const DigitPattern &digitPattern(QuotientClass quotient);
const DigitPattern *digitPattern(DivisorClass divisor);

// What one allowed pairing of a quotient class and a divisor class needs: the sheet for each
// remainder choice and whether, with a remainder, the complete list is too long to keep so
// that the catalogue is six problems drawn at random instead.
struct CombinationRule
{
    QuotientClass quotient;
    DivisorClass divisor;
    SheetShape withoutRemainder;
    SheetShape withRemainder;
    bool randomWithRemainder;
    // A fixed divisor of at most 2 with a remainder has few problems and a sheet of its own;
    // 0 x 0 where it shares withRemainder.
    SheetShape withRemainderSmallFixed{};
};

// The rule of an allowed combination; nullptr for a combination that has no catalogue.
const CombinationRule *combinationRule(QuotientClass quotient, DivisorClass divisor);

// True when the two classes may be checked together: only these combinations have a
// catalogue. A fixed divisor combines with every quotient class.
bool isAllowedCombination(QuotientClass quotient, DivisorClass divisor);

// The title-line texts of the classes: "1..9", "10..90", ... .
QString quotientCaption(QuotientClass quotient);
// "1..9" ... "111..999"; the four-digit class reads "1000..9000" on the title line although
// its divisors run up to 9999; a fixed divisor reads "<n>で固定".
QString divisorCaption(DivisorClass divisor, int fixedDivisor);

} // namespace divisheet
