// A fuller page, every option on or "more" alone, for every allowed setting: figures apart
// and inside the page below its header, numbers in reading order above their own figures,
// the title and score box shown, and the same sheet again from its seeds with the options.
#include "FormTestSupport.h"
#include "app/PageOptionsDialog.h"
#include "sheet/PageHeader.h"
#include "sheet/SheetMaker.h"
#include <QLabel>
#include <QtTest>
using namespace Qt::Literals::StringLiterals;
Q_DECLARE_METATYPE(divisheet::ProblemSettings)
Q_DECLARE_METATYPE(divisheet::PageOptions)

class TestPageOptions : public QObject
{
    Q_OBJECT
    quint32 m_seeds = 0;
    std::unique_ptr<TFormDivisheet> m_form;

private slots:
    void initTestCase() { installFontSubstitutions(); m_form = makeForm(countedSeeds(m_seeds)); }
    void cleanupTestCase() { m_form.reset(); }
    void fullerPage_data()
    {
        QTest::addColumn<ProblemSettings>("s");
        QTest::addColumn<PageOptions>("options");
        for (const QuotientClass q : allQuotientClasses)
            for (const DivisorClass d : allDivisorClasses)
                for (int f = 1; f <= (d == DivisorClass::Fixed ? 9 : 1); ++f)
                    for (const ProblemSettings s : {ProblemSettings{q, d, f, false}, ProblemSettings{q, d, f, true}})
                        if (settingsProblem(s).isEmpty())
                            for (const PageOptions &o : {PageOptions{false, false, {}, true}, PageOptions{true, true, u"3年1組 & 2組"_s, true}})
                                QTest::addRow("%s / %s%s%s", qPrintable(quotientClassName(q)), qPrintable(divisorClassName(d, f)),
                                              s.withRemainder ? " rem" : "", o.numbered ? " all" : " more") << s << o;
    }
    void fullerPage()
    {
        QFETCH(ProblemSettings, s);
        QFETCH(PageOptions, options);
        TFormDivisheet *form = m_form.get();
        child<TRadioButton>(form, "RadioButtonWaruKotei")->click(); // takes every quotient class
        child<TRadioGroup>(form, "RadioGroupAmari")->setItemIndex(s.withRemainder);
        child<TSpinEdit>(form, "SpinEditDan")->setValue(s.fixedDivisor);
        const QString d = s.divisor == DivisorClass::Fixed ? u"Kotei"_s : divisorClassName(s.divisor, 0);
        child<TRadioButton>(form, qPrintable(u"RadioButtonKotae"_s + quotientClassName(s.quotient).replace(u".."_s, u"_"_s)))->click();
        child<TRadioButton>(form, qPrintable(u"RadioButtonWaru"_s + QString(d).replace(u".."_s, u"_"_s)))->click();
        form->setPageOptions(options);
        child<TButton>(form, "ButtonKoushin")->click();
        form->grab(); // figures widen for their signs when first painted
        QCOMPARE(int(form->sheetState().FigureFontSize), sheetGrid(s, options).fontSize);
        QCOMPARE(child<QLabel>(form, "LabelOwnTitle")->isVisible() ? child<QLabel>(form, "LabelOwnTitle")->text() : QString(), options.title);
        QCOMPARE(child<QWidget>(form, "ShapeScoreBox")->isVisible(), options.scoreBox);
        const int top = sheetTop(options.hasTitle()), bottom = sheetBottom(form->size(), true);
        QCOMPARE(child<TLabel>(form, "LabelHyoudai")->y() >= bottom, options.hasTitle());

        const auto figures = figuresOn(form);
        QCOMPARE(int(figures.size()), form->sheetState().ProblemCount);
        std::vector<QRect> boxes; // each figure as drawn, its digit frames included
        QStringList window;
        for (const Figure &f : figures) {
            window << QString::number(f.dividend) + u'/' + QString::number(f.divisor);
            boxes.push_back(f.geometry);
            for (const QWidget *part : form->findChild<TLongDivision *>(f.name)->findChildren<QWidget *>())
                boxes.back() |= part->geometry().translated(f.geometry.topLeft());
            QVERIFY2(QRect(0, top, form->width(), bottom - top).contains(boxes.back()) && f.integerShow == isShow, qPrintable(f.name));
        }
        QRect previous;
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            for (std::size_t j = k + 1; j < boxes.size(); ++j)
                QVERIFY2(!boxes[k].intersects(boxes[j]), qPrintable(figures[k].name + u" overlaps "_s + figures[j].name));
            auto *number = form->findChild<QLabel *>(u"DynNumber"_s + QString::number(k + 1));
            QCOMPARE(bool(number), options.numbered);
            const QRect at = number ? number->geometry() : QRect();
            QVERIFY(!number || (figures[k].name == u"DynLongDivision"_s + number->text() && at.bottom() < boxes[k].top() && at.left() == boxes[k].left()));
            QVERIFY(std::none_of(boxes.begin(), boxes.end(), [&](const QRect &box) { return box.intersects(at); }));
            QVERIFY(!number || k == 0 || at.y() > previous.y() || (at.y() == previous.y() && at.x() > previous.right()));
            previous = at;
        }
        // The window's sheet is the one its seeds make.
        QCOMPARE(window.join(u' '), problemsText(makeSheet(s, SheetSeeds{isRandomCatalogue(s) ? m_seeds - 1 : 0, m_seeds}, options)));
    }

    // A title the program accepts is shown whole, in the band under the header, clear of the
    // button panel, in one face of 14 pixels or more, or in two lines.
    void ownTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("short: centred, largest face") << u"わり算"_s;
        QTest::newRow("40 mixed characters") << u"4年1組 わり算の筆算 れんしゅうプリント 第3回 あまりのあるわり算（4けた÷"_s;
        QTest::newRow("40 emoji, maybe without a face") << u"😀"_s.repeated(40);
        QTest::newRow("40 wide letters, no blank") << QString(40, u'Ｗ');
    }
    void ownTitle()
    {
        QFETCH(QString, title);
        const QRect panel = child<QWidget>(m_form.get(), "PanelButtons")->geometry();
        const TitlePlace place = ownTitlePlace(title, kDesignPageSize, panel);
        const QStringList lines = place.text.split(u'\n');
        QVERIFY(lines.size() == 1 || (lines.size() == 2 && place.pixelSize == 14));
        QVERIFY(ownTitleBand(kDesignPageSize).contains(place.rect) && !place.rect.intersects(panel) && place.pixelSize >= 14);
        for (const QString &line : lines)
            QVERIFY(QFontMetrics(designFont(place.pixelSize)).horizontalAdvance(line) <= place.rect.width());
        QCOMPARE(QString(place.text).remove(u'\n').size() >= title.size() - 1, true); // nothing cut but the break's blank
        QVERIFY(place.pixelSize < 24 || qAbs(place.rect.center().x() - kDesignPageSize.width() / 2) <= 1);
    }

    // The page dialog says how many problems the next sheet's settings have in all.
    void problemTotal_data()
    {
        QTest::addColumn<ProblemSettings>("s");
        QTest::addColumn<QString>("said");
        QTest::newRow("fixed 3, quotients 0 to 9") << ProblemSettings{QuotientClass::Q1_9, DivisorClass::Fixed, 3, false} << u"全部で10題"_s;
        QTest::newRow("100..900 into 10..90") << ProblemSettings{QuotientClass::Q10_90, DivisorClass::D100_900, 2, false} << u"全部で81題"_s;
        QTest::newRow("random: 9 quotients x (999 + ... + 9998)") << ProblemSettings{QuotientClass::Q1_9, DivisorClass::D1000_9999, 2, true} << u"全部で445,378,500題"_s;
    }
    void problemTotal()
    {
        QFETCH(ProblemSettings, s);
        QFETCH(QString, said);
        const QString text = child<QLabel>(std::make_unique<TPageOptionsDialog>(PageOptions{}, s).get(), "LabelProblemTotal")->text();
        QVERIFY2(text.contains(said), qPrintable(text));
    }
};

QTEST_MAIN(TestPageOptions)
#include "tst_page_options.moc"
