// Sheets without the window: the window's draw replayed from its seeds, class sets, and the
// sheet code that brings a sheet back, with fixed codes that later versions must keep reading.

#include "FormTestSupport.h"
#include "sheet/ClassSet.h"
#include "sheet/PageLayout.h"
#include "sheet/SheetCode.h"
#include "sheet/SheetMaker.h"
#include "platform/Random.h"

#include <QtTest>

#include <map>
#include <set>

using namespace divisheet;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(divisheet::ProblemSettings)
Q_DECLARE_METATYPE(divisheet::SheetRecipe)

namespace {

// What a code carries besides the problems: the pinned sheets begin with it.
QString pageState(const SheetRecipe &r)
{
    return u"frames %1 answers %2 numbered %3 score %4 more %5 sheet %6/%7"_s.arg(r.framesShown)
        .arg(r.answersIncluded).arg(r.page.numbered).arg(r.page.scoreBox).arg(r.page.more)
        .arg(r.setIndex).arg(r.setSize);
}

} // namespace

class TestSheetCode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void windowSheetIsReplayedFromItsSeeds_data()
    {
        QTest::addColumn<QString>("buttons"); // quotient button, divisor button
        QTest::addColumn<ProblemSettings>("settings");
        QTest::newRow("start-up settings") << u"Kotae1_9 WaruKotei"_s << startUpSettings();
        QTest::newRow("random catalogue") << u"Kotae111_999 Waru11_99"_s << ProblemSettings{QuotientClass::Q111_999, DivisorClass::D11_99, 2, true};
        QTest::newRow("largest catalogue") << u"Kotae1_9 Waru1000_9999"_s << ProblemSettings{QuotientClass::Q1_9, DivisorClass::D1000_9999, 2, false};
        QTest::newRow("two digits with remainder") << u"Kotae11_99 Waru10_90"_s << ProblemSettings{QuotientClass::Q11_99, DivisorClass::D10_90, 2, true};
    }

    // The window's sheet is the one its seeds make, and so is the one of the code its header shows.
    void windowSheetIsReplayedFromItsSeeds()
    {
        QFETCH(QString, buttons);
        QFETCH(ProblemSettings, settings);
        quint32 seeds = 0;
        const auto form = makeForm(countedSeeds(seeds));
        child<TRadioGroup>(form.get(), "RadioGroupAmari")->setItemIndex(settings.withRemainder ? 1 : 0);
        for (const QString &button : buttons.split(u' '))
            child<TRadioButton>(form.get(), qPrintable(u"RadioButton"_s + button))->click();
        child<TButton>(form.get(), "ButtonKoushin")->click();

        const QString window = figuresText(form.get());
        QCOMPARE(window, problemsText(makeSheet(settings, {isRandomCatalogue(settings) ? seeds - 1 : 0, seeds})));
        const QString code = child<TLabel>(form.get(), "LabelSheetCode")->caption();
        const SheetCodeResult decoded = decodeSheetCode(code);
        QVERIFY2(decoded.recipe && decoded.recipe->settings.divisor == settings.divisor, qPrintable(code));
        QCOMPARE(problemsText(recipeProblems(*decoded.recipe)), window);
    }

    void codeFitsTheHeader_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("10 symbols") << u"#40B1B-6B4N9"_s;
        QTest::newRow("13 symbols") << u"#5JZS2-AM80G-20F"_s;
        QTest::newRow("16 symbols") << u"#4472JCPZZ0003X0H"_s;
        QTest::newRow("class set sheet 100 of 100") << u"#60B1B-6B4N0-82C  100/100"_s;
    }

    // Every code stands at the window's foot, right, large enough to read back, over nothing
    // else of the sheet: not the settings line of a titled sheet, not a figure.
    void codeFitsTheHeader()
    {
        QFETCH(QString, code);
        const auto form = makeForm();
        form->setPageOptions({true, true, u"わり算"_s, true});
        child<TButton>(form.get(), "ButtonKoushin")->click();
        auto *label = child<TLabel>(form.get(), "LabelSheetCode");
        label->setCaption(code);
        form->resize(form->width() + 1, form->height()); // placed again, as a new sheet places it
        QVERIFY(label->fontMetrics().horizontalAdvance(code) <= label->width());
        QVERIFY2(label->fontHeight() >= 12, "too small to read");
        QVERIFY(form->rect().contains(label->geometry()) && label->geometry().bottom() > form->height() - 30);
        for (const QWidget *other : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(other == label || !other->isVisible() || !other->geometry().intersects(label->geometry())
                         || other->objectName() == u"GroupBoxStart"_s, qPrintable(other->objectName()));
    }

    void roundTripOverEverySetting_data()
    {
        QTest::addColumn<SheetRecipe>("recipe");
        quint32 row = 0;
        for (const QuotientClass q : allQuotientClasses) {
            for (const DivisorClass d : allDivisorClasses) {
                for (int f = 1; f <= (d == DivisorClass::Fixed ? 9 : 1); ++f) {
                    for (const bool rem : {false, true}) {
                        SheetRecipe r{{q, d, d == DivisorClass::Fixed ? f : 2, rem}, row % 2 == 0, row % 3 > 0,
                                      {row % 5 == 0, row % 7 == 0, QString(), row % 11 == 0}, SheetRecipe::Kind::Window, {}};
                        if (!settingsProblem(r.settings).isEmpty())
                            continue;
                        ++row;
                        // The clock's last seed; a draw 2 ms after its catalogue, or long after.
                        r.seeds = {86'399'997u - 2 * row, 86'399'999u - (row % 4 ? 0u : 2'000'000u)};
                        const QString name = quotientClassName(q) + u" / "_s + divisorClassName(d, f) + (rem ? u" rem"_s : u""_s);
                        QTest::addRow("%s window", qPrintable(name)) << r;
                        r.kind = SheetRecipe::Kind::ClassSet;
                        std::tie(r.setSeed, r.setIndex, r.setSize) = std::tuple(row * 1'000'003u % 86'400'000u, 1 + int(row % 100), 100);
                        QTest::addRow("%s set sheet", qPrintable(name)) << r;
                    }
                }
            }
        }
    }

    void roundTripOverEverySetting()
    {
        QFETCH(SheetRecipe, recipe);
        const QString code = encodeSheetCode(recipe);
        const auto wellFormed = QRegularExpression(u"^#[0-9A-HJKMNP-TV-Z]{5}(-?[0-9A-HJKMNP-TV-Z]{1,5})+$"_s);
        QVERIFY2(wellFormed.match(code).hasMatch() && code.size() <= 17, qPrintable(code));
        const std::vector<Problem> made = recipeProblems(recipe);
        // A fuller page holds more problems; a catalogue smaller than that gives what it has.
        TRandom unused;
        const int count = sheetProblemCount(recipe.settings, recipe.page);
        const int available = int(buildCatalogue(recipe.settings, unused, randomCatalogueCount(recipe.settings, recipe.page)).size());
        QCOMPARE(int(made.size()), std::min(count, available));
        // As typed by hand: lower case, without "#" and hyphens.
        for (const QString &typed : {code, code.toLower().remove(u'#').remove(u'-')}) {
            const SheetCodeResult decoded = decodeSheetCode(typed);
            QVERIFY2(decoded.recipe, qPrintable(decoded.error));
            QCOMPARE(problemsText(recipeProblems(*decoded.recipe)), problemsText(made));
            QCOMPARE(pageState(*decoded.recipe), pageState(recipe));
        }
    }

    // What codes give. The sheets were computed once and pinned: a later version must still read
    // these codes as these sheets. The start-up sheet of 12:34:56.789 is #40B1B-6B4N9; the bad
    // codes that read as well-formed were made with its check rule, to reach the checks behind it.
    void codes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("expected"); // "error: " and part of the message, or the sheet
        QTest::newRow("start-up settings at 12:34:56.789") << u"#40B1B-6B4N9"_s << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 1/1: 8/2 4/2 6/2 0/2 16/2 12/2 2/2 14/2 18/2 10/2"_s;
        QTest::newRow("fixed 3 with remainder at midnight, no frames, no answers") << u"#40M00-0000S"_s << u"frames 0 answers 0 numbered 0 score 0 more 0 sheet 1/1: 1/3 2/3 26/3 8/3 11/3 22/3 13/3 7/3 16/3 17/3 4/3 20/3"_s;
        QTest::newRow("random catalogue, draw 4 ms later, numbered, score box") << u"#5JZS2-AM80G-20F"_s << u"frames 1 answers 1 numbered 1 score 1 more 0 sheet 1/1: 49444/62 18869/57"_s;
        QTest::newRow("random catalogue, draw after midnight") << u"#4472JCPZZ0003X0H"_s << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 1/1: 82033/9501 19298/4063 7339/2379 32030/3633 73058/9956 33312/4549"_s;
        QTest::newRow("class set sheet 7 of 30, more problems") << u"#6JV5B-6B4N7-8CP"_s << u"frames 1 answers 1 numbered 0 score 0 more 1 sheet 7/30: 3354/39 3185/91 880/16 7462/82 1638/21 672/16 2409/33 3626/37 1333/43 551/19 288/18 938/14 539/49 2047/89 3009/59"_s;
        QTest::newRow("first version's fuller page, random catalogue") << u"#6JY4R-7FFA0-007"_s << u"frames 1 answers 0 numbered 0 score 0 more 1 sheet 1/1: 626/12 810/32 1172/85 5322/83 6993/94 3242/43"_s;
        QTest::newRow("random class set sheet 3 of 3") << u"#72Z00-0C1S0-G49"_s << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 3/3: 26636/53 50057/71 21805/24 49919/71"_s;
        QTest::newRow("largest catalogue at 23:59:59.999") << u"#4432J-CPZZ3"_s << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 1/1: 22527/7509 29868/9956 12126/4042 0/3083 4758/2379 12334/1762"_s;
        QTest::newRow("start-up class set sheet 2 of 2") << u"#60B1B-6B4N0-82C"_s << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 2/2: 6/2 12/2 18/2 0/2 4/2 16/2 14/2 8/2 2/2 10/2"_s;
        QTest::newRow("largest catalogue seed, draw seed past it") << u"#5JZ3Z-ZZZZZ-M0M"_s << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 1/1: 8837/35 6224/21"_s;
        QTest::newRow("focus: 0 in the quotient, three-digit dividends") << u"#C8V10-3ASJS-58M"_s << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 1/1: 240/4 160/4 200/4 120/4 360/4 280/4 320/4"_s;
        QTest::newRow("focus: one correction, rounded down, random catalogue") << u"#CJZ02-GASJS-5C0GX"_s << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 1/1: 4979/87 6436/84 2802/75 797/21 8247/92 1477/22"_s;
        QTest::newRow("focus: mixed remainders, class set sheet 2 of 5") << u"#E2Z00809DD1R80G9"_s << u"frames 1 answers 1 numbered 0 score 0 more 0 sheet 2/5: 729/76 99/11 150/25 420/84 113/34 495/61 76/19 405/81 161/67"_s;
        QTest::newRow("focus: mixed, quotient on the first place, fuller page") << u"#C474G8MK5QZR00000G"_s << u"frames 1 answers 1 numbered 0 score 0 more 1 sheet 1/1: 0/6085 6482/1391 0/9931 3762/1254 9790/2561 0/4883 8341/2723 1848/1848 8309/3926 6942/6771 6669/5796 8652/2163"_s;
        QTest::newRow("focus that does not exist") << u"#C8V30-3ASJS-58H"_s << u"error: unknown sheet code: its practice focus does not exist"_s;
        QTest::newRow("U is not a symbol") << u"#40B1U-6B4N9"_s << u"error: 'U' is not one of its characters"_s;
        QTest::newRow("empty") << u""_s << u"error: it has 0 characters, a code has 6 to 18"_s;
        QTest::newRow("too short") << u"#40B1B"_s << u"error: it has 5 characters"_s;
        QTest::newRow("too long") << u"#40B1B-6B4N9-40B1B-6B4N"_s << u"error: it has 19 characters"_s;
        QTest::newRow("one symbol mistyped") << u"#40B1B-7B4N9"_s << u"error: check character does not match"_s;
        QTest::newRow("neighbours swapped") << u"#04B1B-6B4N9"_s << u"error: check character does not match"_s;
        QTest::newRow("check symbol swapped in") << u"#40B1B-6B49N"_s << u"error: check character does not match"_s;
        QTest::newRow("one symbol left out") << u"#40B1B-6B49"_s << u"error: check character does not match"_s;
        QTest::newRow("symbol appended") << u"#40B1B-6B4N09"_s << u"error: its length does not match"_s;
        QTest::newRow("padding not zero") << u"#40B1B-6B4N47"_s << u"error: its length does not match"_s;
        QTest::newRow("later version") << u"#80B1B-6B4NH"_s << u"error: unknown sheet code: version 2"_s;
        QTest::newRow("version 4") << u"#G8V10-3ASJS-589"_s << u"error: unknown sheet code: version 4, this program reads versions 1 to 3"_s;
        QTest::newRow("no such class") << u"#5RB1B-6B4N4"_s << u"error: unknown sheet code: its quotient or divisor class"_s;
        QTest::newRow("combination that does not exist") << u"#5M31B-6B4NV"_s << u"error: unknown sheet code: the quotient class 111..999 does not go with the divisor class 1000..9999"_s;
        QTest::newRow("fixed 1 with remainder") << u"#4071B-6B4N6"_s << u"error: unknown sheet code: a fixed divisor of 1 leaves no remainder"_s;
        QTest::newRow("sheet 5 of 3") << u"#6JV1B-6B4N0-G8V"_s << u"error: unknown sheet code: sheet 5 of a set of 3 does not exist"_s;
    }

    void codes()
    {
        QFETCH(QString, code);
        QFETCH(QString, expected);
        const SheetCodeResult decoded = decodeSheetCode(code);
        if (expected.startsWith(u"error: ")) {
            QVERIFY(!decoded.recipe);
            QVERIFY2(decoded.error.contains(expected.mid(7)), qPrintable(decoded.error));
            return;
        }
        QVERIFY2(decoded.recipe, qPrintable(decoded.error));
        QCOMPARE(pageState(*decoded.recipe) + u": "_s + problemsText(recipeProblems(*decoded.recipe)), expected);
        QCOMPARE(encodeSheetCode(*decoded.recipe), code);
    }

    void classSet_data()
    {
        QTest::addColumn<ProblemSettings>("settings");
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("catalogueSize"); // distinct problems there are to draw from
        using Q = QuotientClass;
        using D = DivisorClass;
        QTest::newRow("start-up: 10 problems, 10 a sheet") << startUpSettings() << 10 << 10;
        QTest::newRow("fixed 9, 10..90: 9 problems, 8 a sheet") << ProblemSettings{Q::Q10_90, D::Fixed, 9, false} << 10 << 9;
        QTest::newRow("90 problems, 15 a sheet: runs out at sheet 7") << ProblemSettings{Q::Q1_9, D::D1_9, 2, false} << 10 << 90;
        QTest::newRow("6561 problems, 100 sheets") << ProblemSettings{Q::Q11_99, D::D11_99, 2, false} << 100 << 6561;
        QTest::newRow("random catalogues, 100 sheets") << ProblemSettings{Q::Q101_909, D::D11_99, 2, true} << 100 << 999'999;
        QTest::newRow("largest catalogue, 100 sheets") << ProblemSettings{Q::Q1_9, D::D1000_9999, 2, false} << 100 << 90'000;
    }

    void classSet()
    {
        QFETCH(ProblemSettings, settings);
        QFETCH(int, sheets);
        QFETCH(int, catalogueSize);
        const quint32 seed = 45'296'789; // 12:34:56.789
        const auto set = classSetSheets(settings, seed, sheets);
        QCOMPARE(int(set.size()), sheets);
        const int count = sheetShape(settings).problemCount();
        std::map<std::pair<int, int>, int> uses;
        for (std::size_t k = 0; k < set.size(); ++k) {
            std::set<std::pair<int, int>> onSheet;
            for (const Problem &p : set[k]) {
                QCOMPARE(p.dividend, p.divisor * p.quotient + p.remainder);
                onSheet.insert({p.dividend, p.divisor});
                ++uses[{p.dividend, p.divisor}];
            }
            QCOMPARE(int(onSheet.size()), count); // a full sheet, no problem twice on it
            QVERIFY2(std::find(set.begin(), set.begin() + qsizetype(k), set[k]) == set.begin() + qsizetype(k),
                     qPrintable(u"sheet %1 repeats an earlier one"_s.arg(k + 1)));
        }
        // No repeat in the set while the catalogue lasts; after that, every problem as often as any other.
        QCOMPARE(int(uses.size()), std::min(catalogueSize, sheets * count));
        const auto [fewest, most] = std::minmax_element(uses.begin(), uses.end(),
                                                        [](auto a, auto b) { return a.second < b.second; });
        QVERIFY2(most->second - fewest->second <= 1, "a problem came up more often than it had to");
        // Sheet k from its own number alone, whatever the size of the set.
        for (const int k : {1, sheets / 2 + 1, sheets})
            QCOMPARE(problemsText(classSetSheet(settings, seed, k)), problemsText(set[std::size_t(k - 1)]));
    }
};

QTEST_MAIN(TestSheetCode)
#include "tst_sheet_code.moc"
