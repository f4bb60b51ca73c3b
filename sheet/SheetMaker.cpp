#include "sheet/SheetMaker.h"

#include "sheet/PageLayout.h"
#include "sheet/ProblemDraw.h"
#include "platform/Random.h"

#include <algorithm>
#include <numeric>

namespace divisheet {

ProblemSettings startUpSettings()
{
    return ProblemSettings{QuotientClass::Q1_9, DivisorClass::Fixed, 2, false};
}

QString quotientClassName(QuotientClass quotient)
{
    // The title line's texts are the command line's names too.
    return quotientCaption(quotient);
}

QString divisorClassName(DivisorClass divisor, int fixedDivisor)
{
    switch (divisor) {
    case DivisorClass::Fixed: return QStringLiteral("fixed:%1").arg(fixedDivisor);
    case DivisorClass::D1000_9999: return QStringLiteral("1000..9999"); // the title line shortens it
    default: return divisorCaption(divisor, fixedDivisor);
    }
}

QString settingsProblem(const ProblemSettings &s)
{
    if (!isAllowedCombination(s.quotient, s.divisor)) {
        return QStringLiteral("the quotient class %1 does not go with the divisor class %2")
            .arg(quotientClassName(s.quotient), divisorClassName(s.divisor, s.fixedDivisor));
    }
    if (s.divisor == DivisorClass::Fixed) {
        if (s.fixedDivisor < 1 || s.fixedDivisor > 9)
            return QStringLiteral("a fixed divisor must be 1 to 9, not %1").arg(s.fixedDivisor);
        if (s.fixedDivisor == 1 && s.withRemainder)
            return QStringLiteral("a fixed divisor of 1 leaves no remainder, so there are no problems");
    }
    return {};
}

std::vector<Problem> sheetCatalogue(const ProblemSettings &settings, quint32 catalogueSeed, const PageOptions &page)
{
    std::vector<Problem> catalogue;
    catalogue.reserve(std::size_t(sheetCatalogueSize(settings, page)));
    forEachSheetCatalogueProblem(settings, catalogueSeed, page, [&catalogue](const Problem &p) { catalogue.push_back(p); });
    return catalogue;
}

int sheetCatalogueSize(const ProblemSettings &settings, const PageOptions &page)
{
    if (settings.focus.isSet())
        return focusedSheetCatalogueSize(settings, randomCatalogueCount(settings, page));
    return enumeratedCount(settings, randomCatalogueCount(settings, page));
}

std::vector<int> sheetDraw(const ProblemSettings &settings, int available, int withoutRemainder, int count,
                           quint32 drawSeed)
{
    TRandom rng(drawSeed);
    if (!settings.focus.mixedRemainder)
        return drawPositions(available, count, rng);
    withoutRemainder = std::clamp(withoutRemainder, 0, available);
    const int withRemainder = available - withoutRemainder;
    count = std::clamp(count, 0, available);
    const int half = count / 2 + (count % 2 == 1 ? int(rng.random(2)) : 0);
    const int fromWith = std::min(withRemainder, count - std::min(half, withoutRemainder));
    const int fromWithout = count - fromWith;

    std::vector<int> without(static_cast<std::size_t>(withoutRemainder));
    std::iota(without.begin(), without.end(), 0);
    std::vector<int> with(static_cast<std::size_t>(withRemainder));
    std::iota(with.begin(), with.end(), withoutRemainder);
    std::vector<int> picked = takeDrawn(without, drawPositions(withoutRemainder, fromWithout, rng));
    const std::vector<int> more = takeDrawn(with, drawPositions(withRemainder, fromWith, rng));
    picked.insert(picked.end(), more.begin(), more.end());
    picked = takeDrawn(picked, drawPositions(count, count, rng)); // the places on the sheet

    // Each index as a position in the catalogue less the problems taken before it.
    std::vector<int> positions;
    positions.reserve(picked.size());
    for (std::size_t i = 0; i < picked.size(); ++i) {
        const auto earlierBelow = std::count_if(picked.begin(), picked.begin() + qsizetype(i),
                                                [at = picked[i]](int index) { return index < at; });
        positions.push_back(picked[i] + 1 - int(earlierBelow));
    }
    return positions;
}

std::vector<Problem> makeSheet(const ProblemSettings &settings, const SheetSeeds &seeds,
                               const PageOptions &page)
{
    std::vector<Problem> catalogue = sheetCatalogue(settings, seeds.catalogueSeed, page);
    const auto withoutRemainder = std::count_if(catalogue.begin(), catalogue.end(),
                                                [](const Problem &p) { return p.remainder == 0; });
    return takeDrawn(catalogue, sheetDraw(settings, int(catalogue.size()), int(withoutRemainder),
                                          sheetProblemCount(settings, page), seeds.drawSeed));
}

} // namespace divisheet
