#include "sheet/SheetMaker.h"

#include "sheet/PageLayout.h"
#include "sheet/ProblemDraw.h"
#include "platform/Random.h"

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
    return enumeratedCount(settings, randomCatalogueCount(settings, page));
}

std::vector<int> sheetDraw(int available, int count, quint32 drawSeed)
{
    TRandom rng(drawSeed);
    return drawPositions(available, count, rng);
}

std::vector<Problem> makeSheet(const ProblemSettings &settings, const SheetSeeds &seeds,
                               const PageOptions &page)
{
    std::vector<Problem> catalogue = sheetCatalogue(settings, seeds.catalogueSeed, page);
    return takeDrawn(catalogue, sheetDraw(int(catalogue.size()), sheetProblemCount(settings, page), seeds.drawSeed));
}

} // namespace divisheet
