#pragma once

#include "sheet/ProblemClasses.h"
#include "platform/Random.h"

#include <QtGlobal>

#include <vector>

namespace divisheet {

// One division: dividend = divisor x quotient + remainder, 0 <= remainder < divisor.
struct Problem
{
    qint32 quotient;
    qint32 divisor;
    qint32 remainder;
    qint32 dividend;

    friend bool operator==(const Problem &, const Problem &) = default;
};

// One number for a problem, the same for equal problems: the divisor and the dividend
// decide it, and the divisor has at most four digits.
inline qint64 problemKey(const Problem &p)
{
    return qint64(p.dividend) * 10000 + p.divisor;
}

// The sheet's rows and columns for the settings: larger problems get fewer, larger cells.
// A combination that is not allowed gets 0 x 0.
SheetShape sheetShape(const ProblemSettings &settings);

// True for the settings whose complete list would be too long to keep: their catalogue is
// randomCatalogueSize problems drawn at random instead, or as many as a fuller page holds.
inline constexpr int randomCatalogueSize = 6;
bool isRandomCatalogue(const ProblemSettings &settings);

// The number of problems the catalogue will hold, computed without building it (randomCount
// for the random catalogues, 0 for a combination that is not allowed or a fixed divisor
// outside 1..9).
int enumeratedCount(const ProblemSettings &settings, int randomCount = randomCatalogueSize);

// How many different problems the settings have in all: the catalogue's count, or for a
// random catalogue the size of the list it draws from. 0 where there is no sheet.
qint64 problemTotal(const ProblemSettings &settings);

namespace detail {

// Every member of a digit pattern, ascending.
std::vector<qint32> patternMembers(const DigitPattern &pattern);

// The divisors and quotients an enumerated catalogue runs over, each ascending.
struct CatalogueLists
{
    std::vector<qint32> divisors;
    std::vector<qint32> quotients;
};

CatalogueLists catalogueLists(const ProblemSettings &settings);

// One problem of a random catalogue: quotient first, then divisor, then remainder.
Problem drawRandomProblem(const ProblemSettings &settings, TRandom &rng);

// The number of problems the lists make, without making them.
int countOf(const ProblemSettings &settings, const CatalogueLists &lists);

template<typename Sink>
int forEachInLists(const CatalogueLists &lists, bool withRemainder, Sink &sink)
{
    int count = 0;
    for (const qint32 d : lists.divisors) {
        for (const qint32 q : lists.quotients) {
            const qint32 product = d * q;
            if (withRemainder) {
                for (qint32 r = 1; r < d; ++r)
                    sink(Problem{q, d, r, product + r});
                count += d - 1;
            } else {
                sink(Problem{q, d, 0, product});
                ++count;
            }
        }
    }
    return count;
}

// `count` problems drawn at random for a random catalogue. Six are drawn as they come, as
// the standard sheet has always drawn them; more, for a fuller page, are all different (a
// problem drawn twice is drawn again).
std::vector<Problem> drawRandomCatalogue(const ProblemSettings &settings, TRandom &rng, int count);

} // namespace detail

// Calls sink(const Problem &) for each problem of the catalogue, in catalogue order: divisor
// ascending, then quotient ascending, then (with remainder) remainder 1 .. d - 1 ascending.
// For the random catalogues it draws max(randomCount, 6) problems from rng instead; the
// caller seeds rng. (The parameter is not called `emit`: Qt defines that word away as a
// macro.) Returns the number of problems passed on, which equals enumeratedCount().
template<typename Sink>
int forEachCatalogueProblem(const ProblemSettings &settings, TRandom &rng, Sink &&sink,
                            int randomCount = randomCatalogueSize)
{
    if (isRandomCatalogue(settings)) {
        const std::vector<Problem> drawn = detail::drawRandomCatalogue(settings, rng, randomCount);
        for (const Problem &p : drawn)
            sink(p);
        return int(drawn.size());
    }
    return detail::forEachInLists(detail::catalogueLists(settings), settings.withRemainder, sink);
}

// The whole catalogue as a vector, in catalogue order.
std::vector<Problem> buildCatalogue(const ProblemSettings &settings, TRandom &rng,
                                    int randomCount = randomCatalogueSize);

} // namespace divisheet
