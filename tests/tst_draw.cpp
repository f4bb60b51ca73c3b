// The draw of a sheet's problems out of the catalogue: lengths, ranges, no repetition, the
// order of what is left, and a chi-square check of uniformity that a biased draw fails.

#include "sheet/ProblemDraw.h"
#include "sheet/SheetCode.h"
#include "sheet/SheetMaker.h"
#include "platform/Random.h"

#include <QtTest>

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <set>

using namespace divisheet;

namespace {

using DrawFunction = std::function<std::vector<int>(int available, int count, TRandom &rng)>;

std::vector<int> iota(int count, int first = 1)
{
    std::vector<int> v(std::size_t(std::max(count, 0)));
    std::iota(v.begin(), v.end(), first);
    return v;
}

// What of a draw the uniformity check looks at.
enum class View { FirstDrawn, OrderedDraw, SetDrawn };

// Draws `trials` times from a catalogue 0 .. available - 1 and compares how often each
// outcome came up with the uniform expectation over `bins` outcomes.
double chiSquare(const DrawFunction &draw, int available, int count, View view, int bins, int trials)
{
    TRandom rng(987654321u);
    std::map<std::vector<int>, int> seen;
    for (int t = 0; t < trials; ++t) {
        std::vector<int> catalogue = iota(available, 0);
        std::vector<int> drawn = takeDrawn(catalogue, draw(available, count, rng));
        if (view == View::FirstDrawn)
            drawn.resize(1);
        else if (view == View::SetDrawn)
            std::sort(drawn.begin(), drawn.end());
        ++seen[drawn];
    }
    const double expected = double(trials) / bins;
    double sum = 0;
    for (const auto &entry : seen)
        sum += (entry.second - expected) * (entry.second - expected) / expected;
    // An outcome that never came up counts with its whole expectation; an outcome beyond
    // the `bins` possible ones makes the statistic fail on its own.
    if (int(seen.size()) > bins)
        return 1e9;
    sum += (bins - int(seen.size())) * expected;
    return sum;
}

// Draws that are wrong in ways a shuffled-looking sheet would not show.
std::vector<int> lastPositionTwiceAsLikely(int available, int count, TRandom &rng)
{
    std::vector<int> positions;
    for (int left = available; left > 0 && int(positions.size()) < count; --left)
        positions.push_back(std::min(int(rng.random(quint32(left + 1))), left - 1) + 1);
    return positions;
}

std::vector<int> lastPositionFifthMoreLikely(int available, int count, TRandom &rng)
{
    std::vector<int> positions;
    for (int left = available; left > 0 && int(positions.size()) < count; --left)
        positions.push_back(std::min(int(rng.random(quint32(5 * left + 1))) / 5, left - 1) + 1);
    return positions;
}

// Uniform at every single step, but the second problem is mostly the neighbour of the first.
std::vector<int> secondFollowsFirst(int available, int count, TRandom &rng)
{
    std::vector<int> positions;
    for (int left = available; left > 0 && int(positions.size()) < count; --left) {
        const int j = int(rng.random(quint32(left))) + 1;
        positions.push_back(!positions.empty() && positions.front() <= left && rng.random(4) != 0
                                ? positions.front()
                                : j);
    }
    return positions;
}

} // namespace

Q_DECLARE_METATYPE(View)

namespace {

// The columns of a chi-square check of a draw: what is drawn, how the outcomes are binned,
// the critical value and the number of trials.
void addChiSquareColumns()
{
    QTest::addColumn<int>("available");
    QTest::addColumn<int>("count");
    QTest::addColumn<View>("view");
    QTest::addColumn<int>("bins");
    QTest::addColumn<double>("critical");
    QTest::addColumn<int>("trials");
}

// The chi-square statistic of `draw` for the check of the current row.
double chiSquareOfRow(const DrawFunction &draw)
{
    QFETCH(int, available);
    QFETCH(int, count);
    QFETCH(View, view);
    QFETCH(int, bins);
    QFETCH(int, trials);
    return chiSquare(draw, available, count, view, bins, trials);
}

} // namespace

class TestDraw : public QObject
{
    Q_OBJECT

private slots:
    void lengths_data();
    void lengths();
    void positionsStayInTheShrinkingCatalogue();
    void drawnProblemsLeaveTheRestInOrder_data();
    void drawnProblemsLeaveTheRestInOrder();
    void repeatedDrawsExhaustTheCatalogue();
    void takeDrawnStopsAtAPositionOutside();
    void uniformity_data();
    void uniformity();
    void biasedDrawsFailTheSameCheck_data();
    void biasedDrawsFailTheSameCheck();
};

void TestDraw::lengths_data()
{
    QTest::addColumn<int>("available");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("expected");
    QTest::newRow("ten of ten") << 10 << 10 << 10;
    QTest::newRow("fifteen of ninety") << 90 << 15 << 15;
    QTest::newRow("four of six") << 6 << 4 << 4;
    QTest::newRow("one of one") << 1 << 1 << 1;
    QTest::newRow("five of three stops at three") << 3 << 5 << 3;
    QTest::newRow("ten of an empty catalogue") << 0 << 10 << 0;
    QTest::newRow("none of five") << 5 << 0 << 0;
    QTest::newRow("negative count") << 5 << -2 << 0;
    QTest::newRow("negative catalogue") << -4 << 3 << 0;
}

void TestDraw::lengths()
{
    QFETCH(int, available);
    QFETCH(int, count);
    QFETCH(int, expected);
    TRandom rng(5);
    QCOMPARE(int(drawPositions(available, count, rng).size()), expected);
}

void TestDraw::positionsStayInTheShrinkingCatalogue()
{
    // The k-th position (1-based) indexes a catalogue that has lost k - 1 problems; every
    // position of it must come up, the last one included.
    TRandom rng(11);
    const int available = 12;
    std::vector<std::set<int>> seen(static_cast<std::size_t>(available));
    for (int t = 0; t < 5000; ++t) {
        const std::vector<int> positions = drawPositions(available, available, rng);
        QCOMPARE(int(positions.size()), available);
        for (int k = 0; k < available; ++k) {
            const int j = positions[std::size_t(k)];
            QVERIFY2(j >= 1 && j <= available - k, qPrintable(QStringLiteral("draw %1 gave %2").arg(k + 1).arg(j)));
            seen[std::size_t(k)].insert(j);
        }
    }
    for (int k = 0; k < available; ++k)
        QCOMPARE(int(seen[std::size_t(k)].size()), available - k);
}

void TestDraw::drawnProblemsLeaveTheRestInOrder_data()
{
    QTest::addColumn<int>("available");
    QTest::addColumn<int>("count");
    QTest::newRow("default sheet: ten of ten") << 10 << 10;
    QTest::newRow("fifteen of ninety") << 90 << 15;
    QTest::newRow("four of a random six") << 6 << 4;
    QTest::newRow("six of ninety thousand") << 90000 << 6;
}

void TestDraw::drawnProblemsLeaveTheRestInOrder()
{
    QFETCH(int, available);
    QFETCH(int, count);
    for (quint32 seed = 1; seed <= 50; ++seed) {
        TRandom rng(seed * 7919u);
        const std::vector<int> original = iota(available); // serial numbers 1 .. available
        std::vector<int> catalogue = original;
        const std::vector<int> drawn = takeDrawn(catalogue, drawPositions(available, count, rng));

        QCOMPARE(int(drawn.size()), count);
        QCOMPARE(int(catalogue.size()), available - count);
        const std::set<int> distinct(drawn.begin(), drawn.end());
        QCOMPARE(int(distinct.size()), count);

        // What is left is the original with exactly the drawn serials taken out.
        std::vector<int> expectedRest;
        std::copy_if(original.begin(), original.end(), std::back_inserter(expectedRest),
                     [&distinct](int serial) { return distinct.count(serial) == 0; });
        QCOMPARE(catalogue, expectedRest);
    }
}

void TestDraw::repeatedDrawsExhaustTheCatalogue()
{
    // Drawing again without rebuilding takes only what is left, and stops when nothing is.
    TRandom rng(3);
    std::vector<int> catalogue = iota(6);
    std::vector<int> all = takeDrawn(catalogue, drawPositions(int(catalogue.size()), 4, rng));
    QCOMPARE(int(all.size()), 4);

    const std::vector<int> second = takeDrawn(catalogue, drawPositions(int(catalogue.size()), 4, rng));
    QCOMPARE(int(second.size()), 2);
    QVERIFY(catalogue.empty());
    all.insert(all.end(), second.begin(), second.end());
    std::sort(all.begin(), all.end());
    QCOMPARE(all, iota(6));

    QVERIFY(takeDrawn(catalogue, drawPositions(int(catalogue.size()), 4, rng)).empty());
}

void TestDraw::takeDrawnStopsAtAPositionOutside()
{
    std::vector<int> catalogue = {10, 20, 30, 40, 50};
    const std::vector<int> drawn = takeDrawn(catalogue, {3, 5, 1});
    QCOMPARE(drawn, std::vector<int>({30})); // after one draw only four are left
    QCOMPARE(catalogue, std::vector<int>({10, 20, 40, 50}));
    QVERIFY(takeDrawn(catalogue, {0}).empty());
    QCOMPARE(int(catalogue.size()), 4);
}

// Critical values of the chi-square distribution at a significance of 0.001.
void TestDraw::uniformity_data()
{
    addChiSquareColumns();
    QTest::addColumn<bool>("mixed"); // the sheet's draw of mixed remainders, the first half without
    QTest::newRow("first of ten") << 10 << 3 << View::FirstDrawn << 10 << 27.877 << 20000 << false;
    QTest::newRow("ordered pairs of six") << 6 << 2 << View::OrderedDraw << 30 << 58.301 << 30000 << false;
    QTest::newRow("three of seven as a set") << 7 << 3 << View::SetDrawn << 35 << 65.247 << 35000 << false;
    QTest::newRow("whole order of four") << 4 << 4 << View::OrderedDraw << 24 << 49.728 << 24000 << false;
    // One of either half, in either place: 3 x 3 x 2 outcomes.
    QTest::newRow("mixed, ordered pairs of six") << 6 << 2 << View::OrderedDraw << 18 << 40.790 << 18000 << true;
    // One of one half and two of the other, the odd one to either half: 2 x 4 x 6 sets.
    QTest::newRow("mixed, three of eight as a set") << 8 << 3 << View::SetDrawn << 48 << 82.720 << 24000 << true;
}

void TestDraw::uniformity()
{
    QFETCH(double, critical);
    QFETCH(bool, mixed);
    ProblemSettings mixing{QuotientClass::Q1_9, DivisorClass::D11_99, 2, true};
    mixing.focus.mixedRemainder = true;
    const auto mixedDraw = [&mixing](int available, int count, TRandom &rng) {
        return sheetDraw(mixing, available, available / 2, count, rng.random(sheetCodeSeedLimit));
    };
    const double statistic = mixed ? chiSquareOfRow(mixedDraw) : chiSquareOfRow(drawPositions);
    QVERIFY2(statistic < critical, qPrintable(QStringLiteral("chi-square %1 >= %2").arg(statistic).arg(critical)));
}

void TestDraw::biasedDrawsFailTheSameCheck_data()
{
    QTest::addColumn<int>("bias");
    addChiSquareColumns();
    QTest::newRow("last twice as likely, first of ten") << 0 << 10 << 3 << View::FirstDrawn << 10 << 27.877 << 20000;
    QTest::newRow("last a fifth more likely, first of ten") << 1 << 10 << 3 << View::FirstDrawn << 10 << 27.877 << 20000;
    QTest::newRow("second follows first, ordered pairs of six") << 2 << 6 << 2 << View::OrderedDraw << 30 << 58.301 << 30000;
    QTest::newRow("last a fifth more likely, three of seven") << 1 << 7 << 3 << View::SetDrawn << 35 << 65.247 << 35000;
}

void TestDraw::biasedDrawsFailTheSameCheck()
{
    QFETCH(int, bias);
    QFETCH(double, critical);
    const DrawFunction biased[] = {lastPositionTwiceAsLikely, lastPositionFifthMoreLikely, secondFollowsFirst};
    const double statistic = chiSquareOfRow(biased[bias]);
    QVERIFY2(statistic > critical, qPrintable(QStringLiteral("chi-square %1 <= %2").arg(statistic).arg(critical)));
}

QTEST_GUILESS_MAIN(TestDraw)
#include "tst_draw.moc"
