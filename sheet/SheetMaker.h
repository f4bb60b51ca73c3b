#pragma once

#include "sheet/FocusedCatalogue.h"
#include "sheet/PageLayout.h"
#include "sheet/PageOptions.h"
#include "sheet/ProblemCatalogue.h"
#include "sheet/ProblemClasses.h"
#include "platform/Random.h"

#include <QString>
#include <QtGlobal>

#include <vector>

namespace divisheet {

// The two generator seeds that decide a sheet made the way the window makes it: the
// catalogue is filled after a reseed only when it is a random catalogue, and the draw always
// follows its own reseed. The window reads TRandom::seed() right after each randomize().
struct SheetSeeds
{
    quint32 catalogueSeed = 0; // read only for the random catalogues
    quint32 drawSeed = 0;

    friend bool operator==(const SheetSeeds &, const SheetSeeds &) = default;
};

// The settings the window starts with: fixed divisor 2, quotients 1..9, no remainder.
ProblemSettings startUpSettings();

// The classes as the command line and the messages write them: "1..9" ... "111..999" for
// the quotients, "1..9" ... "1000..9999" for the divisors, "fixed:F" for a fixed divisor.
QString quotientClassName(QuotientClass quotient);
QString divisorClassName(DivisorClass divisor, int fixedDivisor);

// Every class, in the order of the settings panel.
inline constexpr QuotientClass allQuotientClasses[] = {
    QuotientClass::Q1_9,     QuotientClass::Q10_90,   QuotientClass::Q11_99,  QuotientClass::Q100_900,
    QuotientClass::Q101_909, QuotientClass::Q110_990, QuotientClass::Q111_999};
inline constexpr DivisorClass allDivisorClasses[] = {
    DivisorClass::Fixed,    DivisorClass::D1_9,     DivisorClass::D10_90,
    DivisorClass::D11_99,   DivisorClass::D100_900, DivisorClass::D101_909,
    DivisorClass::D110_990, DivisorClass::D111_999, DivisorClass::D1000_9999};

// Empty when a sheet can be made of the settings; otherwise the reason, in words that
// name the setting at fault (a combination that does not exist, a fixed divisor outside
// 1..9, a fixed divisor of 1 with a remainder, which has no problems).
QString settingsProblem(const ProblemSettings &settings);

// The sheet's problems in the order of its cells, in two steps, which the window takes one at a
// time with its data-check grids in between: the catalogue (after seeding catalogueSeed for a
// random catalogue), then sheetDraw() from seed drawSeed out of the shrinking catalogue. A
// catalogue smaller than the sheet gives what it has. The page's options decide how many
// problems it holds. Settings with a practice focus take only problems that have it.
std::vector<Problem> sheetCatalogue(const ProblemSettings &settings, quint32 catalogueSeed, const PageOptions &page);
// The same catalogue passed to sink(const Problem &) problem by problem, for a caller that
// keeps it elsewhere; returns how many. sheetCatalogueSize() tells beforehand how many at most.
template <typename Sink>
int forEachSheetCatalogueProblem(const ProblemSettings &settings, quint32 catalogueSeed, const PageOptions &page,
                                 Sink &&sink)
{
    TRandom rng(isRandomCatalogue(settings) ? catalogueSeed : 0);
    if (!settings.focus.isSet())
        return forEachCatalogueProblem(settings, rng, sink, randomCatalogueCount(settings, page));
    const std::vector<Problem> focused = focusedSheetCatalogue(settings, rng, randomCatalogueCount(settings, page));
    for (const Problem &p : focused)
        sink(p);
    return int(focused.size());
}
int sheetCatalogueSize(const ProblemSettings &settings, const PageOptions &page);
// The draw, as positions for takeDrawn(), of `count` problems out of a catalogue of
// `available` whose first `withoutRemainder` problems have no remainder (as the catalogue of
// mixed remainders lists them): drawPositions() with a generator seeded with drawSeed; for
// mixed remainders half from either part (the odd one to a part drawn at random, a part
// with too few made up from the other) in places drawn at random.
std::vector<int> sheetDraw(const ProblemSettings &settings, int available, int withoutRemainder, int count,
                           quint32 drawSeed);
std::vector<Problem> makeSheet(const ProblemSettings &settings, const SheetSeeds &seeds,
                               const PageOptions &page = {});

} // namespace divisheet
