// The page's options on the window: the placed figures of a fuller page stay apart and on
// the page below its header, the numbers follow the reading order beside their figures,
// and a sheet made with options comes back from its seeds with the same options.

#include "FormTestSupport.h"
#include "app/PageHeader.h"
#include "app/PageLayout.h"
#include "app/SheetMaker.h"

#include <QLabel>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(divisheet::ProblemSettings)
Q_DECLARE_METATYPE(divisheet::PageOptions)

namespace {

// Sets the panel as a user would: the start-up classes, then the quotient, then the divisor.
void choose(TFormDivisheet *form, const ProblemSettings &s)
{
    child<TRadioButton>(form, "RadioButtonWaruKotei")->click();
    child<TRadioButton>(form, "RadioButtonKotae1_9")->click();
    child<TRadioGroup>(form, "RadioGroupAmari")->setItemIndex(s.withRemainder ? 1 : 0);
    child<TSpinEdit>(form, "SpinEditDan")->setValue(s.fixedDivisor);
    const QString q = quotientClassName(s.quotient).replace(u".."_s, u"_"_s);
    const QString d = s.divisor == DivisorClass::Fixed ? u"Kotei"_s : divisorClassName(s.divisor, 0).replace(u".."_s, u"_"_s);
    child<TRadioButton>(form, qPrintable(u"RadioButtonKotae"_s + q))->click();
    child<TRadioButton>(form, qPrintable(u"RadioButtonWaru"_s + d))->click();
}

// A figure's box as drawn: its own rectangle and every digit frame, widened for its signs.
QRect drawnBox(const TLongDivision *figure)
{
    QRect box = figure->geometry();
    for (const QWidget *part : figure->findChildren<QWidget *>())
        box |= part->geometry().translated(figure->pos());
    return box;
}

QString problemsText(const std::vector<std::pair<QString, QString>> &problems)
{
    QStringList parts;
    for (const auto &[divisor, dividend] : problems)
        parts << dividend + u'/' + divisor;
    return parts.join(u' ');
}

quint32 msOfDay() { return quint32(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay()); }

} // namespace

class TestPageOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        m_form = makeForm();
    }
    void cleanupTestCase() { m_form.reset(); }

    void fullerPageKeepsFiguresApart_data()
    {
        QTest::addColumn<ProblemSettings>("settings");
        QTest::addColumn<PageOptions>("options");
        const PageOptions everything{true, true, u"わり算の筆算 3年1組 & 2組"_s, true};
        for (const QuotientClass q : allQuotientClasses) {
            for (const DivisorClass d : allDivisorClasses) {
                for (int f = 1; f <= (d == DivisorClass::Fixed ? 9 : 1); ++f) {
                    for (const bool rem : {false, true}) {
                        const ProblemSettings s{q, d, d == DivisorClass::Fixed ? f : 2, rem};
                        if (!settingsProblem(s).isEmpty())
                            continue;
                        const QString name = quotientClassName(q) + u" / "_s + divisorClassName(d, f) + (rem ? u" rem"_s : u""_s);
                        QTest::addRow("%s more", qPrintable(name)) << s << PageOptions{false, false, {}, true};
                        QTest::addRow("%s everything", qPrintable(name)) << s << everything;
                    }
                }
            }
        }
    }

    // With answers shown and every figure painted once (figures widen for their signs then).
    void fullerPageKeepsFiguresApart()
    {
        QFETCH(ProblemSettings, settings);
        QFETCH(PageOptions, options);
        TFormDivisheet *form = m_form.get();
        choose(form, settings);
        form->setPageOptions(options);
        child<TButton>(form, "ButtonKoushin")->click();
        form->grab();
        const PageLayout grid = sheetGrid(settings, options);
        QVERIFY(grid.problemCount() >= sheetShape(settings).problemCount() && grid.problemCount() <= kMaxSheetProblems);
        QCOMPARE(int(form->sheetState().FigureFontSize), grid.fontSize);

        const auto figures = figuresOn(form);
        QCOMPARE(int(figures.size()), form->sheetState().ProblemCount);
        const QRect band(0, sheetTop(options.hasTitle()), form->width(), sheetBottom(form->size(), options.hasTitle()) - sheetTop(options.hasTitle()));
        std::vector<QRect> boxes;
        for (const Figure &f : figures) {
            const auto *figure = form->findChild<TLongDivision *>(f.name);
            QCOMPARE(figure->typeIntegerShow(), isShow);
            boxes.push_back(drawnBox(figure));
            QVERIFY2(band.contains(boxes.back()), qPrintable(f.name));
        }
        // Each number sits above its own figure, clear of every figure; reading order is the
        // figures' order: row by row, left to right.
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            for (std::size_t j = k + 1; j < boxes.size(); ++j)
                QVERIFY2(!boxes[k].intersects(boxes[j]), qPrintable(figures[k].name + u" overlaps "_s + figures[j].name));
            auto *number = form->findChild<QLabel *>(u"DynNumber"_s + QString::number(k + 1));
            QCOMPARE(bool(number), options.numbered);
            if (!number)
                continue;
            QCOMPARE(figures[k].name, u"DynLongDivision"_s + number->text());
            QVERIFY(number->geometry().bottom() < boxes[k].top() && number->geometry().left() == boxes[k].left());
            for (const QRect &box : boxes)
                QVERIFY(!number->geometry().intersects(box));
            if (k > 0) {
                const QRect before = form->findChild<QLabel *>(u"DynNumber"_s + QString::number(k))->geometry();
                QVERIFY(number->y() > before.y() || (number->y() == before.y() && number->x() > before.x()));
            }
        }
        auto *title = child<QLabel>(form, "LabelOwnTitle");
        QCOMPARE(title->isVisible() ? title->text() : QString(), options.title);
        QCOMPARE(child<QWidget>(form, "ShapeScoreBox")->isVisible(), options.scoreBox);
        QCOMPARE(child<TLabel>(form, "LabelHyoudai")->y() > band.bottom(), options.hasTitle());
    }

    void windowSheetWithOptionsComesBack_data()
    {
        QTest::addColumn<ProblemSettings>("settings");
        QTest::addColumn<PageOptions>("options");
        QTest::newRow("two-digit, more, numbered") << ProblemSettings{QuotientClass::Q11_99, DivisorClass::D1_9, 2, true} << PageOptions{true, true, u"題"_s, true};
        QTest::newRow("catalogue smaller than the page") << ProblemSettings{QuotientClass::Q1_9, DivisorClass::Fixed, 3, false} << PageOptions{false, false, {}, true};
        QTest::newRow("random catalogue, more") << ProblemSettings{QuotientClass::Q1_9, DivisorClass::D1000_9999, 2, false} << PageOptions{true, false, {}, true};
    }

    // The seeds the window used lie between the clock readings around the update.
    void windowSheetWithOptionsComesBack()
    {
        QFETCH(ProblemSettings, settings);
        QFETCH(PageOptions, options);
        TFormDivisheet *form = m_form.get();
        choose(form, settings);
        form->setPageOptions(options);
        const quint32 before = msOfDay();
        child<TButton>(form, "ButtonKoushin")->click();
        const quint32 after = msOfDay();
        QVERIFY2(after >= before, "the clock passed midnight during the update; run again");
        const QString window = problemsText(sheetProblems(form, form->sheetState().ProblemCount));
        const bool random = isRandomCatalogue(settings);
        bool found = false;
        for (quint32 c = random ? before : 0; c <= (random ? after : 0); ++c) {
            for (quint32 d = random ? c : before; d <= after && !found; ++d) {
                QStringList made;
                for (const Problem &p : makeSheet(settings, {c, d}, options))
                    made << QString::number(p.dividend) + u'/' + QString::number(p.divisor);
                found = made.join(u' ') == window;
            }
        }
        QVERIFY2(found, qPrintable(window));
    }

private:
    std::unique_ptr<TFormDivisheet> m_form;
};

QTEST_MAIN(TestPageOptions)
#include "tst_page_options.moc"
