// Sheets made without the window: the window's own draw replayed from its seeds, class sets
// (different sheets, no repeats while the catalogue lasts, sheet k alone from its number) and
// the sheet code that brings a sheet back, including fixed codes that later versions must
// keep reading.

#include "FormTestSupport.h"
#include "app/ClassSet.h"
#include "app/SheetCode.h"
#include "app/SheetMaker.h"
#include "platform/Random.h"

#include <QtTest>

#include <set>

using namespace divisheet;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(divisheet::ProblemSettings)
Q_DECLARE_METATYPE(divisheet::SheetRecipe)

namespace {

QString settingsName(const ProblemSettings &s)
{
    return QStringLiteral("q%1 d%2%3").arg(quotientClassName(s.quotient),
                                           divisorClassName(s.divisor, s.fixedDivisor),
                                           s.withRemainder ? QStringLiteral(" rem") : QString());
}

// Every setting the window lets a user make a sheet of.
std::vector<ProblemSettings> everyAllowedSetting()
{
    std::vector<ProblemSettings> all;
    for (const QuotientClass q : allQuotientClasses) {
        for (const DivisorClass d : allDivisorClasses) {
            for (int f = 1; f <= (d == DivisorClass::Fixed ? 9 : 1); ++f) {
                for (const bool rem : {false, true}) {
                    const ProblemSettings s{q, d, d == DivisorClass::Fixed ? f : 2, rem};
                    if (settingsProblem(s).isEmpty())
                        all.push_back(s);
                }
            }
        }
    }
    return all;
}

// "dividend/divisor" of each problem, joined by spaces: what the fixed codes pin.
QString problemsText(const std::vector<Problem> &problems)
{
    QStringList parts;
    for (const Problem &p : problems)
        parts << QStringLiteral("%1/%2").arg(p.dividend).arg(p.divisor);
    return parts.join(u' ');
}

quint32 msOfDay()
{
    const QTime t = QDateTime::currentDateTimeUtc().time();
    return TRandom::seedFromTimeOfDay(t.hour(), t.minute(), t.second(), t.msec());
}

} // namespace

class TestSheetCode : public QObject
{
    Q_OBJECT

private slots:
    void windowSheetIsReplayedFromItsSeeds_data();
    void windowSheetIsReplayedFromItsSeeds();
    void roundTripOverEverySetting_data();
    void roundTripOverEverySetting();
    void fixedCodes_data();
    void fixedCodes();
    void badCodes_data();
    void badCodes();
    void classSet_data();
    void classSet();
};

void TestSheetCode::windowSheetIsReplayedFromItsSeeds_data()
{
    QTest::addColumn<QString>("quotientButton");
    QTest::addColumn<QString>("divisorButton");
    QTest::addColumn<bool>("withRemainder");
    QTest::addColumn<ProblemSettings>("settings");
    QTest::newRow("start-up settings") << u"Kotae1_9"_s << u"WaruKotei"_s << false << startUpSettings();
    QTest::newRow("enumerated, 90 problems") << u"Kotae1_9"_s << u"Waru1_9"_s << false
                                             << ProblemSettings{QuotientClass::Q1_9, DivisorClass::D1_9, 2, false};
    QTest::newRow("random catalogue") << u"Kotae111_999"_s << u"Waru11_99"_s << true
                                      << ProblemSettings{QuotientClass::Q111_999, DivisorClass::D11_99, 2, true};
}

// The window reseeds from the clock; the seeds it used lie between the clock readings before
// and after the update, so one seed pair in that window must give its sheet exactly.
void TestSheetCode::windowSheetIsReplayedFromItsSeeds()
{
    QFETCH(QString, quotientButton);
    QFETCH(QString, divisorButton);
    QFETCH(bool, withRemainder);
    QFETCH(ProblemSettings, settings);

    const auto form = makeForm();
    child<TRadioGroup>(form.get(), "RadioGroupAmari")->setItemIndex(withRemainder ? 1 : 0);
    child<TRadioButton>(form.get(), qPrintable(u"RadioButton"_s + quotientButton))->click();
    child<TRadioButton>(form.get(), qPrintable(u"RadioButton"_s + divisorButton))->click();
    const quint32 before = msOfDay();
    child<TButton>(form.get(), "ButtonKoushin")->click();
    const quint32 after = msOfDay();
    QVERIFY2(after >= before, "the clock passed midnight during the update; run again");

    const int count = sheetShape(settings).problemCount();
    QStringList window;
    for (const auto &[divisor, dividend] : sheetProblems(form.get(), count))
        window << dividend + u'/' + divisor;

    const bool random = isRandomCatalogue(settings);
    int matches = 0;
    for (quint32 catalogueSeed = random ? before : 0; catalogueSeed <= (random ? after : 0); ++catalogueSeed) {
        for (quint32 drawSeed = random ? catalogueSeed : before; drawSeed <= after; ++drawSeed) {
            if (problemsText(makeSheet(settings, {catalogueSeed, drawSeed})) == window.join(u' '))
                ++matches;
        }
    }
    QVERIFY2(matches > 0, qPrintable(window.join(u' ')));
}

void TestSheetCode::roundTripOverEverySetting_data()
{
    QTest::addColumn<SheetRecipe>("recipe");
    int row = 0;
    for (const ProblemSettings &s : everyAllowedSetting()) {
        ++row;
        SheetRecipe window;
        window.settings = s;
        window.framesShown = row % 2;
        window.answersIncluded = row % 3;
        window.page = {row % 5 == 0, row % 7 == 0, row % 11 == 0};
        // The clock's largest seed, and a draw that follows its catalogue by 2 ms or by far more.
        window.seeds = {86'399'999u - 2u * quint32(row), 86'399'999u - (row % 4 ? 0u : 2'000'000u)};
        QTest::addRow("%s window", qPrintable(settingsName(s))) << window;

        SheetRecipe member = window;
        member.kind = SheetRecipe::Kind::ClassSet;
        member.setSeed = quint32(row) * 1'000'003u % 86'400'000u;
        member.setSize = 100;
        member.setIndex = 1 + row % 100;
        QTest::addRow("%s set sheet", qPrintable(settingsName(s))) << member;
    }
}

void TestSheetCode::roundTripOverEverySetting()
{
    QFETCH(SheetRecipe, recipe);
    const QString code = encodeSheetCode(recipe);
    QVERIFY2(QRegularExpression(u"^#[0-9A-Z-]{6,16}$"_s).match(code).hasMatch(), qPrintable(code));
    QVERIFY2(!code.contains(QRegularExpression(u"[ILOU]|--|-$|#-"_s)), qPrintable(code));

    const SheetCodeResult decoded = decodeSheetCode(code);
    QVERIFY2(decoded.recipe, qPrintable(decoded.error));
    const std::vector<Problem> made = recipeProblems(recipe);
    QCOMPARE(int(made.size()), sheetShape(recipe.settings).problemCount());
    QCOMPARE(problemsText(recipeProblems(*decoded.recipe)), problemsText(made));
    QVERIFY(decoded.recipe->framesShown == recipe.framesShown);
    QVERIFY(decoded.recipe->answersIncluded == recipe.answersIncluded);
    QVERIFY(decoded.recipe->page == recipe.page);
    QCOMPARE(decoded.recipe->setIndex, recipe.setIndex);
    QCOMPARE(decoded.recipe->setSize, recipe.setSize);
}

// Computed once and pinned: a later version must still read these codes as these sheets.
void TestSheetCode::fixedCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("problems");
    QTest::addColumn<QString>("pageState");
    QTest::newRow("start-up settings at 12:34:56.789")
        << u"#40B1B-6B4N9"_s << u"8/2 4/2 6/2 0/2 16/2 12/2 2/2 14/2 18/2 10/2"_s
        << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 1/1"_s;
    QTest::newRow("fixed 3 with remainder at midnight, no frames, no answers")
        << u"#40M00-0000S"_s << u"1/3 2/3 26/3 8/3 11/3 22/3 13/3 7/3 16/3 17/3 4/3 20/3"_s
        << u"frames 0 answers 0 numbered 0 score 0 more 0 sheet 1/1"_s;
    QTest::newRow("random catalogue, draw 4 ms later, numbered, score box")
        << u"#5JZS2-AM80G-20F"_s << u"49444/62 18869/57"_s
        << u"frames 1 answers 1 numbered 1 score 1 more 0 sheet 1/1"_s;
    QTest::newRow("random catalogue, draw after midnight")
        << u"#4472JCPZZ0003X0H"_s << u"82033/9501 19298/4063 7339/2379 32030/3633 73058/9956 33312/4549"_s
        << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 1/1"_s;
    QTest::newRow("class set sheet 7 of 30, more problems")
        << u"#6JV5B-6B4N7-8CP"_s << u"5265/81 2664/36 2256/48 1914/58 7790/82 2499/49 2187/81 968/11"_s
        << u"frames 1 answers 1 numbered 0 score 0 more 1 sheet 7/30"_s;
    QTest::newRow("random class set sheet 3 of 3")
        << u"#72Z00-0C1S0-G49"_s << u"26636/53 50057/71 21805/24 49919/71"_s
        << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 3/3"_s;
    QTest::newRow("largest catalogue at 23:59:59.999")
        << u"#4432J-CPZZ3"_s << u"22527/7509 29868/9956 12126/4042 0/3083 4758/2379 12334/1762"_s
        << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 1/1"_s;
    QTest::newRow("start-up class set sheet 2 of 2")
        << u"#60B1B-6B4N0-82C"_s << u"6/2 12/2 18/2 0/2 4/2 16/2 14/2 8/2 2/2 10/2"_s
        << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 2/2"_s;
}

void TestSheetCode::fixedCodes()
{
    QFETCH(QString, code);
    QFETCH(QString, problems);
    QFETCH(QString, pageState);
    const SheetCodeResult decoded = decodeSheetCode(code);
    QVERIFY2(decoded.recipe, qPrintable(decoded.error));
    const SheetRecipe &r = *decoded.recipe;
    QCOMPARE(problemsText(recipeProblems(r)), problems);
    QCOMPARE(QStringLiteral("frames %1 answers %2 numbered %3 score %4 more %5 sheet %6/%7")
                 .arg(r.framesShown).arg(r.answersIncluded).arg(r.page.numbered).arg(r.page.scoreBox)
                 .arg(r.page.moreProblems).arg(r.setIndex).arg(r.setSize),
             pageState);
    QCOMPARE(encodeSheetCode(r), code);
}

void TestSheetCode::badCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("error");
    // The start-up sheet of 12:34:56.789 is #40B1B-6B4N9; the codes below that read as
    // well-formed were made with its check rule, to reach the checks behind it.
    QTest::newRow("U is not a symbol") << u"#40B1U-6B4N9"_s << u"'U' is not one of its characters"_s;
    QTest::newRow("punctuation") << u"#40B1B.6B4N9"_s << u"'.' is not one of its characters"_s;
    QTest::newRow("non-ASCII") << u"#40B1B-6B4N９"_s << u"is not one of its characters"_s;
    QTest::newRow("empty") << u""_s << u"it has 0 characters, a code has 6 to 16"_s;
    QTest::newRow("too short") << u"#40B1B"_s << u"it has 5 characters"_s;
    QTest::newRow("too long") << u"#40B1B-6B4N9-40B1B-6B"_s << u"it has 17 characters"_s;
    QTest::newRow("one symbol mistyped") << u"#40B1B-7B4N9"_s << u"check character does not match"_s;
    QTest::newRow("neighbours swapped") << u"#04B1B-6B4N9"_s << u"check character does not match"_s;
    QTest::newRow("check symbol swapped in") << u"#40B1B-6B49N"_s << u"check character does not match"_s;
    QTest::newRow("one symbol left out") << u"#40B1B-6B49"_s << u"check character does not match"_s;
    QTest::newRow("symbol appended") << u"#40B1B-6B4N09"_s << u"its length does not match"_s;
    QTest::newRow("cut short") << u"#40B1B-6BS"_s << u"its length does not match"_s;
    QTest::newRow("padding not zero") << u"#40B1B-6B4N47"_s << u"its length does not match"_s;
    QTest::newRow("later version") << u"#80B1B-6B4NH"_s << u"unknown sheet code: version 2"_s;
    QTest::newRow("version 0") << u"#00B1B-6B4N1"_s << u"unknown sheet code: version 0"_s;
    QTest::newRow("no such quotient class") << u"#5RB1B-6B4N4"_s << u"unknown sheet code: its quotient or divisor class"_s;
    QTest::newRow("no such divisor class") << u"#44B1B-6B4NS"_s << u"unknown sheet code: its quotient or divisor class"_s;
    QTest::newRow("combination that does not exist")
        << u"#5M31B-6B4NV"_s << u"unknown sheet code: the quotient class 111..999 does not go with the divisor class 1000..9999"_s;
    QTest::newRow("fixed 1 with remainder") << u"#4071B-6B4N6"_s << u"unknown sheet code: a fixed divisor of 1 leaves no remainder"_s;
    QTest::newRow("sheet 5 of 3") << u"#6JV1B-6B4N0-G8V"_s << u"unknown sheet code: sheet 5 of a set of 3 does not exist"_s;
    QTest::newRow("set of 101") << u"#6JV1B-6B4NS-00B"_s << u"unknown sheet code: sheet 1 of a set of 101 does not exist"_s;
}

void TestSheetCode::badCodes()
{
    QFETCH(QString, code);
    QFETCH(QString, error);
    const SheetCodeResult decoded = decodeSheetCode(code);
    QVERIFY(!decoded.recipe);
    QVERIFY2(decoded.error.contains(error), qPrintable(decoded.error));
}

void TestSheetCode::classSet_data()
{
    QTest::addColumn<ProblemSettings>("settings");
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("catalogueSize"); // distinct problems there are to draw from
    QTest::newRow("start-up: 10 problems, 10 a sheet") << startUpSettings() << 10 << 10;
    QTest::newRow("fixed 9, 10..90: 9 problems, 8 a sheet")
        << ProblemSettings{QuotientClass::Q10_90, DivisorClass::Fixed, 9, false} << 10 << 9;
    QTest::newRow("1..9 / 1..9: 90 problems, 15 a sheet, runs out at sheet 7")
        << ProblemSettings{QuotientClass::Q1_9, DivisorClass::D1_9, 2, false} << 10 << 90;
    QTest::newRow("11..99 / 11..99: plenty, 100 sheets")
        << ProblemSettings{QuotientClass::Q11_99, DivisorClass::D11_99, 2, false} << 100 << 6561;
    QTest::newRow("random catalogue, 100 sheets")
        << ProblemSettings{QuotientClass::Q101_909, DivisorClass::D11_99, 2, true} << 100 << 1'000'000;
    QTest::newRow("largest catalogue, 100 sheets")
        << ProblemSettings{QuotientClass::Q1_9, DivisorClass::D1000_9999, 2, false} << 100 << 90000;
}

void TestSheetCode::classSet()
{
    QFETCH(ProblemSettings, settings);
    QFETCH(int, sheets);
    QFETCH(int, catalogueSize);
    const quint32 seed = 45'296'789; // 12:34:56.789
    const auto set = classSetSheets(settings, seed, sheets);
    QCOMPARE(int(set.size()), sheets);

    const int count = sheetShape(settings).problemCount();
    std::set<std::pair<int, int>> distinct;
    for (std::size_t k = 0; k < set.size(); ++k) {
        QCOMPARE(int(set[k].size()), count);
        std::set<std::pair<int, int>> onSheet;
        for (const Problem &p : set[k]) {
            QCOMPARE(p.dividend, p.divisor * p.quotient + p.remainder);
            onSheet.insert({p.dividend, p.divisor});
            distinct.insert({p.dividend, p.divisor});
        }
        QCOMPARE(int(onSheet.size()), count); // no repeat within a sheet
        for (std::size_t earlier = 0; earlier < k; ++earlier)
            QVERIFY2(set[earlier] != set[k], qPrintable(QStringLiteral("sheets %1 and %2").arg(earlier + 1).arg(k + 1)));
    }
    // No repeat in the set while the catalogue lasts; after that, every problem is used.
    QCOMPARE(int(distinct.size()), std::min(catalogueSize, sheets * count));

    // Sheet k from its own number alone, whatever the size of the set.
    for (const int k : {1, sheets / 2 + 1, sheets})
        QCOMPARE(problemsText(classSetSheet(settings, seed, k)), problemsText(set[std::size_t(k - 1)]));
}

QTEST_MAIN(TestSheetCode)
#include "tst_sheet_code.moc"
