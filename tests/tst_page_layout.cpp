// Every figure a setting can give, at the size its page lays it out, stays clear of the rest.

#include "sheet/PageHeader.h"
#include "sheet/PageLayout.h"
#include "sheet/ProblemCatalogue.h"
#include "sheet/SheetMaker.h"
#include "figures/LongDivisionLayout.h"

#include <QtTest>

#include <set>

using namespace divisheet;
using namespace Qt::StringLiterals;
using Q = QuotientClass;
using D = DivisorClass;
Q_DECLARE_METATYPE(divisheet::ProblemSettings)

namespace {

PageOptions options(int v) // bit 0 numbered, bit 1 titled (with a score box), bit 2 more
{
    return {bool(v & 1), bool(v & 2), v & 2 ? u"わり算 れんしゅう"_s : QString(), bool(v & 4)};
}

// Fixed divisors 1 to 9, the other divisor classes, each with and without remainder.
void everySetting()
{
    QTest::addColumn<ProblemSettings>("settings");
    for (int q = 0; q <= int(Q::Q111_999); ++q)
        for (int d = 0; d <= int(D::D1000_9999); ++d)
            for (int fixed = 1; fixed <= (D(d) == D::Fixed ? 9 : 1); ++fixed)
                for (const bool remainder : {false, true})
                    if (isAllowedCombination(Q(q), D(d)))
                        QTest::addRow("%s / %s%s", qPrintable(quotientCaption(Q(q))),
                                      qPrintable(divisorCaption(D(d), fixed)), remainder ? " 余りあり" : "")
                            << ProblemSettings{Q(q), D(d), fixed, remainder};
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
        // A random catalogue draws from the lists its twin without remainder runs over (the one
        // divisor missing there, 110 beside the quotients 11..99, has no more digits than 990),
        // and the largest remainder d - 1 gives both the longest dividend and remainder.
        const bool random = isRandomCatalogue(settings);
        TRandom rng(1);
        std::vector<Problem> problems = random ? std::vector<Problem>() : buildCatalogue(settings, rng);
        const ProblemSettings twin{settings.quotient, settings.divisor, settings.fixedDivisor, false};
        for (const qint32 d : random ? detail::catalogueLists(twin).divisors : std::vector<qint32>())
            for (const qint32 q : detail::catalogueLists(twin).quotients)
                problems.push_back({q, d, d - 1, d * q + d - 1});
        std::set<int> fontSizes; // that any of the pages uses
        for (int variant = 0; variant < 8; ++variant)
            fontSizes.insert(pageLayout(settings, options(variant), kDesignPageSize).fontSize);
        for (const int fontSize : fontSizes) {
            QSize largest;
            for (const Problem &p : problems) {
                const LongDivisionLayout figure = layoutLongDivision(fontSize, p.dividend, p.divisor);
                largest = largest.expandedTo({figure.width, figure.height});
            }
            // An enumerated catalogue reaches the bound: no page is laid out for figures it never has.
            const QSize box = figureBoxSize(worstFigureExtent(settings), fontSize);
            QCOMPARE(!random && !problems.empty() ? largest : box.expandedTo(largest), box);
        }
    }

    void pageGeometry_data() { everySetting(); }
    void pageGeometry()
    {
        QFETCH(ProblemSettings, settings);
        const QRect page({}, kDesignPageSize);
        const ScoreBoxPlace score = scoreBoxPlace();
        for (int variant = 0; variant < 8; ++variant) {
            const PageOptions o = options(variant);
            const PageLayout layout = pageLayout(settings, o, kDesignPageSize);
            const int standard = sheetShape(settings).problemCount(), count = layout.problemCount();
            const QByteArray where = "options " + QByteArray::number(variant);
            const qint64 total = problemTotal(settings);
            QVERIFY2(o.more || count == standard, where);
            if (o.more) {
                // Half as many again, or the whole catalogue; the same problems never get smaller
                // figures, and no row or column is left empty.
                QVERIFY2(2 * count >= 3 * standard || count >= total, where);
                QVERIFY2(count > standard || layout.fontSize == kStandardFontSize, where);
                QVERIFY2(count <= total || total == 0
                             || ((layout.rows - 1) * layout.columns < total && layout.rows * (layout.columns - 1) < total),
                         where);
                QCOMPARE(qint64(makeSheet(settings, {7, 8}, o).size()),
                         std::min<qint64>(sheetProblemCount(settings, o), total));
            }
            // Figures go under the header (or the own title), above the page's foot (or the foot
            // line); the extras lie on the page, clear of that band and of one another.
            const QRect title = o.hasTitle() ? ownTitleBand(kDesignPageSize) : QRect();
            const QRect foot = o.hasTitle() ? footLinePlace(kDesignPageSize).rect : QRect();
            const int top = o.hasTitle() ? title.bottom() + 1 : kSheetTopMargin;
            const QRect band(0, top, page.width(), (o.isDefault() ? page.height() : footLinePlace(kDesignPageSize).rect.top()) - top);
            const QRect code = sheetCodePlace(kDesignPageSize).rect;
            QVERIFY2(!code.intersects(foot) && !code.intersects(title), where);
            for (const QRect &extra : {score.box, title, foot})
                QVERIFY2(extra.isNull() || (page.contains(extra) && !extra.intersects(band)), where);
            QVERIFY2(score.box.contains(score.mark.rect) && !title.intersects(score.box | kDateNameLine),
                     where);

            const CellSize today = sheetCellSize(kDesignPageSize, layout.rows, layout.columns);
            std::vector<QRect> placed;
            for (int k = 0; k < count; ++k) {
                const int row = k / layout.columns + 1, column = k % layout.columns + 1;
                const QRect figure(layout.figureTopLeft(row, column),
                                   figureBoxSize(worstFigureExtent(settings), layout.fontSize));
                QVERIFY2(band.contains(figure) && !figure.intersects(code), where);
                for (const QRect &other : placed)
                    QVERIFY2(!figure.intersects(other), where);
                placed.push_back(figure);
                const QRect number = layout.numberRect(row, column);
                QVERIFY2(o.numbered ? layout.cellRect(row, column).contains(number) : number.isEmpty(),
                         where);
                QVERIFY2(!number.adjusted(-1, -1, 1, 1).intersects(figure), where); // not even touching
                // With every option off, exactly where the figures have always gone.
                QVERIFY2(!o.isDefault() || figure.topLeft() == cellTopLeft(today, row, column), where);
            }
        }
    }

    void fitTitle_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("fitted");
        QTest::addColumn<bool>("cut");
        const QString forty(40, u'あ'), astral = u"𠮷"_s.repeated(41);
        const QString voiced = u"か\u3099"_s.repeated(41);
        QTest::newRow("empty") << QString() << QString() << false;
        QTest::newRow("40 characters stay") << forty << forty << false;
        QTest::newRow("the 41st is cut") << forty + u'い' << forty << true;
        QTest::newRow("a character outside the basic plane counts once") << astral << astral.left(80) << true;
        QTest::newRow("a combining mark stays with its letter") << voiced << voiced.left(80) << true;
        QTest::newRow("line breaks become spaces") << u"一組\n二組\t"_s << u"一組 二組 "_s << false;
    }
    void fitTitle()
    {
        QFETCH(QString, input);
        QTEST(divisheet::fitTitle(input).text, "fitted");
        QTEST(divisheet::fitTitle(input).cut, "cut");
    }
};

QTEST_GUILESS_MAIN(TestPageLayout)
#include "tst_page_layout.moc"
