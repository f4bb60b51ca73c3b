#include "app/ProblemCatalogue.h"

namespace divisheet {

namespace {

using List = std::vector<qint32>;

// The digit sets, built digit by digit so that each comes out ascending.
List digitSet(DivisorClass cls)
{
    List list;
    switch (cls) {
    case DivisorClass::Fixed:
        break;
    case DivisorClass::D1_9:
        for (qint32 a = 1; a <= 9; ++a)
            list.push_back(a);
        break;
    case DivisorClass::D10_90:
        for (qint32 a = 1; a <= 9; ++a)
            list.push_back(10 * a);
        break;
    case DivisorClass::D11_99:
        for (qint32 a = 1; a <= 9; ++a)
            for (qint32 b = 1; b <= 9; ++b)
                list.push_back(10 * a + b);
        break;
    case DivisorClass::D100_900:
        for (qint32 a = 1; a <= 9; ++a)
            list.push_back(100 * a);
        break;
    case DivisorClass::D101_909:
        for (qint32 a = 1; a <= 9; ++a)
            for (qint32 c = 1; c <= 9; ++c)
                list.push_back(100 * a + c);
        break;
    case DivisorClass::D110_990:
        for (qint32 a = 1; a <= 9; ++a)
            for (qint32 b = 1; b <= 9; ++b)
                list.push_back(100 * a + 10 * b);
        break;
    case DivisorClass::D111_999:
        for (qint32 a = 1; a <= 9; ++a)
            for (qint32 b = 1; b <= 9; ++b)
                for (qint32 c = 1; c <= 9; ++c)
                    list.push_back(100 * a + 10 * b + c);
        break;
    case DivisorClass::D1000_9999:
        list.reserve(9000);
        for (qint32 d = 1000; d <= 9999; ++d)
            list.push_back(d);
        break;
    }
    return list;
}

// The quotient classes share their digit patterns with the divisor classes of the same name.
DivisorClass sameDigitPattern(QuotientClass cls)
{
    switch (cls) {
    case QuotientClass::Q1_9: return DivisorClass::D1_9;
    case QuotientClass::Q10_90: return DivisorClass::D10_90;
    case QuotientClass::Q11_99: return DivisorClass::D11_99;
    case QuotientClass::Q100_900: return DivisorClass::D100_900;
    case QuotientClass::Q101_909: return DivisorClass::D101_909;
    case QuotientClass::Q110_990: return DivisorClass::D110_990;
    case QuotientClass::Q111_999: return DivisorClass::D111_999;
    }
    return DivisorClass::D1_9;
}

List range(qint32 first, qint32 last, qint32 step = 1)
{
    List list;
    for (qint32 n = first; n <= last; n += step)
        list.push_back(n);
    return list;
}

bool isValidFixedDivisor(int divisor)
{
    return divisor >= 1 && divisor <= 9; // the spin edit's range
}

// A digit drawn uniformly from 0..8, as random(9).
qint32 digit9(TRandom &rng)
{
    return qint32(rng.random(9));
}

// Each draw takes its digits from the highest down, so the statements are kept separate
// (the order of evaluation inside one expression is not fixed).
qint32 drawFromPattern(DivisorClass cls, TRandom &rng)
{
    switch (cls) {
    case DivisorClass::Fixed:
        return 0;
    case DivisorClass::D1_9:
        return digit9(rng) + 1;
    case DivisorClass::D10_90:
        return 10 * digit9(rng) + 10;
    case DivisorClass::D11_99: {
        const qint32 tens = digit9(rng);
        const qint32 ones = digit9(rng);
        return 10 * tens + ones + 11;
    }
    case DivisorClass::D100_900:
        return 100 * digit9(rng) + 100;
    case DivisorClass::D101_909: {
        const qint32 hundreds = digit9(rng);
        const qint32 ones = digit9(rng);
        return 100 * hundreds + ones + 101;
    }
    case DivisorClass::D110_990: {
        const qint32 hundreds = digit9(rng);
        const qint32 tens = digit9(rng);
        return 100 * hundreds + 10 * tens + 110;
    }
    case DivisorClass::D111_999: {
        const qint32 hundreds = digit9(rng);
        const qint32 tens = digit9(rng);
        const qint32 ones = digit9(rng);
        return 100 * hundreds + 10 * tens + ones + 111;
    }
    case DivisorClass::D1000_9999:
        return qint32(rng.random(9000)) + 1000;
    }
    return 0;
}

} // namespace

SheetShape sheetShape(const ProblemSettings &s)
{
    if (!isAllowedCombination(s.quotient, s.divisor))
        return {0, 0};

    const bool rem = s.withRemainder;
    const bool smallFixed = s.fixedDivisor <= 2; // with a remainder, F <= 2 gives few problems
    using Q = QuotientClass;
    using D = DivisorClass;
    auto pick = [rem](SheetShape without, SheetShape with) { return rem ? with : without; };

    switch (s.quotient) {
    case Q::Q1_9:
        switch (s.divisor) {
        case D::Fixed: return pick({2, 5}, smallFixed ? SheetShape{2, 5} : SheetShape{3, 4});
        case D::D1_9: return pick({3, 5}, {3, 4});
        case D::D10_90:
        case D::D11_99: return pick({3, 4}, {3, 3});
        case D::D100_900:
        case D::D101_909:
        case D::D110_990:
        case D::D111_999: return pick({3, 3}, {3, 2});
        case D::D1000_9999: return {3, 2};
        }
        break;
    case Q::Q10_90:
        switch (s.divisor) {
        case D::Fixed: return pick({2, 4}, smallFixed ? SheetShape{2, 4} : SheetShape{3, 4});
        case D::D1_9: return pick({3, 5}, {3, 4});
        case D::D10_90:
        case D::D11_99: return pick({3, 4}, {3, 3});
        default: return pick({3, 3}, {3, 2});
        }
    case Q::Q11_99:
        switch (s.divisor) {
        case D::Fixed: return pick({2, 5}, {2, 4});
        case D::D1_9: return {2, 4};
        case D::D10_90:
        case D::D11_99: return pick({2, 4}, {2, 3});
        default: return pick({2, 3}, {2, 2});
        }
    case Q::Q100_900:
        switch (s.divisor) {
        case D::Fixed: return pick({2, 4}, smallFixed ? SheetShape{2, 3} : SheetShape{3, 3});
        case D::D1_9: return pick({3, 4}, {3, 3});
        default: return pick({3, 3}, {3, 2});
        }
    case Q::Q101_909:
    case Q::Q110_990:
        switch (s.divisor) {
        case D::Fixed:
        case D::D1_9: return pick({2, 4}, {2, 3});
        default: return pick({2, 3}, {2, 2});
        }
    case Q::Q111_999:
        switch (s.divisor) {
        case D::Fixed:
        case D::D1_9: return pick({1, 4}, {1, 3});
        case D::D10_90: return {1, 3};
        default: return pick({1, 3}, {1, 2});
        }
    }
    return {0, 0};
}

bool isRandomCatalogue(const ProblemSettings &s)
{
    if (!s.withRemainder || !isAllowedCombination(s.quotient, s.divisor))
        return false;

    using Q = QuotientClass;
    using D = DivisorClass;
    const D d = s.divisor;
    switch (s.quotient) {
    case Q::Q1_9:
        return d == D::D101_909 || d == D::D110_990 || d == D::D111_999 || d == D::D1000_9999;
    case Q::Q10_90:
        return d == D::D100_900 || d == D::D101_909 || d == D::D110_990 || d == D::D111_999;
    case Q::Q11_99:
        return d == D::D11_99 || d == D::D100_900 || d == D::D101_909 || d == D::D110_990
            || d == D::D111_999;
    case Q::Q100_900:
        return false;
    case Q::Q101_909:
    case Q::Q110_990:
        return d == D::D11_99;
    case Q::Q111_999:
        return d == D::D10_90 || d == D::D11_99;
    }
    return false;
}

namespace detail {

CatalogueLists catalogueLists(const ProblemSettings &s)
{
    CatalogueLists lists;
    if (!isAllowedCombination(s.quotient, s.divisor) || isRandomCatalogue(s))
        return lists;

    using Q = QuotientClass;
    using D = DivisorClass;

    // Divisors.
    switch (s.divisor) {
    case D::Fixed:
        if (isValidFixedDivisor(s.fixedDivisor))
            lists.divisors.push_back(s.fixedDivisor);
        break;
    case D::D1_9:
        // The divisor 1 stays out with a remainder (it would have no problems anyway) and
        // for the quotients 10..90 altogether.
        lists.divisors = (s.withRemainder || s.quotient == Q::Q10_90) ? range(2, 9) : range(1, 9);
        break;
    case D::D11_99:
        // Against the quotients 110..990 without a remainder every two-digit divisor is
        // used, the round ones 10..90 included.
        lists.divisors = (!s.withRemainder && s.quotient == Q::Q110_990) ? range(10, 99)
                                                                         : digitSet(s.divisor);
        break;
    case D::D110_990:
        lists.divisors = digitSet(s.divisor);
        if (!s.withRemainder && s.quotient == Q::Q11_99)
            lists.divisors.erase(lists.divisors.begin()); // 110 x 11..99 is left out
        break;
    default:
        lists.divisors = digitSet(s.divisor);
        break;
    }
    if (lists.divisors.empty())
        return lists;

    // Quotients.
    switch (s.quotient) {
    case Q::Q1_9:
        // The one-digit quotients include 0, except against the divisors 11..99 without a
        // remainder.
        lists.quotients = (!s.withRemainder && s.divisor == D::D11_99) ? range(1, 9) : range(0, 9);
        break;
    case Q::Q110_990:
        lists.quotients = (s.withRemainder && s.divisor == D::Fixed)
            ? range(100, 990, 10)
            : digitSet(sameDigitPattern(s.quotient));
        break;
    default:
        lists.quotients = digitSet(sameDigitPattern(s.quotient));
        break;
    }
    return lists;
}

Problem drawRandomProblem(const ProblemSettings &s, TRandom &rng)
{
    const qint32 q = drawFromPattern(sameDigitPattern(s.quotient), rng);
    const qint32 d = drawFromPattern(s.divisor, rng);
    // Every random case has a divisor of at least 10, so d - 1 >= 1.
    const qint32 r = qint32(rng.random(quint32(d - 1))) + 1;
    return Problem{q, d, r, d * q + r};
}

} // namespace detail

namespace detail {

int countOf(const ProblemSettings &s, const CatalogueLists &lists)
{
    qint64 perQuotient = 0;
    for (const qint32 d : lists.divisors)
        perQuotient += s.withRemainder ? d - 1 : 1;
    return int(perQuotient * qint64(lists.quotients.size()));
}

} // namespace detail

int enumeratedCount(const ProblemSettings &s)
{
    if (isRandomCatalogue(s))
        return 6;
    return detail::countOf(s, detail::catalogueLists(s));
}

std::vector<Problem> buildCatalogue(const ProblemSettings &settings, TRandom &rng)
{
    std::vector<Problem> catalogue;
    auto append = [&catalogue](const Problem &p) { catalogue.push_back(p); };
    if (isRandomCatalogue(settings)) {
        catalogue.reserve(6);
        forEachCatalogueProblem(settings, rng, append);
        return catalogue;
    }
    // The lists are built once here, for the count and for the problems.
    const detail::CatalogueLists lists = detail::catalogueLists(settings);
    catalogue.reserve(std::size_t(detail::countOf(settings, lists)));
    detail::forEachInLists(lists, settings.withRemainder, append);
    return catalogue;
}

} // namespace divisheet
