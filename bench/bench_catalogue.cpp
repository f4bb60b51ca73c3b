// The largest catalogue: quotients 1..9 against divisors 1000..9999 without remainder,
// 90,000 problems. Building it and drawing a sheet of six out of it, against a bare loop
// that only computes the same problems into a vector.

#include "Harness.h"

#include "sheet/ProblemCatalogue.h"
#include "sheet/ProblemDraw.h"
#include "sheet/SheetMaker.h"

#include <cstdio>

namespace divisheet::bench {
namespace {

const char *const bareLoop = "bare loop: 90000 problems into std::vector";
const char *const build = "buildCatalogue (90000 problems)";
const char *const visit = "forEachCatalogueProblem, checksum only";
const char *const count = "enumeratedCount";
const char *const draw = "draw 6: drawPositions + takeDrawn";
const char *const buildAndDraw = "buildCatalogue + draw 6";

std::vector<Problem> bareCatalogue()
{
    std::vector<Problem> problems;
    problems.reserve(90000);
    for (qint32 d = 1000; d <= 9999; ++d)
        for (qint32 q = 0; q <= 9; ++q)
            problems.push_back(Problem{q, d, 0, d * q});
    return problems;
}

void catalogueBenchmark(Report &report, const Options &options)
{
    const ProblemSettings settings{QuotientClass::Q1_9, DivisorClass::D1000_9999, 2, false};
    TRandom rng;
    rng.randomize();

    {
        TRandom check(1);
        const std::vector<Problem> built = buildCatalogue(settings, check);
        if (built != bareCatalogue())
            std::printf("  WARNING: the catalogue differs from the bare loop's problems\n");
    }

    report.add(measure(bareLoop, options, [] {
        const std::vector<Problem> problems = bareCatalogue();
        keep(problems.data());
        keep(problems.size());
    }));

    report.add(measure(build, options, [&] {
        const std::vector<Problem> problems = buildCatalogue(settings, rng);
        keep(problems.data());
        keep(problems.size());
    }));

    report.add(measure(visit, options, [&] {
        qint64 sum = 0;
        forEachCatalogueProblem(settings, rng, [&sum](const Problem &p) { sum += p.dividend; });
        keep(sum);
    }));

    report.add(measure(count, options, [&] { keep(enumeratedCount(settings)); }));

    const SheetShape shape = sheetShape(settings);
    const std::vector<Problem> full = buildCatalogue(settings, rng);
    std::vector<Problem> catalogue;
    report.add(measure(
        draw, options, [&] { catalogue = full; },
        [&] {
            const std::vector<Problem> sheet =
                takeDrawn(catalogue, sheetDraw(settings, int(catalogue.size()), 0, shape.problemCount(), TRandom::clockSeed()));
            keep(sheet.data());
            keep(catalogue.size());
        }));

    // A whole sheet as every sheet is made: the catalogue, then the draw.
    report.add(measure(buildAndDraw, options, [&] {
        const std::vector<Problem> sheet = makeSheet(settings, {0, TRandom::clockSeed()});
        keep(sheet.data());
    }));

    report.addRatio("buildCatalogue / bare loop", build, bareLoop);
    report.addRatio("draw 6 / bare loop", draw, bareLoop);
    report.addRatio("buildCatalogue + draw 6 / bare loop", buildAndDraw, bareLoop);
    report.note("sheet " + std::to_string(shape.rows) + " x " + std::to_string(shape.columns) + ", catalogue of "
                + std::to_string(enumeratedCount(settings)) + " problems, " + std::to_string(sizeof(Problem))
                + " bytes each");
}

const Registration registration("catalogue", "quotient 1..9 x divisor 1000..9999, no remainder",
                                catalogueBenchmark);

} // namespace
} // namespace divisheet::bench
