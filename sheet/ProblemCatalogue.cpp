#include "sheet/ProblemCatalogue.h"

#include <algorithm>
#include <unordered_set>

namespace divisheet {

namespace {

using List = std::vector<qint32>;

// Every member of the pattern, ascending: one loop per digit place, the highest outermost.
List digitSet(const DigitPattern &pattern)
{
    List list{pattern.base};
    for (const DigitPlace &place : pattern.places) {
        if (place.count == 0)
            break;
        List next;
        next.reserve(list.size() * std::size_t(place.count));
        for (const qint32 upper : list)
            for (qint32 digit = 0; digit < place.count; ++digit)
                next.push_back(upper + place.weight * digit);
        list.swap(next);
    }
    return list;
}

// One member drawn uniformly, its digits from the highest place down.
qint32 drawFromPattern(const DigitPattern &pattern, TRandom &rng)
{
    qint32 value = pattern.base;
    for (const DigitPlace &place : pattern.places) {
        if (place.count == 0)
            break;
        value += place.weight * qint32(rng.random(quint32(place.count)));
    }
    return value;
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

} // namespace

SheetShape sheetShape(const ProblemSettings &s)
{
    const CombinationRule *rule = combinationRule(s.quotient, s.divisor);
    if (!rule)
        return {0, 0};
    if (!s.withRemainder)
        return rule->withoutRemainder;
    const bool smallFixed = s.divisor == DivisorClass::Fixed && s.fixedDivisor <= 2;
    if (smallFixed && rule->withRemainderSmallFixed.problemCount() > 0)
        return rule->withRemainderSmallFixed;
    return rule->withRemainder;
}

bool isRandomCatalogue(const ProblemSettings &s)
{
    const CombinationRule *rule = combinationRule(s.quotient, s.divisor);
    return s.withRemainder && rule && rule->randomWithRemainder;
}

namespace detail {

std::vector<qint32> patternMembers(const DigitPattern &pattern)
{
    return digitSet(pattern);
}

CatalogueLists catalogueLists(const ProblemSettings &s)
{
    CatalogueLists lists;
    if (!isAllowedCombination(s.quotient, s.divisor) || isRandomCatalogue(s))
        return lists;

    if (const DigitPattern *pattern = digitPattern(s.divisor))
        lists.divisors = digitSet(*pattern);
    else if (isValidFixedDivisor(s.fixedDivisor))
        lists.divisors = {s.fixedDivisor};
    else
        return lists;
    lists.quotients = digitSet(digitPattern(s.quotient));

    // Where a combination departs from the digit sets of its two classes.
    using Q = QuotientClass;
    using D = DivisorClass;
    const bool rem = s.withRemainder;
    // The divisor 1 stays out with a remainder (it would have no problems anyway) and for
    // the quotients 10..90 altogether.
    if (s.divisor == D::D1_9 && (rem || s.quotient == Q::Q10_90))
        lists.divisors.erase(lists.divisors.begin());
    // Against the quotients 110..990 without a remainder every two-digit divisor is used,
    // the round ones 10..90 included.
    if (s.divisor == D::D11_99 && s.quotient == Q::Q110_990 && !rem)
        lists.divisors = range(10, 99);
    // 110 x 11..99 is left out.
    if (s.divisor == D::D110_990 && s.quotient == Q::Q11_99 && !rem)
        lists.divisors.erase(lists.divisors.begin());
    // The one-digit quotients include 0, except against the divisors 11..99 without a
    // remainder.
    if (s.quotient == Q::Q1_9 && !(s.divisor == D::D11_99 && !rem))
        lists.quotients.insert(lists.quotients.begin(), 0);
    // With a fixed divisor and a remainder the quotients 110..990 take in the round
    // hundreds: every multiple of 10 from 100 to 990.
    if (s.quotient == Q::Q110_990 && s.divisor == D::Fixed && rem)
        lists.quotients = range(100, 990, 10);
    return lists;
}

Problem drawRandomProblem(const ProblemSettings &s, TRandom &rng)
{
    // Only classes with a pattern are drawn: a fixed divisor is never a random catalogue.
    const qint32 q = drawFromPattern(digitPattern(s.quotient), rng);
    const qint32 d = drawFromPattern(*digitPattern(s.divisor), rng);
    // Every random case has a divisor of at least 10, so d - 1 >= 1.
    const qint32 r = qint32(rng.random(quint32(d - 1))) + 1;
    return Problem{q, d, r, d * q + r};
}

int countOf(const ProblemSettings &s, const CatalogueLists &lists)
{
    qint64 perQuotient = 0;
    for (const qint32 d : lists.divisors)
        perQuotient += s.withRemainder ? d - 1 : 1;
    return int(perQuotient * qint64(lists.quotients.size()));
}

std::vector<Problem> drawRandomCatalogue(const ProblemSettings &s, TRandom &rng, int count)
{
    // The lists a random catalogue draws from hold hundreds of thousands of problems, so a
    // repeat is rare and a few tries always find a new one.
    constexpr int maxRedraws = 100;
    const bool different = count > randomCatalogueSize;
    count = std::max(count, randomCatalogueSize);
    std::vector<Problem> drawn;
    drawn.reserve(std::size_t(count));
    std::unordered_set<qint64> keys;
    while (int(drawn.size()) < count) {
        Problem p = drawRandomProblem(s, rng);
        for (int tries = 1; different && tries < maxRedraws && keys.contains(problemKey(p)); ++tries)
            p = drawRandomProblem(s, rng);
        keys.insert(problemKey(p));
        drawn.push_back(p);
    }
    return drawn;
}

} // namespace detail

int enumeratedCount(const ProblemSettings &s, int randomCount)
{
    if (isRandomCatalogue(s))
        return std::max(randomCount, randomCatalogueSize);
    return detail::countOf(s, detail::catalogueLists(s));
}

qint64 problemTotal(const ProblemSettings &s)
{
    if (!isRandomCatalogue(s))
        return enumeratedCount(s);
    // A random problem is any quotient of its pattern with any divisor and remainder.
    const qint64 quotients = qint64(digitSet(digitPattern(s.quotient)).size());
    qint64 perQuotient = 0;
    for (const qint32 d : digitSet(*digitPattern(s.divisor)))
        perQuotient += d - 1;
    return quotients * perQuotient;
}

std::vector<Problem> buildCatalogue(const ProblemSettings &settings, TRandom &rng, int randomCount)
{
    if (isRandomCatalogue(settings))
        return detail::drawRandomCatalogue(settings, rng, randomCount);
    std::vector<Problem> catalogue;
    auto append = [&catalogue](const Problem &p) { catalogue.push_back(p); };
    // The lists are built once here, for the count and for the problems.
    const detail::CatalogueLists lists = detail::catalogueLists(settings);
    catalogue.reserve(std::size_t(detail::countOf(settings, lists)));
    detail::forEachInLists(lists, settings.withRemainder, append);
    return catalogue;
}

} // namespace divisheet
