#include "sheet/ProblemClasses.h"

using namespace Qt::StringLiterals;

namespace divisheet {

namespace {

// The patterns in the order of both enumerations: QuotientClass lists the first seven,
// DivisorClass lists all eight after Fixed.
constexpr DigitPattern patterns[] = {
    {u"1..9", 1, {{{1, 9}}}},
    {u"10..90", 10, {{{10, 9}}}},
    {u"11..99", 11, {{{10, 9}, {1, 9}}}},
    {u"100..900", 100, {{{100, 9}}}},
    {u"101..909", 101, {{{100, 9}, {1, 9}}}},
    {u"110..990", 110, {{{100, 9}, {10, 9}}}},
    {u"111..999", 111, {{{100, 9}, {10, 9}, {1, 9}}}},
    // The title line has always read 1000..9000 here, although the divisors run to 9999.
    {u"1000..9000", 1000, {{{1, 9000}}}},
};
static_assert(int(QuotientClass::Q111_999) == 6 && int(DivisorClass::D1000_9999) == 8
                  && std::size(patterns) == 8,
              "the classes list the patterns in the order of the table");

using Q = QuotientClass;
using D = DivisorClass;
constexpr bool enumerated = false;
constexpr bool drawn = true; // six problems drawn at random

// Every combination that has a catalogue, with the sheet for each remainder choice: larger
// problems get fewer, larger cells. With a remainder, the longest lists give way to six
// problems drawn at random.
constexpr CombinationRule rules[] = {
    // quotient   divisor        no remainder  remainder  with remainder  fixed F <= 2
    {Q::Q1_9,     D::Fixed,      {2, 5},       {3, 4},    enumerated,     {2, 5}},
    {Q::Q1_9,     D::D1_9,       {3, 5},       {3, 4},    enumerated},
    {Q::Q1_9,     D::D10_90,     {3, 4},       {3, 3},    enumerated},
    {Q::Q1_9,     D::D11_99,     {3, 4},       {3, 3},    enumerated},
    {Q::Q1_9,     D::D100_900,   {3, 3},       {3, 2},    enumerated},
    {Q::Q1_9,     D::D101_909,   {3, 3},       {3, 2},    drawn},
    {Q::Q1_9,     D::D110_990,   {3, 3},       {3, 2},    drawn},
    {Q::Q1_9,     D::D111_999,   {3, 3},       {3, 2},    drawn},
    {Q::Q1_9,     D::D1000_9999, {3, 2},       {3, 2},    drawn},
    {Q::Q10_90,   D::Fixed,      {2, 4},       {3, 4},    enumerated,     {2, 4}},
    {Q::Q10_90,   D::D1_9,       {3, 5},       {3, 4},    enumerated},
    {Q::Q10_90,   D::D10_90,     {3, 4},       {3, 3},    enumerated},
    {Q::Q10_90,   D::D11_99,     {3, 4},       {3, 3},    enumerated},
    {Q::Q10_90,   D::D100_900,   {3, 3},       {3, 2},    drawn},
    {Q::Q10_90,   D::D101_909,   {3, 3},       {3, 2},    drawn},
    {Q::Q10_90,   D::D110_990,   {3, 3},       {3, 2},    drawn},
    {Q::Q10_90,   D::D111_999,   {3, 3},       {3, 2},    drawn},
    {Q::Q11_99,   D::Fixed,      {2, 5},       {2, 4},    enumerated},
    {Q::Q11_99,   D::D1_9,       {2, 4},       {2, 4},    enumerated},
    {Q::Q11_99,   D::D10_90,     {2, 4},       {2, 3},    enumerated},
    {Q::Q11_99,   D::D11_99,     {2, 4},       {2, 3},    drawn},
    {Q::Q11_99,   D::D100_900,   {2, 3},       {2, 2},    drawn},
    {Q::Q11_99,   D::D101_909,   {2, 3},       {2, 2},    drawn},
    {Q::Q11_99,   D::D110_990,   {2, 3},       {2, 2},    drawn},
    {Q::Q11_99,   D::D111_999,   {2, 3},       {2, 2},    drawn},
    {Q::Q100_900, D::Fixed,      {2, 4},       {3, 3},    enumerated,     {2, 3}},
    {Q::Q100_900, D::D1_9,       {3, 4},       {3, 3},    enumerated},
    {Q::Q100_900, D::D10_90,     {3, 3},       {3, 2},    enumerated},
    {Q::Q100_900, D::D11_99,     {3, 3},       {3, 2},    enumerated},
    {Q::Q101_909, D::Fixed,      {2, 4},       {2, 3},    enumerated},
    {Q::Q101_909, D::D1_9,       {2, 4},       {2, 3},    enumerated},
    {Q::Q101_909, D::D10_90,     {2, 3},       {2, 2},    enumerated},
    {Q::Q101_909, D::D11_99,     {2, 3},       {2, 2},    drawn},
    {Q::Q110_990, D::Fixed,      {2, 4},       {2, 3},    enumerated},
    {Q::Q110_990, D::D1_9,       {2, 4},       {2, 3},    enumerated},
    {Q::Q110_990, D::D10_90,     {2, 3},       {2, 2},    enumerated},
    {Q::Q110_990, D::D11_99,     {2, 3},       {2, 2},    drawn},
    {Q::Q111_999, D::Fixed,      {1, 4},       {1, 3},    enumerated},
    {Q::Q111_999, D::D1_9,       {1, 4},       {1, 3},    enumerated},
    {Q::Q111_999, D::D10_90,     {1, 3},       {1, 3},    drawn},
    {Q::Q111_999, D::D11_99,     {1, 3},       {1, 2},    drawn},
};
static_assert(std::size(rules) == 41);

} // namespace

const DigitPattern &digitPattern(QuotientClass quotient)
{
    return patterns[int(quotient)];
}

const DigitPattern *digitPattern(DivisorClass divisor)
{
    return divisor == DivisorClass::Fixed ? nullptr : &patterns[int(divisor) - 1];
}

const CombinationRule *combinationRule(QuotientClass quotient, DivisorClass divisor)
{
    for (const CombinationRule &rule : rules) {
        if (rule.quotient == quotient && rule.divisor == divisor)
            return &rule;
    }
    return nullptr;
}

bool isAllowedCombination(QuotientClass quotient, DivisorClass divisor)
{
    return combinationRule(quotient, divisor) != nullptr;
}

QString quotientCaption(QuotientClass quotient)
{
    return QString::fromUtf16(digitPattern(quotient).title);
}

QString divisorCaption(DivisorClass divisor, int fixedDivisor)
{
    if (const DigitPattern *pattern = digitPattern(divisor))
        return QString::fromUtf16(pattern->title);
    return QString::number(fixedDivisor) + u"で固定"_s;
}

} // namespace divisheet
