#include "figures/FrameFigureGeometry.h"
#include "figures/LongDivision.h"
#include "figures/LongDivisionLayout.h"
#include "platform/Fonts.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace divisheet;
using namespace divisheet::test;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Sub
{
    QString name;
    int value;
    int left, top, width, height;
};

} // namespace

Q_DECLARE_METATYPE(Sub)

namespace {

using Subs = QList<Sub>;

QList<TFrameFigureInteger *> subFigures(const TLongDivision &figure)
{
    QList<TFrameFigureInteger *> result;
    for (QObject *child : figure.children())
        if (auto *sub = qobject_cast<TFrameFigureInteger *>(child))
            result << sub;
    return result;
}

QStringList subNames(const TLongDivision &figure)
{
    QStringList names;
    for (TFrameFigureInteger *sub : subFigures(figure))
        names << sub->objectName().mid(TLongDivision::figurePrefix.size());
    return names;
}

// What the worksheet form does with each figure.
void setUpLikeTheForm(TLongDivision &figure, int dividend, int divisor, TTypeFrameShow frames = fsShow,
                      TTypeIntegerShow digits = isShow)
{
    figure.setGeometry(10, 10, 148, 139);
    figure.setObjectName(u"DynLongDivision1"_s);
    figure.setFontSize(30);
    figure.setValueIntegerWarareru(dividend);
    figure.setValueIntegerWaru(divisor);
    figure.setTypeFrameShow(frames);
    figure.setTypeIntegerShow(digits);
}

} // namespace

class TestLongDivision : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void workedExamples_data()
    {
        QTest::addColumn<int>("dividend");
        QTest::addColumn<int>("divisor");
        QTest::addColumn<Subs>("subs");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("100 / 7 with remainder 2")
            << 100 << 7
            << Subs{{u"Waru"_s, 7, 0, 43, 30, 45},      {u"Kotae"_s, 14, 90, 0, 60, 45},
                    {u"Amari"_s, 2, 150, 0, 60, 45},    {u"Warareru"_s, 100, 30, 43, 151, 45},
                    {u"Kaketa1"_s, 7, 60, 86, 30, 45},  {u"Hiita1"_s, 30, 60, 129, 60, 45},
                    {u"Kaketa2"_s, 28, 60, 172, 60, 45}, {u"Hiita2"_s, 2, 90, 215, 30, 45}}
            << 211 << 260;
        QTest::newRow("3542 / 7, a zero quotient digit")
            << 3542 << 7
            << Subs{{u"Waru"_s, 7, 0, 43, 30, 45},       {u"Kotae"_s, 506, 90, 0, 90, 45},
                    {u"Warareru"_s, 3542, 30, 43, 181, 45}, {u"Kaketa1"_s, 35, 30, 86, 60, 45},
                    {u"Hiita1"_s, 42, 90, 129, 60, 45},  {u"Kaketa2"_s, 42, 90, 172, 60, 45},
                    {u"Hiita2"_s, 0, 120, 215, 30, 45}}
            << 211 << 260;
        QTest::newRow("7007 / 7, line extender")
            << 7007 << 7
            << Subs{{u"Waru"_s, 7, 0, 43, 30, 45},       {u"Kotae"_s, 1001, 60, 0, 120, 45},
                    {u"Warareru"_s, 7007, 30, 43, 181, 45}, {u"Kaketa1"_s, 7, 30, 86, 30, 45},
                    {u"Dummy"_s, 11, 90, 129, 60, 45},   {u"Hiita1"_s, 7, 120, 129, 30, 45},
                    {u"Kaketa2"_s, 7, 120, 172, 30, 45}, {u"Hiita2"_s, 0, 120, 215, 30, 45}}
            << 211 << 260;
    }

    void workedExamples()
    {
        QFETCH(int, dividend);
        QFETCH(int, divisor);
        QFETCH(Subs, subs);
        QFETCH(int, width);
        QFETCH(int, height);

        const LongDivisionLayout layout = layoutLongDivision(30, dividend, divisor);
        QCOMPARE(layout.placements.size(), size_t(subs.size()));
        for (int i = 0; i < subs.size(); ++i) {
            const FigurePlacement &p = layout.placements[size_t(i)];
            QCOMPARE(p.name, subs[i].name);
            QCOMPARE(p.value, subs[i].value);
            QCOMPARE(QRect(p.left, p.top, p.width, p.height),
                     QRect(subs[i].left, subs[i].top, subs[i].width, subs[i].height));
        }
        QCOMPARE(layout.width, width);
        QCOMPARE(layout.height, height);

        TLongDivision figure;
        setUpLikeTheForm(figure, dividend, divisor);
        QCOMPARE(figure.size(), QSize(width, height));
        QCOMPARE(figure.pos(), QPoint(10, 10));
        const QList<TFrameFigureInteger *> children = subFigures(figure);
        QCOMPARE(children.size(), subs.size());
        for (int i = 0; i < subs.size(); ++i) {
            // Creation order is the stacking order: later children lie on top.
            TFrameFigureInteger *sub = children[i];
            QCOMPARE(sub->objectName(), u"FDynFrameFigureInteger"_s + subs[i].name);
            QCOMPARE(sub->toolTip(), sub->objectName());
            QCOMPARE(sub->valueInteger(), subs[i].value);
            QCOMPARE(sub->fontSize(), 30);
            QCOMPARE(sub->geometry(), QRect(subs[i].left, subs[i].top, subs[i].width, subs[i].height));
        }
    }

    void subFigureSettings()
    {
        TLongDivision figure;
        setUpLikeTheForm(figure, 7007, 7, fsShow, isHide);
        figure.setValueIntegerWarareru(7001); // remainder 1: every kind of sub-figure
        const QList<std::tuple<QString, TTypeSign, TTypeIntegerShow, TTypeFrameShow>> expected{
            {u"Waru"_s, sNone, isShow, fsShow},     {u"Kotae"_s, sNone, isHide, fsShow},
            {u"Amari"_s, sAmari, isHide, fsShow},   {u"Warareru"_s, sWarareru, isShow, fsShow},
            {u"Kaketa1"_s, sKaketa, isHide, fsShow}, {u"Dummy"_s, sHiita, isHide, fsHide},
            {u"Hiita1"_s, sHiita, isHide, fsShow}};
        QCOMPARE(subNames(figure).size(), expected.size());
        for (const auto &[name, sign, digits, frames] : expected) {
            TFrameFigureInteger *sub = figure.figure(name);
            QVERIFY2(sub, qPrintable(name));
            QCOMPARE(sub->typeSign(), sign);
            QCOMPARE(sub->typeIntegerShow(), digits);
            QCOMPARE(sub->typeFrameShow(), frames);
        }
        figure.setTypeFrameShow(fsHide);
        for (TFrameFigureInteger *sub : subFigures(figure))
            QCOMPARE(sub->typeFrameShow(), fsHide);
    }

    // All three rules of the first difference line of 7007 / 7 lie on y = 129 and join.
    void unbrokenRule()
    {
        TLongDivision figure;
        setUpLikeTheForm(figure, 7007, 7);
        figure.move(0, 0);
        const QImage image = render(figure);
        QCOMPARE(image.size(), QSize(211, 260));
        QCOMPARE(figure.figure(u"Dummy"_s)->width(), 121);
        QCOMPARE(figure.figure(u"Kaketa1"_s)->width(), 91);
        QCOMPARE(darkCount(image, 45, 129, 195, 129), 195 - 45 + 1);
        QVERIFY(!isDark(image, 44, 129));
        QVERIFY(!isDark(image, 196, 129));
        // The bar over the dividend: (19, 0) to (166, 0) of the dividend's own figure.
        QCOMPARE(darkCount(image, 30 + 19, 43, 30 + 165, 43), 165 - 19 + 1);
    }

    void hiddenAnswers()
    {
        TLongDivision figure;
        setUpLikeTheForm(figure, 7007, 7, fsShow, isHide);
        figure.move(0, 0);
        const QImage image = render(figure);
        // The divisor and the dividend are written; the quotient's boxes stay empty.
        QVERIFY(darkCount(image, 2, 46, 28, 84) > 20);
        QVERIFY(darkCount(image, 62, 46, 88, 84) > 20);
        for (int box = 0; box < 4; ++box)
            QCOMPARE(darkCount(image, 62 + 30 * box, 2, 88 + 30 * box, 40), 0);
        // The rules of every working row are still there.
        QCOMPARE(darkCount(image, 45, 129, 195, 129), 195 - 45 + 1);
        QVERIFY(darkCount(image, 135, 215, 195, 215) > 50);
    }

    void defaults()
    {
        TLongDivision figure;
        QCOMPARE(figure.valueIntegerWarareru(), 21);
        QCOMPARE(figure.valueIntegerWaru(), 3);
        QCOMPARE(figure.valueIntegerKotae(), 7);
        QCOMPARE(figure.valueIntegerAmari(), 0);
        QCOMPARE(figure.fontSize(), 24);
        QCOMPARE(figure.typeAmariShow(), asShow);
        QCOMPARE(figure.typeIntegerShow(), isShow);
        QCOMPARE(figure.typeFrameShow(), fsShow);
        QCOMPARE(subNames(figure), (QStringList{u"Waru"_s, u"Kotae"_s, u"Warareru"_s, u"Kaketa1"_s, u"Hiita1"_s}));
        // 21 / 3 at F = 24: h = 36, one working row, width (1 + 2 + 2) * 24 + 1.
        QCOMPARE(figure.size(), QSize(121, 4 * 36 - 6));
        QCOMPARE(figure.property("ValueIntegerKotae").toInt(), 7);
    }

    void clamping_data()
    {
        QTest::addColumn<int>("dividend");
        QTest::addColumn<int>("divisor");
        QTest::addColumn<int>("storedDividend");
        QTest::addColumn<int>("storedDivisor");
        QTest::newRow("dividend above range") << 123456 << 7 << 99999 << 7;
        QTest::newRow("negative dividend") << -5 << 7 << 0 << 7;
        QTest::newRow("divisor 0") << 10 << 0 << 10 << 1;
        QTest::newRow("negative divisor") << 10 << -3 << 10 << 1;
        QTest::newRow("divisor above range") << 10 << 100000 << 10 << 99999;
    }

    void clamping()
    {
        QFETCH(int, dividend);
        QFETCH(int, divisor);
        QFETCH(int, storedDividend);
        QFETCH(int, storedDivisor);
        TLongDivision figure;
        figure.setValueIntegerWarareru(dividend);
        figure.setValueIntegerWaru(divisor);
        QCOMPARE(figure.valueIntegerWarareru(), storedDividend);
        QCOMPARE(figure.valueIntegerWaru(), storedDivisor);
        QCOMPARE(figure.valueIntegerKotae(), storedDividend / storedDivisor);
        QCOMPARE(figure.valueIntegerAmari(), storedDividend % storedDivisor);
        QCOMPARE(figure.figure(u"Kotae"_s)->valueInteger(), storedDividend / storedDivisor);
    }

    void unchangedDivisionDoesNothing()
    {
        TLongDivision figure;
        figure.setValueIntegerWaru(1);
        QSignalSpy spy(&figure, &TLongDivision::OnChange);
        const QList<TFrameFigureInteger *> before = subFigures(figure);
        figure.setValueIntegerWaru(0);  // clamps to the stored 1
        figure.setValueIntegerWaru(-7); // likewise
        figure.setValueIntegerWarareru(21);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(subFigures(figure), before);

        figure.setValueIntegerWarareru(100000);
        QCOMPARE(spy.count(), 1);
        figure.setValueIntegerWarareru(123456); // clamps to the stored 99999
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QObject *>(), &figure);
    }

    void settingsAlwaysRebuild_data()
    {
        QTest::addColumn<QString>("property");
        QTest::newRow("FontSize") << u"FontSize"_s;
        QTest::newRow("TypeAmariShow") << u"TypeAmariShow"_s;
        QTest::newRow("TypeFrameShow") << u"TypeFrameShow"_s;
        QTest::newRow("TypeIntegerShow") << u"TypeIntegerShow"_s;
    }

    void settingsAlwaysRebuild()
    {
        QFETCH(QString, property);
        TLongDivision figure;
        QSignalSpy spy(&figure, &TLongDivision::OnChange);
        QSignalSpy destroyed(figure.figure(u"Kotae"_s), &QObject::destroyed);
        const QByteArray name = property.toLatin1();
        QVERIFY(figure.setProperty(name.constData(), figure.property(name.constData())));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(destroyed.count(), 1); // the sub-figures were made afresh
        QCOMPARE(subNames(figure), (QStringList{u"Waru"_s, u"Kotae"_s, u"Warareru"_s, u"Kaketa1"_s, u"Hiita1"_s}));
    }

    void dummyRemovedByNextLayout()
    {
        TLongDivision figure;
        figure.setValueIntegerWarareru(6012); // / 3 = 2004: a line extender
        QVERIFY(figure.figure(u"Dummy"_s));
        figure.setValueIntegerWaru(12); // 501: none
        QVERIFY(!figure.figure(u"Dummy"_s));
        QCOMPARE(subNames(figure), (QStringList{u"Waru"_s, u"Kotae"_s, u"Warareru"_s, u"Kaketa1"_s, u"Hiita1"_s,
                                                u"Kaketa2"_s, u"Hiita2"_s}));
    }

    void remainderShown_data()
    {
        QTest::addColumn<int>("dividend");
        QTest::addColumn<int>("amariShow");
        QTest::addColumn<bool>("placed");
        QTest::addColumn<int>("width");
        // F = 30, divisor 7: (nW + nD + 2) * F + 1, plus nR * F with the remainder.
        QTest::newRow("remainder shown") << 100 << int(asShow) << true << 211;
        QTest::newRow("remainder hidden") << 100 << int(asHide) << false << 181;
        QTest::newRow("remainder 0") << 105 << int(asShow) << false << 181;
        QTest::newRow("remainder 0, hidden") << 105 << int(asHide) << false << 181;
    }

    void remainderShown()
    {
        QFETCH(int, dividend);
        QFETCH(int, amariShow);
        QFETCH(bool, placed);
        QFETCH(int, width);
        TLongDivision figure;
        setUpLikeTheForm(figure, dividend, 7);
        figure.setTypeAmariShow(TTypeAmariShow(amariShow));
        QCOMPARE(figure.figure(u"Amari"_s) != nullptr, placed);
        QCOMPARE(figure.width(), width);
        if (placed) {
            const QRect amari = figure.figure(u"Amari"_s)->geometry();
            QCOMPARE(figure.width(), amari.x() + amari.width() + 1);
        }
    }

    void placeFigureTwice()
    {
        TLongDivision figure;
        const int count = subFigures(figure).size();
        figure.PlaceFigure(u"Amari"_s, 5, sAmari, 100, 0, 60, 36, isShow, fsShow);
        figure.PlaceFigure(u"Amari"_s, 6, sNone, 10, 20, 30, 40, isHide, fsHide);
        QCOMPARE(subFigures(figure).size(), count + 1);
        TFrameFigureInteger *amari = figure.figure(u"amari"_s); // names compare without case
        QVERIFY(amari);
        QCOMPARE(amari->valueInteger(), 5);
        QCOMPARE(amari->typeSign(), sAmari);
        QCOMPARE(amari->geometry(), QRect(100, 0, 60, 36));
        figure.FreeFigure(u"Amari"_s);
        QVERIFY(!figure.figure(u"Amari"_s));
        figure.FreeFigure(u"Amari"_s); // nothing left to free
        figure.ClearFigures();
        QVERIFY(subFigures(figure).isEmpty());
    }

    void leadingDigits_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        QTest::newRow("3542, 2") << 3542 << 2 << 35;
        QTest::newRow("3542, 9") << 3542 << 9 << 3542;
        QTest::newRow("3542, 4") << 3542 << 4 << 3542;
        QTest::newRow("7007, 3") << 7007 << 3 << 700;
        QTest::newRow("0, 1") << 0 << 1 << 0;
    }

    void leadingDigits()
    {
        QFETCH(int, number);
        QFETCH(int, count);
        QFETCH(int, expected);
        QCOMPARE(TLongDivision::LeadingDigits(number, count), expected);
    }

    void oneDigitQuotient_data()
    {
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<int>("dividend");
        QTest::addColumn<int>("divisor");
        QTest::addColumn<int>("lineHeight");
        // A quotient of 0 still gets its working row: product 0 under the quotient's digit
        // and the dividend as the difference in the same column.
        QTest::newRow("F30 5/7, quotient 0") << 30 << 5 << 7 << 45;
        QTest::newRow("F30 17/3") << 30 << 17 << 3 << 45;
        QTest::newRow("F30 99999/12345") << 30 << 99999 << 12345 << 45;
        QTest::newRow("F25 62/7") << 25 << 62 << 7 << 38;
        QTest::newRow("F27 62/7") << 27 << 62 << 7 << 40;
    }

    void oneDigitQuotient()
    {
        QFETCH(int, fontSize);
        QFETCH(int, dividend);
        QFETCH(int, divisor);
        QFETCH(int, lineHeight);
        const LongDivisionLayout layout = layoutLongDivision(fontSize, dividend, divisor);
        QCOMPARE(layout.workingRows, 1);
        QCOMPARE(layout.height, 4 * lineHeight - 6);
        for (const FigurePlacement &p : layout.placements)
            QCOMPARE(p.height, lineHeight);
        const FigurePlacement *kotae = layout.find(u"Kotae"_s);
        const FigurePlacement *kaketa = layout.find(u"Kaketa1"_s);
        const FigurePlacement *hiita = layout.find(u"Hiita1"_s);
        QVERIFY(kotae && kaketa && hiita);
        QVERIFY(!layout.find(u"Kaketa2"_s));
        QCOMPARE(kotae->value, dividend / divisor);
        QCOMPARE(kaketa->value, (dividend / divisor) * divisor);
        QCOMPARE(hiita->value, dividend % divisor);
        // Both end under the quotient digit: their right edge is its left edge.
        QCOMPARE(kaketa->left + kaketa->width, kotae->left);
        QCOMPARE(hiita->left + hiita->width, kotae->left);
    }

    void trailingZerosGetExtender_data()
    {
        QTest::addColumn<int>("dividend");
        QTest::addColumn<int>("broughtDown");
        QTest::newRow("7001 / 7 = 1000 r 1") << 7001 << 3;
        QTest::newRow("70007 / 7 = 10001") << 70007 << 4;
        QTest::newRow("70001 / 7 = 10000 r 1") << 70001 << 4;
    }

    void trailingZerosGetExtender()
    {
        QFETCH(int, dividend);
        QFETCH(int, broughtDown);
        const int F = 30;
        const LongDivisionLayout layout = layoutLongDivision(F, dividend, 7);
        const FigurePlacement *dummy = layout.find(u"Dummy"_s);
        const FigurePlacement *hiita = layout.find(u"Hiita1"_s);
        const FigurePlacement *kaketa = layout.find(u"Kaketa1"_s);
        QVERIFY(dummy && hiita && kaketa);
        QCOMPARE(dummy->value, 11);
        QCOMPARE(dummy->sign, sHiita);
        QCOMPARE(dummy->integerShow, isHide);
        QCOMPARE(dummy->frameShow, fsHide);
        QCOMPARE(dummy->left, hiita->left - (broughtDown - 2) * F);
        QCOMPARE(dummy->width, hiita->width + F);
        QCOMPARE(dummy->top, hiita->top);
        QCOMPARE(hiita->left + hiita->width, kaketa->left + kaketa->width + broughtDown * F);
        // Placed just before the difference it lengthens.
        const auto index = [&](const FigurePlacement *p) { return p - layout.placements.data(); };
        QCOMPARE(index(dummy) + 1, index(hiita));
    }

    void heightFollowsWorkingRows_data()
    {
        QTest::addColumn<int>("dividend");
        QTest::addColumn<int>("divisor");
        QTest::addColumn<int>("rows");
        QTest::newRow("five digits, no zero") << 98765 << 1 << 5;
        QTest::newRow("five digits, two zeros") << 90807 << 1 << 3;
        QTest::newRow("five digits, 10001") << 70007 << 7 << 2;
        QTest::newRow("four digits") << 9999 << 3 << 4;
        QTest::newRow("1000 / 1") << 1000 << 1 << 1;
    }

    void heightFollowsWorkingRows()
    {
        QFETCH(int, dividend);
        QFETCH(int, divisor);
        QFETCH(int, rows);
        const int h = 45;
        const LongDivisionLayout layout = layoutLongDivision(30, dividend, divisor);
        QCOMPARE(layout.workingRows, rows);
        QCOMPARE(layout.height, (2 * rows + 2) * h - 4 * rows - 2);
    }
};

QTEST_MAIN(TestLongDivision)
#include "tst_long_division.moc"
