// Checks the problem catalogue of every setting against counts and shapes worked out here
// from the digit patterns of the classes, independently of how the catalogue builds them.

#include "sheet/ProblemCatalogue.h"
#include "sheet/ProblemClasses.h"
#include "sheet/SheetMaker.h"
#include "platform/Random.h"
#include "ClassOracle.h"

#include <QtTest>

#include <array>
#include <set>
#include <tuple>

using namespace divisheet;
using namespace divisheet::test;
using namespace Qt::StringLiterals;
using Q = QuotientClass;
using D = DivisorClass;

Q_DECLARE_METATYPE(divisheet::QuotientClass)
Q_DECLARE_METATYPE(divisheet::DivisorClass)
Q_DECLARE_METATYPE(divisheet::Problem)

namespace {

// A row's name: "1..9 x fixed:3", "11..99 x 110..990".
QByteArray rowName(Q q, D d, int fixedDivisor = 2)
{
    return (quotientClassName(q) + u" x "_s + divisorClassName(d, fixedDivisor)).toUtf8();
}

template<typename Class>
int classSize(Class c)
{
    int size = 0;
    for (int n = 1; n <= 9999; ++n)
        size += inClass(c, n) ? 1 : 0;
    return size;
}

// Counts by running over every divisor and quotient the program could ever use.
qint64 bruteForceCount(const ProblemSettings &s)
{
    qint64 quotients = 0;
    for (int q = 0; q <= 999; ++q)
        quotients += quotientBelongs(s, q) ? 1 : 0;
    qint64 perQuotient = 0;
    for (int d = 1; d <= 9999; ++d) {
        if (divisorBelongs(s, d))
            perQuotient += s.withRemainder ? d - 1 : 1;
    }
    return quotients * perQuotient;
}

// --- The case table: N and the sheet for both remainder choices --------------------------

constexpr int randomCatalogue = -1;

struct Shape
{
    int rows;
    int columns;
};

struct CaseRow
{
    Q quotient;
    D divisor;
    int countWithout;
    Shape sheetWithout;
    int countWith; // 0 for a fixed divisor: countsWithFixed
    Shape sheetWith;
    Shape sheetWithSmallFixed; // fixed divisor F <= 2, with remainder
    std::array<int, 5> countsWithFixed{}; // for each of the fixedDivisors, with remainder
};

const CaseRow caseTable[] = {
    {Q::Q1_9, D::Fixed, 10, {2, 5}, 0, {3, 4}, {2, 5}, {0, 10, 20, 40, 80}},
    {Q::Q1_9, D::D1_9, 90, {3, 5}, 360, {3, 4}, {}},
    {Q::Q1_9, D::D10_90, 90, {3, 4}, 4410, {3, 3}, {}},
    {Q::Q1_9, D::D11_99, 729, {3, 4}, 43740, {3, 3}, {}},
    {Q::Q1_9, D::D100_900, 90, {3, 3}, 44910, {3, 2}, {}},
    {Q::Q1_9, D::D101_909, 810, {3, 3}, randomCatalogue, {3, 2}, {}},
    {Q::Q1_9, D::D110_990, 810, {3, 3}, randomCatalogue, {3, 2}, {}},
    {Q::Q1_9, D::D111_999, 7290, {3, 3}, randomCatalogue, {3, 2}, {}},
    {Q::Q1_9, D::D1000_9999, 90000, {3, 2}, randomCatalogue, {3, 2}, {}},
    {Q::Q10_90, D::Fixed, 9, {2, 4}, 0, {3, 4}, {2, 4}, {0, 9, 18, 36, 72}},
    {Q::Q10_90, D::D1_9, 72, {3, 5}, 324, {3, 4}, {}},
    {Q::Q10_90, D::D10_90, 81, {3, 4}, 3969, {3, 3}, {}},
    {Q::Q10_90, D::D11_99, 729, {3, 4}, 39366, {3, 3}, {}},
    {Q::Q10_90, D::D100_900, 81, {3, 3}, randomCatalogue, {3, 2}, {}},
    {Q::Q10_90, D::D101_909, 729, {3, 3}, randomCatalogue, {3, 2}, {}},
    {Q::Q10_90, D::D110_990, 729, {3, 3}, randomCatalogue, {3, 2}, {}},
    {Q::Q10_90, D::D111_999, 6561, {3, 3}, randomCatalogue, {3, 2}, {}},
    {Q::Q11_99, D::Fixed, 81, {2, 5}, 0, {2, 4}, {2, 4}, {0, 81, 162, 324, 648}},
    {Q::Q11_99, D::D1_9, 729, {2, 4}, 2916, {2, 4}, {}},
    {Q::Q11_99, D::D10_90, 729, {2, 4}, 35721, {2, 3}, {}},
    {Q::Q11_99, D::D11_99, 6561, {2, 4}, randomCatalogue, {2, 3}, {}},
    {Q::Q11_99, D::D100_900, 729, {2, 3}, randomCatalogue, {2, 2}, {}},
    {Q::Q11_99, D::D101_909, 6561, {2, 3}, randomCatalogue, {2, 2}, {}},
    {Q::Q11_99, D::D110_990, 6480, {2, 3}, randomCatalogue, {2, 2}, {}},
    {Q::Q11_99, D::D111_999, 59049, {2, 3}, randomCatalogue, {2, 2}, {}},
    {Q::Q100_900, D::Fixed, 9, {2, 4}, 0, {3, 3}, {2, 3}, {0, 9, 18, 36, 72}},
    {Q::Q100_900, D::D1_9, 81, {3, 4}, 324, {3, 3}, {}},
    {Q::Q100_900, D::D10_90, 81, {3, 3}, 3969, {3, 2}, {}},
    {Q::Q100_900, D::D11_99, 729, {3, 3}, 39366, {3, 2}, {}},
    {Q::Q101_909, D::Fixed, 81, {2, 4}, 0, {2, 3}, {2, 3}, {0, 81, 162, 324, 648}},
    {Q::Q101_909, D::D1_9, 729, {2, 4}, 2916, {2, 3}, {}},
    {Q::Q101_909, D::D10_90, 729, {2, 3}, 35721, {2, 2}, {}},
    {Q::Q101_909, D::D11_99, 6561, {2, 3}, randomCatalogue, {2, 2}, {}},
    {Q::Q110_990, D::Fixed, 81, {2, 4}, 0, {2, 3}, {2, 3}, {0, 90, 180, 360, 720}},
    {Q::Q110_990, D::D1_9, 729, {2, 4}, 2916, {2, 3}, {}},
    {Q::Q110_990, D::D10_90, 729, {2, 3}, 35721, {2, 2}, {}},
    {Q::Q110_990, D::D11_99, 7290, {2, 3}, randomCatalogue, {2, 2}, {}},
    {Q::Q111_999, D::Fixed, 729, {1, 4}, 0, {1, 3}, {1, 3}, {0, 729, 1458, 2916, 5832}},
    {Q::Q111_999, D::D1_9, 6561, {1, 4}, 26244, {1, 3}, {}},
    {Q::Q111_999, D::D10_90, 6561, {1, 3}, randomCatalogue, {1, 3}, {}},
    {Q::Q111_999, D::D11_99, 59049, {1, 3}, randomCatalogue, {1, 2}, {}},
};

const int fixedDivisors[] = {1, 2, 3, 5, 9};

ProblemSettings settingsOf(Q q, D d, int fixed, bool withRemainder)
{
    return ProblemSettings{q, d, fixed, withRemainder};
}

// Every problem, checked against the invariants and the case rules; returns the first fault.
QString faultOf(const ProblemSettings &s, const Problem &p)
{
    if (p.dividend != p.divisor * p.quotient + p.remainder)
        return u"dividend is not divisor x quotient + remainder"_s;
    if (p.remainder < 0 || p.remainder >= p.divisor)
        return u"remainder outside 0 .. divisor - 1"_s;
    if (!s.withRemainder && p.remainder != 0)
        return u"remainder without the remainder choice"_s;
    if (s.withRemainder && (p.remainder < 1 || p.remainder > p.divisor - 1))
        return u"remainder outside 1 .. divisor - 1"_s;
    if (p.dividend < 0 || p.dividend > 99999 || p.quotient > 999 || p.divisor > 9999)
        return u"more digits than the figures hold"_s;
    return QString();
}

QString describe(const Problem &p)
{
    return u"%1 / %2 = %3 r %4"_s.arg(p.dividend).arg(p.divisor).arg(p.quotient).arg(p.remainder);
}

} // namespace

namespace QTest {
template<>
char *toString(const divisheet::Problem &p)
{
    return qstrdup(describe(p).toUtf8().constData());
}
} // namespace QTest

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void allowedCombinations_data();
    void allowedCombinations();
    void caseTableHoldsEveryAllowedCombination();

    void catalogue_data();
    void catalogue();

    void namedProblems_data();
    void namedProblems();
    void defaultSettingsAreTheEvenNumbers();
    void fixedDivisorWithRemainderSkipsMultiples_data();
    void fixedDivisorWithRemainderSkipsMultiples();
    void quotients110To990WithFixedDivisor_data();
    void quotients110To990WithFixedDivisor();
    void fixedDivisorOneWithRemainderIsEmpty_data();
    void fixedDivisorOneWithRemainderIsEmpty();
    void unusableSettingsGiveNothing_data();
    void unusableSettingsGiveNothing();

    void randomCatalogues_data();
    void randomCatalogues();
    void randomDrawsFollowTheDigitOrder_data();
    void randomDrawsFollowTheDigitOrder();

    void captions_data();
    void captions();
};

void TestCatalogue::allowedCombinations_data()
{
    QTest::addColumn<Q>("quotient");
    QTest::addColumn<D>("divisor");
    QTest::addColumn<bool>("allowed");

    for (const Q q : allQuotientClasses) {
        for (const D d : allDivisorClasses)
            QTest::newRow(rowName(q, d).constData()) << q << d << offered(q, d);
    }
}

void TestCatalogue::allowedCombinations()
{
    QFETCH(Q, quotient);
    QFETCH(D, divisor);
    QFETCH(bool, allowed);
    QCOMPARE(isAllowedCombination(quotient, divisor), allowed);
}

void TestCatalogue::caseTableHoldsEveryAllowedCombination()
{
    std::set<std::pair<int, int>> inTable;
    for (const CaseRow &row : caseTable)
        inTable.insert({int(row.quotient), int(row.divisor)});
    for (const Q q : allQuotientClasses) {
        for (const D d : allDivisorClasses) {
            const bool listed = inTable.count({int(q), int(d)}) == 1;
            QVERIFY2(listed == isAllowedCombination(q, d), rowName(q, d).constData());
        }
    }
}

void TestCatalogue::catalogue_data()
{
    QTest::addColumn<Q>("quotient");
    QTest::addColumn<D>("divisor");
    QTest::addColumn<int>("fixedDivisor");
    QTest::addColumn<bool>("withRemainder");
    QTest::addColumn<int>("expectedCount"); // randomCatalogue for the six drawn problems
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");

    for (const CaseRow &row : caseTable) {
        const bool fixed = row.divisor == D::Fixed;
        for (std::size_t i = 0; i < (fixed ? std::size(fixedDivisors) : 1); ++i) {
            const int f = fixed ? fixedDivisors[i] : 2;
            const QByteArray base = rowName(row.quotient, row.divisor, f);
            QTest::newRow((base + " without remainder").constData())
                << row.quotient << row.divisor << f << false << row.countWithout
                << row.sheetWithout.rows << row.sheetWithout.columns;
            const int countWith = fixed ? row.countsWithFixed[i] : row.countWith;
            const Shape sheetWith = (fixed && f <= 2) ? row.sheetWithSmallFixed : row.sheetWith;
            QTest::newRow((base + " with remainder").constData())
                << row.quotient << row.divisor << f << true << countWith << sheetWith.rows << sheetWith.columns;
        }
    }
}

void TestCatalogue::catalogue()
{
    QFETCH(Q, quotient);
    QFETCH(D, divisor);
    QFETCH(int, fixedDivisor);
    QFETCH(bool, withRemainder);
    QFETCH(int, expectedCount);
    QFETCH(int, rows);
    QFETCH(int, columns);

    const ProblemSettings s = settingsOf(quotient, divisor, fixedDivisor, withRemainder);
    const SheetShape shape = sheetShape(s);
    QCOMPARE(shape.rows, rows);
    QCOMPARE(shape.columns, columns);

    const bool random = expectedCount == randomCatalogue;
    QCOMPARE(isRandomCatalogue(s), random);

    TRandom rng(20261207);
    std::vector<Problem> problems;
    const int emitted = forEachCatalogueProblem(s, rng, [&problems](const Problem &p) { problems.push_back(p); });
    QCOMPARE(emitted, int(problems.size()));
    QCOMPARE(enumeratedCount(s), int(problems.size()));

    if (random) {
        QCOMPARE(int(problems.size()), 6);
        return; // membership of the drawn problems: randomCatalogues()
    }

    // Two independent counts: the table's and one over every number the program could use.
    QCOMPARE(int(problems.size()), expectedCount);
    QCOMPARE(bruteForceCount(s), qint64(expectedCount));

    TRandom other(1);
    QCOMPARE(buildCatalogue(s, other), problems);

    // Each problem belongs to the case, and the order is strictly divisor, quotient,
    // remainder ascending; with the count equal to the brute-force count this makes the
    // catalogue exactly the set of the case, each problem once.
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const Problem &p = problems[i];
        QString fault = faultOf(s, p);
        if (fault.isEmpty() && !quotientBelongs(s, p.quotient))
            fault = u"quotient not of the case"_s;
        if (fault.isEmpty() && !divisorBelongs(s, p.divisor))
            fault = u"divisor not of the case"_s;
        if (fault.isEmpty() && i > 0) {
            const Problem &before = problems[i - 1];
            if (std::tie(before.divisor, before.quotient, before.remainder) >= std::tie(p.divisor, p.quotient, p.remainder))
                fault = u"out of order after "_s + describe(before);
        }
        if (!fault.isEmpty())
            QFAIL(qPrintable(u"problem %1 (%2): %3"_s.arg(i + 1).arg(describe(p), fault)));
    }
}

void TestCatalogue::namedProblems_data()
{
    QTest::addColumn<Q>("quotient");
    QTest::addColumn<D>("divisor");
    QTest::addColumn<int>("fixedDivisor");
    QTest::addColumn<bool>("withRemainder");
    QTest::addColumn<int>("serial"); // 1-based; 0 means the last problem
    QTest::addColumn<Problem>("expected");

    // Problem{quotient, divisor, remainder, dividend}
    QTest::newRow("default settings first: 0 / 2") << Q::Q1_9 << D::Fixed << 2 << false << 1 << Problem{0, 2, 0, 0};
    QTest::newRow("default settings last: 18 / 2") << Q::Q1_9 << D::Fixed << 2 << false << 0 << Problem{9, 2, 0, 18};
    QTest::newRow("fixed 3 with remainder first: 1 / 3") << Q::Q1_9 << D::Fixed << 3 << true << 1 << Problem{0, 3, 1, 1};
    QTest::newRow("fixed 3 with remainder last: 29 / 3") << Q::Q1_9 << D::Fixed << 3 << true << 0 << Problem{9, 3, 2, 29};
    QTest::newRow("q1_9 x d1_9 first: 0 / 1") << Q::Q1_9 << D::D1_9 << 2 << false << 1 << Problem{0, 1, 0, 0};
    QTest::newRow("q10_90 x d1_9 first: 20 / 2") << Q::Q10_90 << D::D1_9 << 2 << false << 1 << Problem{10, 2, 0, 20};
    QTest::newRow("q1_9 x d11_99 first: 11 / 11") << Q::Q1_9 << D::D11_99 << 2 << false << 1 << Problem{1, 11, 0, 11};
    QTest::newRow("q1_9 x d11_99 with remainder first: 1 / 11") << Q::Q1_9 << D::D11_99 << 2 << true << 1 << Problem{0, 11, 1, 1};
    QTest::newRow("q11_99 x d110_990 first: 1320 / 120") << Q::Q11_99 << D::D110_990 << 2 << false << 1 << Problem{11, 120, 0, 1320};
    QTest::newRow("q11_99 x d110_990 last: 98010 / 990") << Q::Q11_99 << D::D110_990 << 2 << false << 0 << Problem{99, 990, 0, 98010};
    QTest::newRow("q110_990 x d11_99 first: 1100 / 10") << Q::Q110_990 << D::D11_99 << 2 << false << 1 << Problem{110, 10, 0, 1100};
    QTest::newRow("q110_990 x d11_99 last: 98010 / 99") << Q::Q110_990 << D::D11_99 << 2 << false << 0 << Problem{990, 99, 0, 98010};
    QTest::newRow("q110_990 x fixed 4 with remainder first: 401 / 4") << Q::Q110_990 << D::Fixed << 4 << true << 1 << Problem{100, 4, 1, 401};
    QTest::newRow("q1_9 x d1000_9999 first: 0 / 1000") << Q::Q1_9 << D::D1000_9999 << 2 << false << 1 << Problem{0, 1000, 0, 0};
    QTest::newRow("q1_9 x d1000_9999 last: 89991 / 9999") << Q::Q1_9 << D::D1000_9999 << 2 << false << 0 << Problem{9, 9999, 0, 89991};
    QTest::newRow("q1_9 x d100_900 with remainder last: 8999 / 900") << Q::Q1_9 << D::D100_900 << 2 << true << 0 << Problem{9, 900, 899, 8999};
    QTest::newRow("q111_999 x d11_99 last: 98901 / 99") << Q::Q111_999 << D::D11_99 << 2 << false << 0 << Problem{999, 99, 0, 98901};
}

void TestCatalogue::namedProblems()
{
    QFETCH(Q, quotient);
    QFETCH(D, divisor);
    QFETCH(int, fixedDivisor);
    QFETCH(bool, withRemainder);
    QFETCH(int, serial);
    QFETCH(Problem, expected);

    TRandom rng(7);
    const std::vector<Problem> problems = buildCatalogue(settingsOf(quotient, divisor, fixedDivisor, withRemainder), rng);
    QVERIFY(!problems.empty());
    QVERIFY(serial <= int(problems.size()));
    QCOMPARE(serial == 0 ? problems.back() : problems[std::size_t(serial - 1)], expected);
}

void TestCatalogue::defaultSettingsAreTheEvenNumbers()
{
    TRandom rng(7);
    const std::vector<Problem> problems = buildCatalogue(settingsOf(Q::Q1_9, D::Fixed, 2, false), rng);
    QCOMPARE(int(problems.size()), 10);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(problems[std::size_t(i)], (Problem{i, 2, 0, 2 * i}));
    QCOMPARE(sheetShape(settingsOf(Q::Q1_9, D::Fixed, 2, false)).problemCount(), 10); // 2 x 5, all of them
}

void TestCatalogue::fixedDivisorWithRemainderSkipsMultiples_data()
{
    QTest::addColumn<int>("fixedDivisor");
    for (int f = 2; f <= 9; ++f)
        QTest::addRow("fixed %d", f) << f;
}

void TestCatalogue::fixedDivisorWithRemainderSkipsMultiples()
{
    // With quotients 0..9 the dividends are exactly 1 .. 10F - 1 without the multiples of F,
    // ascending (for F = 3: 1, 2, 4, 5, 7, 8 ... 28, 29).
    QFETCH(int, fixedDivisor);
    TRandom rng(7);
    const std::vector<Problem> problems = buildCatalogue(settingsOf(Q::Q1_9, D::Fixed, fixedDivisor, true), rng);
    std::vector<int> dividends;
    for (const Problem &p : problems)
        dividends.push_back(p.dividend);
    std::vector<int> expected;
    for (int n = 1; n < 10 * fixedDivisor; ++n) {
        if (n % fixedDivisor != 0)
            expected.push_back(n);
    }
    QCOMPARE(dividends, expected);
}

void TestCatalogue::quotients110To990WithFixedDivisor_data()
{
    QTest::addColumn<bool>("withRemainder");
    QTest::addColumn<int>("distinctQuotients");
    QTest::addColumn<bool>("roundHundreds");
    // With a remainder every multiple of 10 from 100 to 990 is a quotient; without one the
    // class keeps its own pattern, without the round hundreds.
    QTest::newRow("with remainder: 100, 110 ... 990") << true << 90 << true;
    QTest::newRow("without remainder: 110 ... 990, no round hundreds") << false << 81 << false;
}

void TestCatalogue::quotients110To990WithFixedDivisor()
{
    QFETCH(bool, withRemainder);
    QFETCH(int, distinctQuotients);
    QFETCH(bool, roundHundreds);
    TRandom rng(7);
    std::set<int> quotients;
    for (const Problem &p : buildCatalogue(settingsOf(Q::Q110_990, D::Fixed, 3, withRemainder), rng))
        quotients.insert(p.quotient);
    QCOMPARE(int(quotients.size()), distinctQuotients);
    for (int hundred = 100; hundred <= 900; hundred += 100)
        QVERIFY2(quotients.count(hundred) == (roundHundreds ? 1u : 0u), qPrintable(QString::number(hundred)));
}

void TestCatalogue::fixedDivisorOneWithRemainderIsEmpty_data()
{
    QTest::addColumn<Q>("quotient");
    for (const Q q : allQuotientClasses)
        QTest::newRow(qPrintable(quotientClassName(q))) << q;
}

void TestCatalogue::fixedDivisorOneWithRemainderIsEmpty()
{
    QFETCH(Q, quotient);
    TRandom rng(7);
    const ProblemSettings s = settingsOf(quotient, D::Fixed, 1, true);
    QCOMPARE(enumeratedCount(s), 0);
    QVERIFY(buildCatalogue(s, rng).empty());
    QVERIFY(sheetShape(s).problemCount() > 0); // the sheet keeps its shape
}

void TestCatalogue::unusableSettingsGiveNothing_data()
{
    QTest::addColumn<Q>("quotient");
    QTest::addColumn<D>("divisor");
    QTest::addColumn<int>("fixedDivisor");
    QTest::addColumn<bool>("withRemainder");

    QTest::newRow("fixed 0") << Q::Q1_9 << D::Fixed << 0 << false;
    QTest::newRow("fixed -3 with remainder") << Q::Q11_99 << D::Fixed << -3 << true;
    QTest::newRow("fixed 10") << Q::Q1_9 << D::Fixed << 10 << false;
    QTest::newRow("q10_90 x d1000_9999") << Q::Q10_90 << D::D1000_9999 << 2 << false;
    QTest::newRow("q111_999 x d111_999 with remainder") << Q::Q111_999 << D::D111_999 << 2 << true;
    QTest::newRow("q100_900 x d100_900") << Q::Q100_900 << D::D100_900 << 2 << false;
}

void TestCatalogue::unusableSettingsGiveNothing()
{
    QFETCH(Q, quotient);
    QFETCH(D, divisor);
    QFETCH(int, fixedDivisor);
    QFETCH(bool, withRemainder);
    const ProblemSettings s = settingsOf(quotient, divisor, fixedDivisor, withRemainder);
    TRandom rng(7);
    QCOMPARE(enumeratedCount(s), 0);
    QVERIFY(buildCatalogue(s, rng).empty());
    if (!isAllowedCombination(quotient, divisor)) {
        QVERIFY(!isRandomCatalogue(s));
        QCOMPARE(sheetShape(s).problemCount(), 0);
    }
}

void TestCatalogue::randomCatalogues_data()
{
    QTest::addColumn<Q>("quotient");
    QTest::addColumn<D>("divisor");
    for (const CaseRow &row : caseTable) {
        if (row.countWith == randomCatalogue)
            QTest::newRow(rowName(row.quotient, row.divisor).constData()) << row.quotient << row.divisor;
    }
}

void TestCatalogue::randomCatalogues()
{
    QFETCH(Q, quotient);
    QFETCH(D, divisor);
    const ProblemSettings s = settingsOf(quotient, divisor, 2, true);
    // Whole classes: 1..9 draws never give 0, 110..990 draws include 110.

    std::set<int> quotientsSeen;
    std::set<int> divisorsSeen;
    for (quint32 seed = 0; seed < 2000; ++seed) {
        TRandom rng(seed * 2654435761u);
        const std::vector<Problem> problems = buildCatalogue(s, rng);
        QCOMPARE(int(problems.size()), 6);
        for (const Problem &p : problems) {
            QString fault = faultOf(s, p);
            if (fault.isEmpty() && !inClass(quotient, p.quotient))
                fault = u"quotient not of the class"_s;
            if (fault.isEmpty() && !inClass(divisor, p.divisor))
                fault = u"divisor not of the class"_s;
            if (!fault.isEmpty())
                QFAIL(qPrintable(u"seed %1, %2: %3"_s.arg(seed).arg(describe(p), fault)));
            quotientsSeen.insert(p.quotient);
            divisorsSeen.insert(p.divisor);
        }
    }
    // 12000 draws reach every member of a class of up to 729 numbers; a draw that misses
    // a digit (random(8) for random(9), say) leaves members out.
    QCOMPARE(int(quotientsSeen.size()), classSize(quotient));
    if (classSize(divisor) <= 729)
        QCOMPARE(int(divisorsSeen.size()), classSize(divisor));
    else
        QVERIFY(divisorsSeen.size() > 5000); // 9000 divisors: about 6600 distinct expected
}

void TestCatalogue::randomDrawsFollowTheDigitOrder_data()
{
    QTest::addColumn<Q>("quotient");
    QTest::addColumn<D>("divisor");
    QTest::addColumn<QString>("expected"); // quotient x divisor + remainder
    QTest::newRow("q111_999 x d11_99") << Q::Q111_999 << D::D11_99
        << u"733x56+49 589x76+28 463x36+14 265x54+48 758x13+10 535x47+34"_s;
    QTest::newRow("q11_99 x d110_990") << Q::Q11_99 << D::D110_990
        << u"73x350+218 85x890+656 64x460+118 36x420+239 55x490+333 58x130+98"_s;
    QTest::newRow("q101_909 x d11_99") << Q::Q101_909 << D::D11_99
        << u"703x35+22 805x89+65 604x46+12 306x42+24 505x49+33 508x13+10"_s;
    QTest::newRow("q1_9 x d1000_9999") << Q::Q1_9 << D::D1000_9999
        << u"7x3402+990 5x6602+5810 5x8882+8144 7x6967+2543 4x6422+1639 3x6384+2381"_s;
    QTest::newRow("q10_90 x d100_900") << Q::Q10_90 << D::D100_900
        << u"70x300+88 50x600+528 50x800+733 70x600+219 40x600+153 30x600+224"_s;
}

void TestCatalogue::randomDrawsFollowTheDigitOrder()
{
    // From seed 424242: the quotient, then the divisor, then the remainder, each number's digits
    // from the highest down, so that a sheet code keeps bringing back the same sheet.
    QFETCH(Q, quotient);
    QFETCH(D, divisor);
    QFETCH(QString, expected);
    TRandom rng(424242);
    QStringList drawn;
    for (const Problem &p : buildCatalogue(settingsOf(quotient, divisor, 2, true), rng))
        drawn << u"%1x%2+%3"_s.arg(p.quotient).arg(p.divisor).arg(p.remainder);
    QCOMPARE(drawn.join(u' '), expected);
}

void TestCatalogue::captions_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");
    QTest::newRow("q1_9") << quotientCaption(Q::Q1_9) << u"1..9"_s;
    QTest::newRow("q10_90") << quotientCaption(Q::Q10_90) << u"10..90"_s;
    QTest::newRow("q11_99") << quotientCaption(Q::Q11_99) << u"11..99"_s;
    QTest::newRow("q100_900") << quotientCaption(Q::Q100_900) << u"100..900"_s;
    QTest::newRow("q101_909") << quotientCaption(Q::Q101_909) << u"101..909"_s;
    QTest::newRow("q110_990") << quotientCaption(Q::Q110_990) << u"110..990"_s;
    QTest::newRow("q111_999") << quotientCaption(Q::Q111_999) << u"111..999"_s;
    QTest::newRow("fixed 2") << divisorCaption(D::Fixed, 2) << u"2で固定"_s;
    QTest::newRow("fixed 5") << divisorCaption(D::Fixed, 5) << u"5で固定"_s;
    QTest::newRow("d1_9") << divisorCaption(D::D1_9, 2) << u"1..9"_s;
    QTest::newRow("d10_90") << divisorCaption(D::D10_90, 2) << u"10..90"_s;
    QTest::newRow("d11_99") << divisorCaption(D::D11_99, 2) << u"11..99"_s;
    QTest::newRow("d100_900") << divisorCaption(D::D100_900, 2) << u"100..900"_s;
    QTest::newRow("d101_909") << divisorCaption(D::D101_909, 2) << u"101..909"_s;
    QTest::newRow("d110_990") << divisorCaption(D::D110_990, 2) << u"110..990"_s;
    QTest::newRow("d111_999") << divisorCaption(D::D111_999, 2) << u"111..999"_s;
    QTest::newRow("d1000_9999 reads 1000..9000") << divisorCaption(D::D1000_9999, 2) << u"1000..9000"_s;
}

void TestCatalogue::captions()
{
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    QCOMPARE(caption, expected);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
