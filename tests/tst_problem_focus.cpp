#include "sheet/ClassSet.h"
#include "sheet/FocusedCatalogue.h"
#include "sheet/PageLayout.h"
#include "sheet/ProblemFocus.h"
#include "sheet/SheetCode.h"
#include "sheet/SheetMaker.h"

#include <set>

#include <QTest>

using namespace Qt::Literals::StringLiterals;

using namespace divisheet;
using T = WorkingTags; // zeroInQuotient, lateStart, corrections, fromNine, dividendDigits
Q_DECLARE_METATYPE(divisheet::WorkingTags)
Q_DECLARE_METATYPE(divisheet::PracticeFocus)
Q_DECLARE_METATYPE(divisheet::ProblemSettings)

// The tags as a teacher finds them: long division on the dividend's decimal digits.
static T longDivision(const Problem &p, Estimate estimate)
{
    const std::string digits = std::to_string(p.dividend), divisor = std::to_string(p.divisor);
    const std::size_t k = divisor.size();
    const int up = estimate == Estimate::Round && k > 1 && divisor[1] >= '5' ? 1 : 0; // 四捨五入
    const int d = p.divisor, D = (divisor[0] - '0' + up) * std::stoi('1' + std::string(k - 1, '0'));
    std::size_t next = std::min(k, digits.size());
    int P = std::stoi(digits.substr(0, next));
    T t{false, digits.size() > k && P < d, 0, false, int(digits.size())};
    if (t.lateStart)
        P = P * 10 + digits[next++] - '0';
    for (const std::size_t first = next;; P = P % d * 10 + digits[next++] - '0') {
        t.zeroInQuotient = t.zeroInQuotient || (next > first && P < d);
        t.corrections += k > 1 ? std::abs(std::min(P / D, 9) - P / d) : 0;
        t.fromNine = t.fromNine || (k > 1 && P / D >= 10);
        if (next == digits.size())
            return t;
    }
}

// Whether tags worked out by long division meet the focus, as a teacher reads its choices.
static bool meets(const PracticeFocus &f, const T &t)
{
    const auto presence = [](Presence p, bool has) { return p == Presence::Either || has == (p == Presence::Always); };
    const bool corrections[] = {true, t.corrections == 0, t.corrections == 1, t.corrections >= 2, t.fromNine};
    return presence(f.zeroInQuotient, t.zeroInQuotient) && presence(f.lateStart, t.lateStart)
        && corrections[int(f.corrections)] && (f.dividendDigits == 0 || f.dividendDigits == t.dividendDigits);
}

// Each choice alone, a lesson's pair and mixed remainders, alone and with a choice.
static const PracticeFocus kChoices[] = {
    {Presence::Always}, {Presence::Never}, {Presence::Either, Presence::Always}, {Presence::Either, Presence::Never},
    {Presence::Either, Presence::Either, CorrectionFocus::None}, {Presence::Either, Presence::Either, CorrectionFocus::One},
    {Presence::Either, Presence::Either, CorrectionFocus::TwoOrMore},
    {Presence::Either, Presence::Either, CorrectionFocus::FromNine},
    {Presence::Either, Presence::Either, CorrectionFocus::One, Estimate::Floor},
    {Presence::Either, Presence::Never, CorrectionFocus::One},
    {Presence::Either, Presence::Either, CorrectionFocus::Any, Estimate::Round, false, 2},
    {Presence::Either, Presence::Either, CorrectionFocus::Any, Estimate::Round, false, 4},
    {Presence::Either, Presence::Either, CorrectionFocus::Any, Estimate::Round, true},
    {Presence::Always, Presence::Either, CorrectionFocus::Any, Estimate::Round, true},
};

static void row(int dividend, int divisor, T round, T floor)
{
    QTest::addRow("%d ÷ %d", dividend, divisor) << dividend << divisor << round << floor;
}

class TestProblemFocus : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples_data()
    {
        QTest::addColumn<int>("dividend");
        QTest::addColumn<int>("divisor");
        QTest::addColumn<T>("round");
        QTest::addColumn<T>("floor");
        row(642, 6, {true, false, 0, false, 3}, {true, false, 0, false, 3});
        row(840, 4, {true, false, 0, false, 3}, {true, false, 0, false, 3});
        row(84, 4, {false, false, 0, false, 2}, {false, false, 0, false, 2});
        row(252, 6, {false, true, 0, false, 3}, {false, true, 0, false, 3});
        row(5, 6, {false, false, 0, false, 1}, {false, false, 0, false, 1});
        row(0, 7, {false, false, 0, false, 1}, {false, false, 0, false, 1});
        row(1230, 41, {true, true, 0, false, 4}, {true, true, 0, false, 4});
        row(1785, 21, {false, true, 0, false, 4}, {false, true, 0, false, 4});
        row(76, 19, {false, false, 1, false, 2}, {false, false, 3, false, 2}); // 20: 3, 10: 7
        row(84, 21, {false, false, 0, false, 2}, {false, false, 0, false, 2});
        row(150, 16, {false, true, 2, false, 3}, {false, true, 0, true, 3}); // 20: 7, 10: 15
        row(205, 21, {false, true, 0, true, 3}, {false, true, 0, true, 3}); // 20: 10
        row(1234, 56, {false, true, 1, false, 4}, {false, true, 0, false, 4}); // 60: 114 gives 1
        row(2422, 24, {true, false, 1, false, 4}, {true, false, 1, false, 4}); // 20: 22 gives 1
        row(22, 24, {false, false, 1, false, 2}, {false, false, 1, false, 2});
        row(855, 95, {false, true, 1, false, 3}, {false, true, 0, false, 3}); // 100: 8, 90: 9
        row(950, 95, {true, false, 1, false, 3}, {true, false, 0, false, 3}); // 100: 95 gives 0
        row(7996, 1999, {false, false, 1, false, 4}, {false, false, 3, false, 4});
        row(99989, 9999, {false, true, 0, false, 5}, {false, true, 0, true, 5});
        row(1000, 1000, {false, false, 0, false, 4}, {false, false, 0, false, 4});
    }
    void workedExamples()
    {
        QFETCH(int, dividend);
        QFETCH(int, divisor);
        const Problem p{dividend / divisor, divisor, dividend % divisor, dividend};
        QTEST(workingTags(p, Estimate::Round), "round");
        QTEST(workingTags(p, Estimate::Floor), "floor");
        QTEST(longDivision(p, Estimate::Round), "round");
        QTEST(longDivision(p, Estimate::Floor), "floor");
    }

    // Every problem of every enumerated catalogue, and 3000 drawn for each random one.
    void everyCatalogueAgreesWithLongDivision()
    {
        for (const QuotientClass qc : allQuotientClasses)
            for (const DivisorClass dc : allDivisorClasses)
                for (int setting = 0; setting < (dc == DivisorClass::Fixed ? 18 : 2); ++setting) {
                    const ProblemSettings s{qc, dc, setting / 2 + 1, setting % 2 == 1};
                    TRandom rng(quint32(setting * 100 + int(qc) * 10 + int(dc)));
                    const bool allowed = settingsProblem(s).isEmpty();
                    for (const Problem &p : allowed ? buildCatalogue(s, rng, 3000) : std::vector<Problem>())
                        for (const Estimate e : {Estimate::Round, Estimate::Floor})
                            if (!(workingTags(p, e) == longDivision(p, e)))
                                QFAIL(qPrintable(QStringLiteral("%1 ÷ %2").arg(p.dividend).arg(p.divisor)));
                }
    }

    // Every enumerated catalogue under each choice: the focused catalogue is exactly the
    // problems whose long division has it, in catalogue order, and none is refused.
    void focusedCataloguesMatchLongDivision()
    {
        using P = Presence;
        using C = CorrectionFocus;
        const std::pair<PracticeFocus, bool (*)(const T &)> choices[] = {
            {{P::Always}, [](const T &t) { return t.zeroInQuotient; }},
            {{P::Never}, [](const T &t) { return !t.zeroInQuotient; }},
            {{P::Either, P::Always}, [](const T &t) { return t.lateStart; }},
            {{P::Either, P::Never, C::Any, Estimate::Round, false, 3}, [](const T &t) { return !t.lateStart && t.dividendDigits == 3; }},
            {{P::Either, P::Either, C::None}, [](const T &t) { return t.corrections == 0; }},
            {{P::Either, P::Either, C::One}, [](const T &t) { return t.corrections == 1; }},
            {{P::Either, P::Either, C::TwoOrMore, Estimate::Floor}, [](const T &t) { return t.corrections >= 2; }},
            {{P::Either, P::Either, C::FromNine}, [](const T &t) { return t.fromNine; }},
        };
        for (const QuotientClass qc : allQuotientClasses)
            for (const DivisorClass dc : allDivisorClasses)
                for (int setting = 0; setting < (dc == DivisorClass::Fixed ? 18 : 2); ++setting) {
                    const ProblemSettings s{qc, dc, setting / 2 + 1, setting % 2 == 1};
                    if (!settingsProblem(s).isEmpty() || isRandomCatalogue(s))
                        continue;
                    const std::vector<Problem> all = sheetCatalogue(s, 0, {});
                    std::vector<T> worked[2]; // by Estimate
                    for (const Problem &p : all)
                        for (const Estimate e : {Estimate::Round, Estimate::Floor})
                            worked[int(e)].push_back(longDivision(p, e));
                    for (const auto &[focus, has] : choices) {
                        ProblemSettings focused = s;
                        focused.focus = focus;
                        std::vector<Problem> expected;
                        for (std::size_t i = 0; i < all.size(); ++i)
                            if (has(worked[int(focus.estimate)][i]))
                                expected.push_back(all[i]);
                        QVERIFY(*focusedCatalogue(focused) == expected);
                        QVERIFY(!expected.empty() || !focusProblem(focused).isEmpty());
                    }
                }
    }

    // Every setting under every choice that applies: each problem of the window's sheet, of the
    // sheet its code brings back and of a class set's three sheets has the focus by long
    // division; a sheet is full where enough problems have it; mixing puts half of each on it.
    void everySheetHasItsFocus_data()
    {
        QTest::addColumn<ProblemSettings>("settings");
        for (const QuotientClass qc : allQuotientClasses)
            for (const DivisorClass dc : allDivisorClasses)
                for (int setting = 0; setting < (dc == DivisorClass::Fixed ? 18 : 2); ++setting) {
                    const ProblemSettings s{qc, dc, dc == DivisorClass::Fixed ? setting / 2 + 1 : 2, setting % 2 == 1};
                    if (settingsProblem(s).isEmpty())
                        QTest::addRow("%s / %s%s", qPrintable(quotientClassName(qc)), qPrintable(divisorClassName(dc, s.fixedDivisor)), s.withRemainder ? " r" : "") << s;
                }
    }
    void everySheetHasItsFocus()
    {
        QFETCH(ProblemSettings, settings);
        for (const PracticeFocus &focus : kChoices) {
            ProblemSettings s = settings;
            s.focus = focus;
            if ((focus.mixedRemainder && !s.withRemainder) || focusFault(s) != FocusFault::None)
                continue;
            SheetRecipe recipe;
            recipe.settings = s;
            recipe.seeds = {7, 8};
            const SheetCodeResult coded = decodeSheetCode(encodeSheetCode(recipe));
            QVERIFY2(coded.recipe && coded.recipe->settings == s, qPrintable(coded.error));
            std::vector<std::vector<Problem>> sheets = classSetSheets(s, 9, 3);
            sheets.push_back(makeSheet(s, recipe.seeds));
            QVERIFY(recipeProblems(*coded.recipe) == sheets.back());
            const std::vector<ProblemSettings> parts = catalogueParts(s);
            const int holds = sheetProblemCount(s, {}), without = sheetCatalogueSize(parts.front(), {});
            std::set<qint64> inSet; // the class set's problems
            for (std::size_t k = 0; k < sheets.size(); ++k) {
                const std::vector<Problem> &sheet = sheets[k];
                QCOMPARE(int(sheet.size()), std::min(holds, sheetCatalogueSize(s, {})));
                const auto with = std::count_if(sheet.begin(), sheet.end(), [](const Problem &p) { return p.remainder > 0; });
                if (focus.mixedRemainder)
                    QVERIFY(std::abs(2 * with - holds) <= 1 || sheet.size() - with == std::size_t(without));
                for (const Problem &p : sheet) {
                    if (k < 3)
                        inSet.insert(problemKey(p));
                    QVERIFY2(meets(focus, longDivision(p, focus.estimate)), qPrintable(QStringLiteral("%1 ÷ %2").arg(p.dividend).arg(p.divisor)));
                }
            }
            // A class set repeats no problem while its catalogue lasts.
            if (!isRandomCatalogue(s) && !focus.mixedRemainder && sheetCatalogueSize(s, {}) >= 3 * holds)
                QCOMPARE(int(inSet.size()), 3 * holds);
        }
    }

    // A random catalogue draws uniformly among the problems with the focus: drawn problems counted
    // by divisor against every problem of the class that long division finds with it.
    void focusedDrawIsUniform()
    {
        const ProblemSettings s{QuotientClass::Q1_9, DivisorClass::D101_909, 2, true, {Presence::Either, Presence::Never}};
        std::map<int, double> share;
        double all = 0;
        for (int d = 101; d <= 909; d += d % 10 == 9 ? 92 : 1) // x0y, x and y from 1 to 9
            for (int q = 1; q <= 9; ++q)
                for (int r = 1; r < d; ++r)
                    if (!longDivision({q, d, r, d * q + r}, Estimate::Round).lateStart)
                        share[d] += 1, all += 1;
        constexpr int draws = 16200;
        std::map<int, int> drawn;
        TRandom rng(5);
        for (int i = 0; i < draws; ++i)
            ++drawn[drawFocusedProblem(s, rng).value().divisor];
        double chiSquare = 0;
        for (const auto &[d, count] : share) {
            const double expected = draws * count / all;
            chiSquare += (drawn[d] - expected) * (drawn[d] - expected) / expected;
        }
        QCOMPARE(drawn.size(), share.size());
        QVERIFY2(chiSquare < 124.839, qPrintable(QString::number(chiSquare))); // 80 degrees of freedom, 0.001
    }

    void focusProblems_data()
    {
        QTest::addColumn<ProblemSettings>("settings");
        QTest::addColumn<PracticeFocus>("focus");
        QTest::addColumn<QString>("problem"); // part of the reason, or empty
        using Q = QuotientClass;
        using D = DivisorClass;
        QTest::newRow("0 in a one-digit quotient") << ProblemSettings{Q::Q1_9, D::D11_99, 2, false} << PracticeFocus{Presence::Always} << u"one digit"_s;
        QTest::newRow("0 in 10..90") << ProblemSettings{Q::Q10_90, D::Fixed, 3, false} << PracticeFocus{Presence::Always} << QString();
        QTest::newRow("corrections, fixed divisor") << ProblemSettings{Q::Q11_99, D::Fixed, 7, true} << PracticeFocus{Presence::Either, Presence::Either, CorrectionFocus::None} << u"one digit"_s;
        QTest::newRow("corrections, 1..9") << ProblemSettings{Q::Q1_9, D::D1_9, 2, false} << PracticeFocus{Presence::Either, Presence::Either, CorrectionFocus::One} << u"one digit"_s;
        QTest::newRow("twice, 11..99") << ProblemSettings{Q::Q1_9, D::D11_99, 2, true} << PracticeFocus{Presence::Either, Presence::Either, CorrectionFocus::TwoOrMore} << QString();
        QTest::newRow("six digits") << ProblemSettings{Q::Q1_9, D::D1000_9999, 2, false} << PracticeFocus{Presence::Either, Presence::Either, CorrectionFocus::Any, Estimate::Round, false, 6} << u"1 to 5 digits"_s;
        QTest::newRow("three digits, 111..999 by 11..99") << ProblemSettings{Q::Q111_999, D::D11_99, 2, true} << PracticeFocus{Presence::Either, Presence::Either, CorrectionFocus::Any, Estimate::Round, false, 3} << u"no problem"_s;
        QTest::newRow("five digits, 111..999 by 11..99") << ProblemSettings{Q::Q111_999, D::D11_99, 2, true} << PracticeFocus{Presence::Either, Presence::Either, CorrectionFocus::Any, Estimate::Round, false, 5} << QString();
    }
    void focusProblems()
    {
        QFETCH(ProblemSettings, settings);
        QFETCH(PracticeFocus, focus);
        QFETCH(QString, problem);
        settings.focus = focus;
        const QString reason = focusProblem(settings);
        QVERIFY2(problem.isEmpty() ? reason.isEmpty() : reason.contains(problem), qPrintable(reason));
    }
};

QTEST_MAIN(TestProblemFocus)
#include "tst_problem_focus.moc"
