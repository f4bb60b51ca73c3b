// The page's grid and extras checked as rectangles: every figure a setting can give, at the
// size its page lays it out, stays inside its band of the page and clear of every other.

#include "app/PageHeader.h"
#include "app/PageLayout.h"
#include "app/ProblemCatalogue.h"
#include "figures/LongDivisionLayout.h"

#include <QtTest>

using namespace divisheet;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(divisheet::ProblemSettings)

namespace {

// Calls check(dividend, divisor) for every problem the settings can put on a sheet. A random
// catalogue draws from the lists its twin without remainder runs over (the one divisor
// missing there, 110 beside the quotients 11..99, has no more digits than 990 and smaller
// problems), and the largest remainder d - 1 gives both the longest dividend and remainder.
template<typename Check>
void forEveryProblem(const ProblemSettings &s, Check check)
{
    TRandom rng(1);
    if (!isRandomCatalogue(s)) {
        forEachCatalogueProblem(s, rng, [&check](const Problem &p) { check(p.dividend, p.divisor); });
        return;
    }
    const detail::CatalogueLists lists = detail::catalogueLists({s.quotient, s.divisor, s.fixedDivisor, false});
    for (const qint32 d : lists.divisors) {
        for (const qint32 q : lists.quotients)
            check(d * q + d - 1, d);
    }
}

PageOptions options(bool numbered, bool titled, bool more)
{
    return {.numbered = numbered, .scoreBox = titled, .title = titled ? u"わり算 れんしゅう"_s : QString(), .more = more};
}

void everySetting()
{
    QTest::addColumn<ProblemSettings>("settings");
    for (int q = 0; q <= int(QuotientClass::Q111_999); ++q) {
        for (int d = 0; d <= int(DivisorClass::D1000_9999); ++d) {
            for (int fixed = 1; fixed <= (DivisorClass(d) == DivisorClass::Fixed ? 9 : 1); ++fixed) {
                for (const bool remainder : {false, true}) {
                    const ProblemSettings s{QuotientClass(q), DivisorClass(d), fixed, remainder};
                    if (isAllowedCombination(s.quotient, s.divisor))
                        QTest::newRow(qPrintable(quotientCaption(s.quotient) + u" / "_s + divisorCaption(s.divisor, fixed)
                                                 + (remainder ? u" 余りあり"_s : QString())))
                            << s;
                }
            }
        }
    }
}

} // namespace

class TestPageLayout : public QObject
{
    Q_OBJECT

private slots:
    void worstFigure_data() { everySetting(); }
    void worstFigure()
    {
        QFETCH(ProblemSettings, settings);
        const FigureExtent extent = worstFigureExtent(settings);
        for (const int fontSize : {kStandardFontSize, morePageLayout(settings, options(true, true, true)).fontSize}) {
            QSize largest;
            forEveryProblem(settings, [&](int dividend, int divisor) {
                const LongDivisionLayout figure = layoutLongDivision(fontSize, dividend, divisor);
                largest = largest.expandedTo({figure.width, figure.height});
            });
            const QSize box = figureBoxSize(extent, fontSize);
            QCOMPARE(box.expandedTo(largest), box);
            // An enumerated catalogue reaches the bound: no page is laid out for figures it never has.
            if (!isRandomCatalogue(settings) && enumeratedCount(settings) > 0)
                QCOMPARE(largest, box);
        }
    }

    void pageGeometry_data() { everySetting(); }
    void pageGeometry()
    {
        QFETCH(ProblemSettings, settings);
        const int standard = sheetShape(settings).problemCount();
        for (int variant = 0; variant < 8; ++variant) {
            const PageOptions o = options(variant & 1, variant & 2, variant & 4);
            const PageLayout page = pageLayout(settings, o, kDesignPageSize);
            const QByteArray where = "options " + QByteArray::number(variant);
            QVERIFY2(o.more ? 2 * page.problemCount() >= 3 * standard && page.fontSize < kStandardFontSize
                            : page.problemCount() == standard,
                     where);
            const QSize box = figureBoxSize(worstFigureExtent(settings), page.fontSize);
            // Under the header (or the own title), above the page's foot (or the foot line).
            const int top = o.hasTitle() ? ownTitlePlace(kDesignPageSize).rect.bottom() + 1 : kSheetTopMargin;
            const int bottom = o.hasTitle() ? footLinePlace(kDesignPageSize).rect.top() : kDesignPageSize.height();
            const QRect band(0, top, kDesignPageSize.width(), bottom - top);
            std::vector<QRect> placed;
            for (int row = 1; row <= page.rows; ++row) {
                for (int column = 1; column <= page.columns; ++column) {
                    const QRect figure(page.figureTopLeft(row, column), box);
                    QVERIFY2(band.contains(figure), where);
                    for (const QRect &other : placed)
                        QVERIFY2(!figure.intersects(other), where);
                    placed.push_back(figure);
                    const QRect number = page.numberRect(row, column);
                    QCOMPARE(number.isEmpty(), !o.numbered);
                    QVERIFY2(number.isEmpty() || page.cellRect(row, column).contains(number), where);
                    QVERIFY2(!number.adjusted(-1, -1, 1, 1).intersects(figure), where); // not even touching
                }
            }
        }
    }

    void optionsOffIsToday_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("designed size") << kDesignPageSize;
        QTest::newRow("framed by a window manager") << QSize(1038, 791);
        QTest::newRow("wider window") << QSize(1600, 900);
        QTest::newRow("smaller than the margins") << QSize(10, 20);
    }
    void optionsOffIsToday()
    {
        QFETCH(QSize, window);
        for (const ProblemSettings &s : {ProblemSettings{QuotientClass::Q1_9, DivisorClass::Fixed, 2, false},
                                         ProblemSettings{QuotientClass::Q1_9, DivisorClass::D1_9, 2, true}}) {
            const PageLayout page = pageLayout(s, PageOptions{}, window);
            const SheetShape shape = sheetShape(s);
            const CellSize cell = sheetCellSize(window, shape.rows, shape.columns);
            QCOMPARE(page.fontSize, kStandardFontSize);
            QCOMPARE(QSize(page.cell.width, page.cell.height), QSize(cell.width, cell.height));
            for (int k = 0; k < shape.problemCount(); ++k) {
                const int row = k / shape.columns + 1, column = k % shape.columns + 1;
                QCOMPARE(page.figureTopLeft(row, column), cellTopLeft(cell, row, column));
            }
        }
    }

    void pageExtras_data()
    {
        QTest::addColumn<QRect>("extra");
        QTest::addColumn<QRect>("within");
        QTest::addColumn<QRect>("clearOf");
        const QRect page({0, 0}, kDesignPageSize);
        const QRect title = ownTitlePlace(kDesignPageSize).rect;
        const ScoreBoxPlace score = scoreBoxPlace();
        const QRect sheet(0, sheetTop(false), page.width(), page.height() - sheetTop(false));
        const QRect titledSheet(0, sheetTop(true), page.width(), sheetBottom(kDesignPageSize, true) - sheetTop(true));
        QTest::newRow("score box above the sheet") << score.box << page << sheet;
        QTest::newRow("score box beside the title") << score.box << page << title;
        QTest::newRow("score mark inside its box") << score.mark.rect << score.box << QRect();
        QTest::newRow("title under the date line") << title << page << kDateNameLine;
        QTest::newRow("title above the sheet") << title << page << titledSheet;
        QTest::newRow("foot line apart from the title") << footLinePlace(kDesignPageSize).rect << page << title;
    }
    void pageExtras()
    {
        QFETCH(QRect, extra);
        QFETCH(QRect, within);
        QFETCH(QRect, clearOf);
        QVERIFY(within.contains(extra));
        QVERIFY(!extra.intersects(clearOf));
    }

    void fitTitle_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("fitted");
        QTest::addColumn<bool>("cut");
        const QString forty(kTitleMaxLength, u'あ');
        const QString astral = u"𠮷"_s.repeated(41);
        const QString voiced = u"か\u3099"_s.repeated(41); // か and a combining voicing mark
        QTest::newRow("empty") << QString() << QString() << false;
        QTest::newRow("40 characters stay") << forty << forty << false;
        QTest::newRow("the 41st is cut") << forty + u'い' << forty << true;
        QTest::newRow("a character outside the basic plane counts once") << astral << astral.left(80) << true;
        QTest::newRow("combining marks stay with their letter") << voiced << voiced.left(80) << true;
        QTest::newRow("line breaks become spaces") << u"一組\n二組\t"_s << u"一組 二組 "_s << false;
    }
    void fitTitle()
    {
        QFETCH(QString, input);
        const FittedTitle fitted = divisheet::fitTitle(input);
        QTEST(fitted.text, "fitted");
        QTEST(fitted.cut, "cut");
    }
};

QTEST_GUILESS_MAIN(TestPageLayout)
#include "tst_page_layout.moc"
