#include "figures/FrameFigureGeometry.h"
#include "figures/LongDivision.h"
#include "platform/Fonts.h"
#include "TestSupport.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QMetaEnum>
#include <QPainter>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

using namespace divisheet;
using namespace divisheet::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// A white surface for one figure at (0, 0), as a long-division figure would give it.
struct Host
{
    QWidget widget;
    TFrameFigureInteger *figure;

    Host() : figure(new TFrameFigureInteger(&widget))
    {
        widget.setAutoFillBackground(true);
        QPalette palette = widget.palette();
        palette.setColor(QPalette::Window, Qt::white);
        widget.setPalette(palette);
        widget.resize(300, 100);
    }

    // The figure as it shows once it has painted, which is when it takes its final width.
    QImage render()
    {
        return test::render(widget);
    }

    void setUp(int value, TTypeSign sign, int fontSize)
    {
        figure->setValueInteger(value);
        figure->setTypeSign(sign);
        figure->setFontSize(quint8(fontSize));
        figure->setGeometry(0, 0, 10, frameFigureHeight(fontSize));
    }
};

template <typename E>
QStringList enumKeys()
{
    const QMetaEnum meta = QMetaEnum::fromType<E>();
    QStringList keys;
    for (int i = 0; i < meta.keyCount(); ++i) {
        if (meta.value(i) != i)
            return {QStringLiteral("value out of order")};
        keys << QString::fromLatin1(meta.key(i));
    }
    return keys;
}

} // namespace

class TestFrameFigure : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void enumerationsInOrder()
    {
        QCOMPARE(enumKeys<TTypeSign>(), (QStringList{u"sNone"_s, u"sWarareru"_s, u"sAmari"_s, u"sKaketa"_s, u"sHiita"_s}));
        QCOMPARE(enumKeys<TTypeIntegerLocationStyle>(), (QStringList{u"ilsLeft"_s, u"ilsRight"_s}));
        QCOMPARE(enumKeys<TTypeIntegerShow>(), (QStringList{u"isShow"_s, u"isHide"_s}));
        QCOMPARE(enumKeys<TTypeFrameShow>(), (QStringList{u"fsShow"_s, u"fsHide"_s}));
        QCOMPARE(enumKeys<TTypeAmariShow>(), (QStringList{u"asHide"_s, u"asShow"_s}));
        QCOMPARE(enumKeys<TPenStyle>(), (QStringList{u"psSolid"_s, u"psDash"_s, u"psDot"_s, u"psDashDot"_s,
                                                     u"psDashDotDot"_s, u"psClear"_s, u"psInsideFrame"_s}));
        QCOMPARE(sizeof(TTypeSign), size_t(1));
    }

    void defaults()
    {
        TFrameFigureInteger figure;
        QCOMPARE(figure.valueInteger(), 54321); // its digits: boxPerDigit's row "as made"
        QCOMPARE(figure.fontSize(), 32);
        QCOMPARE(figure.typeFrameLineStyle(), psDot);
        QCOMPARE(figure.typeIntegerLocationStyle(), ilsRight);
        QCOMPARE(figure.typeSign(), sNone);
        QCOMPARE(figure.typeIntegerShow(), isShow);
        QCOMPARE(figure.typeFrameShow(), fsShow);
        QCOMPARE(figure.size(), QSize(161, 48));
        // Published under their own names, for anything that reads them generically.
        QCOMPARE(figure.property("ValueInteger").toInt(), 54321);
        QCOMPARE(figure.property("TypeSign").value<TTypeSign>(), sNone);
        QVERIFY(figure.setProperty("TypeSign", QVariant::fromValue(sHiita)));
        QCOMPARE(figure.typeSign(), sHiita);
    }

    void digitSplit()
    {
        TFrameFigureInteger figure;
        figure.setTypeIntegerLocationStyle(ilsLeft);
        for (int value = 0; value <= 99999; value += 1 + value / 50) {
            figure.setValueInteger(value);
            int rest = value;
            for (int k = 1; k <= 5; ++k) {
                QCOMPARE(figure.digit(k), rest % 10);
                rest /= 10;
            }
            QCOMPARE(figure.valueIntegerDigits(), QString::number(value).size());
        }
    }

    void boxPerDigit_data()
    {
        QTest::addColumn<int>("value"); // -1: the figure as made, 54321 at F = 32
        QTest::addColumn<QString>("digits"); // highest first
        QTest::addColumn<int>("fontSize");
        QTest::newRow("as made: five boxes") << -1 << u"54321"_s << 32;
        QTest::newRow("0 shows one box") << 0 << u"0"_s << 30;
        QTest::newRow("105: the inner zero gets its box") << 105 << u"105"_s << 30;
    }

    void boxPerDigit()
    {
        QFETCH(int, value);
        QFETCH(QString, digits);
        QFETCH(int, fontSize);
        const int n = int(digits.size());
        const int bottom = frameFigureHeight(fontSize) - 4;
        Host host;
        if (value >= 0)
            host.setUp(value, sNone, fontSize);
        QCOMPARE(host.figure->valueIntegerDigits(), n);
        for (int k = 1; k <= n; ++k)
            QCOMPARE(host.figure->digit(k), digits.at(n - k).digitValue());
        const QImage image = host.render();
        QCOMPARE(host.figure->size(), QSize(n * fontSize + 1, frameFigureHeight(fontSize)));
        // Frame lines at both ends and between the boxes, each dotted: one pixel on, two off.
        for (int x = 0; x <= n * fontSize; x += fontSize) {
            const int dots = darkCount(image, x, 2, x, bottom);
            QVERIFY2(dots >= 12 && dots <= 16, qPrintable(QString::number(x)));
        }
        // A digit in each box, nothing beside the figure.
        for (int box = 0; box < n; ++box)
            QVERIFY(darkCount(image, box * fontSize + 2, 2, box * fontSize + fontSize - 2, bottom) > 20);
        QCOMPARE(darkCount(image, n * fontSize + 1, 0, 299, 99), 0);
    }

    void digitsInBizUDGothicWhereInstalled()
    {
        if (!QFontDatabase::hasFamily(u"BIZ UDGothic"_s))
            QSKIP("BIZ UDGothic not installed");
        QCOMPARE(QFontInfo(designFont(pointsToPixels(30))).family(), u"BIZ UDGothic"_s);
    }

    // Each face that may stand in for the design face writes every digit inside its box
    // at every figure size; one whose digits fit there keeps them on the box's top line.
    void digitsInsideTheirBoxes_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<bool>("onTopLine");
        for (const auto &[face, fits] : {std::pair{u"BIZ UDGothic"_s, true}, {u"IPAGothic"_s, true},
                                         {u"Noto Sans CJK JP"_s, false}, {u"Noto Sans Mono CJK JP"_s, false}})
            for (int fontSize = 20; fontSize <= 30; ++fontSize)
                QTest::addRow("%s F%d", qPrintable(face), fontSize) << face << fontSize << fits;
    }

    void digitsInsideTheirBoxes()
    {
        QFETCH(QString, face);
        QFETCH(int, fontSize);
        QFETCH(bool, onTopLine);
        if (!QFontDatabase::hasFamily(face))
            QSKIP("face not installed");
        const auto restore = qScopeGuard(&installFontSubstitutions);
        QFont::removeSubstitutions(designFaceName);
        QFont::insertSubstitution(designFaceName, face);
        QCOMPARE(QFontInfo(designFont(fontSize)).family(), face);
        for (int digit = 0; digit <= 9; ++digit) {
            Host host;
            host.setUp(digit, sNone, fontSize);
            host.figure->setTypeFrameShow(fsHide);
            const QImage image = host.render();
            // The box's inside: from its text area's corner to the frame lines right and below.
            const int ink = darkCount(image, 1, 1, fontSize - 1, frameFigureHeight(fontSize) - 3);
            QVERIFY(ink > 0);
            QCOMPARE(darkCount(image, 0, 0, 299, 99), ink);
            QImage written(image.size(), image.format());
            written.fill(Qt::white);
            QPainter painter(&written);
            painter.setFont(designFont(pointsToPixels(fontSize)));
            painter.drawText(QRect(1, 1, fontSize, 99), Qt::AlignHCenter | Qt::AlignTop,
                             QString::number(digit));
            QCOMPARE(image == written, onTopLine);
        }
    }

    void clampAndCompareUnclamped()
    {
        TFrameFigureInteger figure;
        QSignalSpy spy(&figure, &TFrameFigureInteger::OnChange);
        figure.setValueInteger(100000);
        QCOMPARE(figure.valueInteger(), 99999);
        QCOMPARE(spy.count(), 1);
        // 100000 is not the stored 99999, so it goes through again.
        figure.setValueInteger(100000);
        QCOMPARE(spy.count(), 2);
        figure.setValueInteger(99999);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).value<QObject *>(), &figure);
    }

    void notifications_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<bool>("fires");
        QTest::newRow("ValueInteger") << u"ValueInteger"_s << false;
        QTest::newRow("FontSize") << u"FontSize"_s << false;
        QTest::newRow("TypeSign") << u"TypeSign"_s << true;
        QTest::newRow("TypeFrameLineStyle") << u"TypeFrameLineStyle"_s << true;
        QTest::newRow("TypeIntegerLocationStyle") << u"TypeIntegerLocationStyle"_s << true;
        QTest::newRow("TypeIntegerShow") << u"TypeIntegerShow"_s << true;
        QTest::newRow("TypeFrameShow") << u"TypeFrameShow"_s << true;
    }

    void notifications()
    {
        QFETCH(QString, property);
        QFETCH(bool, fires);
        TFrameFigureInteger figure;
        figure.move(100, 10);
        const QRect before = figure.geometry();
        QSignalSpy spy(&figure, &TFrameFigureInteger::OnChange);
        const QByteArray name = property.toLatin1();
        QVERIFY(figure.setProperty(name.constData(), figure.property(name.constData())));
        QCOMPARE(spy.count(), fires ? 1 : 0);
        QCOMPARE(figure.geometry(), before);
    }

    void fontSizeSetsSize_data()
    {
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<int>("sign");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        // 54321 has five digits; the sign adds its columns.
        QTest::newRow("F25 plain") << 25 << int(sNone) << 126 << 38;
        QTest::newRow("F27 plain") << 27 << int(sNone) << 136 << 40;
        QTest::newRow("F30 plain") << 30 << int(sNone) << 151 << 45;
        QTest::newRow("F30 dividend") << 30 << int(sWarareru) << 211 << 45;
        QTest::newRow("F30 remainder") << 30 << int(sAmari) << 181 << 45;
        QTest::newRow("F24 product") << 24 << int(sKaketa) << 169 << 36;
    }

    void fontSizeSetsSize()
    {
        QFETCH(int, fontSize);
        QFETCH(int, sign);
        QFETCH(int, width);
        QFETCH(int, height);
        TFrameFigureInteger figure;
        figure.setTypeSign(TTypeSign(sign));
        QCOMPARE(figure.width(), 161); // the sign alone leaves the width to the next paint
        figure.setFontSize(quint8(fontSize));
        QCOMPARE(figure.size(), QSize(width, height));
    }

    void signSetsLocationStyle()
    {
        TFrameFigureInteger figure;
        for (const auto &[sign, style] : {std::pair{sWarareru, ilsLeft}, {sKaketa, ilsRight}, {sAmari, ilsLeft},
                                          {sHiita, ilsRight}, {sNone, ilsRight}}) {
            figure.setTypeSign(sign);
            QCOMPARE(figure.typeIntegerLocationStyle(), style);
        }
    }

    void locationStyle_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("left");
        QTest::newRow("right keeps right edge, shrinking") << int(ilsRight) << 54321 << 7 << 200 + 4 * 32;
        QTest::newRow("right keeps right edge, growing") << int(ilsRight) << 7 << 12345 << 200 - 4 * 32;
        QTest::newRow("left keeps left edge") << int(ilsLeft) << 54321 << 7 << 200;
    }

    void locationStyle()
    {
        QFETCH(int, style);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, left);
        TFrameFigureInteger figure;
        figure.setValueInteger(from);
        figure.move(200, 5);
        figure.setTypeIntegerLocationStyle(TTypeIntegerLocationStyle(style));
        figure.setValueInteger(to);
        QCOMPARE(figure.x(), left);
        QCOMPARE(figure.y(), 5);
        QCOMPARE(figure.width(), QString::number(to).size() * 32 + 1);
    }

    // 756 under the bracket at F = 30: the worked example, pixel by pixel.
    void dividendPixels()
    {
        Host host;
        host.setUp(756, sWarareru, 30);
        const QImage image = host.render();
        QCOMPARE(host.figure->geometry(), QRect(0, 0, 151, 45));

        // Dotted frame lines at x = 30, 60, 90, 120 and y = 43; nothing just beside them.
        for (int x : {30, 60, 90, 120}) {
            const int dots = darkCount(image, x, 1, x, 42);
            QVERIFY2(dots >= 10 && dots <= 16, qPrintable(QString::number(x)));
        }
        QVERIFY(darkCount(image, 31, 43, 119, 43) >= 25);
        QCOMPARE(darkCount(image, 0, 44, 150, 44) - darkCount(image, 0, 44, 29, 44), 0);
        QCOMPARE(darkCount(image, 23, 1, 29, 44), 0);
        QCOMPARE(darkCount(image, 121, 1, 150, 44), 0); // the empty right column
        QCOMPARE(darkCount(image, 151, 0, 299, 99), 0);  // clipped to the control

        // Digits "7", "5", "6", centred in their boxes.
        for (int box = 0; box < 3; ++box) {
            const int left = 31 + 30 * box;
            int inkLeft = 1000, inkRight = -1;
            for (int y = 1; y <= 42; ++y)
                for (int x = left + 1; x <= left + 27; ++x)
                    if (isDark(image, x, y)) {
                        inkLeft = std::min(inkLeft, x);
                        inkRight = std::max(inkRight, x);
                    }
            QVERIFY(inkRight > inkLeft);
            const double inkCentre = (inkLeft + inkRight) / 2.0;
            QVERIFY2(qAbs(inkCentre - (left + 14.5)) <= 3.0, qPrintable(QString::number(inkCentre)));
        }

        // The bar over the dividend from (19, 0) up to, not including, (136, 0).
        QCOMPARE(darkCount(image, 19, 0, 135, 0), 135 - 19 + 1);
        QCOMPARE(darkCount(image, 136, 0, 150, 0), 0);

        // The bracket: the right half of the ellipse (-22, -15)-(22, 48), bowed to the
        // right, widest at its centre row and cut off by the bottom edge.
        auto rightmostArc = [&](int y) {
            for (int x = 29; x >= 0; --x)
                if (isDark(image, x, y))
                    return x;
            return -1;
        };
        QVERIFY(rightmostArc(16) >= 19 && rightmostArc(16) <= 22);
        QVERIFY(rightmostArc(44) >= 8 && rightmostArc(44) <= 13);
        QVERIFY(rightmostArc(30) < rightmostArc(16));
        // Only the outline: the inside of the bracket stays empty.
        QCOMPARE(darkCount(image, 0, 5, 5, 40), 0);
    }

    void remainderPixels()
    {
        Host host;
        host.setUp(756, sAmari, 30);
        const QImage image = host.render();
        QCOMPARE(host.figure->geometry(), QRect(0, 0, 121, 45));
        for (int x : {30, 60, 90, 120})
            QVERIFY(darkCount(image, x, 1, x, 42) >= 10);
        // Three dots of radius 2 centred at (8, 22), (15, 22), (22, 22).
        for (int cx : {8, 15, 22}) {
            QVERIFY(isDark(image, cx, 22));
            QVERIFY(isDark(image, cx - 1, 21));
        }
        for (int x : {4, 11, 18, 26})
            QVERIFY(!isDark(image, x, 22));
        QCOMPARE(darkCount(image, 0, 0, 29, 18), 0);
        QCOMPARE(darkCount(image, 0, 25, 29, 44), 0);
    }

    void productAndDifferenceRules_data()
    {
        QTest::addColumn<int>("sign");
        QTest::addColumn<int>("ruleY");
        QTest::newRow("product underline") << int(sKaketa) << 43;
        QTest::newRow("difference overline") << int(sHiita) << 0;
    }

    void productAndDifferenceRules()
    {
        QFETCH(int, sign);
        QFETCH(int, ruleY);
        Host host;
        host.setUp(42, TTypeSign(sign), 30);
        const QImage image = host.render();
        QCOMPARE(host.figure->geometry(), QRect(0, 0, 121, 45));
        QCOMPARE(darkCount(image, 15, ruleY, 105, ruleY), 105 - 15 + 1);
        QVERIFY(!isDark(image, 14, ruleY));
        QVERIFY(!isDark(image, 106, ruleY));
        // Boxes 31..61 and 61..91 framed; the outer columns empty.
        for (int x : {30, 60, 90})
            QVERIFY(darkCount(image, x, 2, x, 42) >= 10);
        QCOMPARE(darkCount(image, 0, 1, 29, 42), 0);
        QCOMPARE(darkCount(image, 91, 1, 120, 42), 0);
    }

    // The line extender: hidden digits, hidden frames and a difference sign leave only
    // the top rule.
    void hiddenDifferenceDrawsOnlyItsRule()
    {
        Host host;
        host.setUp(11, sHiita, 30);
        host.figure->setTypeIntegerShow(isHide);
        host.figure->setTypeFrameShow(fsHide);
        const QImage image = host.render();
        QCOMPARE(darkCount(image, 15, 0, 105, 0), 91);
        QCOMPARE(darkCount(image, 0, 1, 299, 99), 0);
    }

    void hiddenFramesAndDigits()
    {
        Host host;
        host.setUp(42, sNone, 30);
        host.figure->setColor(QColor(255, 255, 0));
        QImage image = host.render();
        QCOMPARE(image.pixel(15, 30), qRgb(255, 255, 0)); // boxes filled with the colour
        QVERIFY(darkCount(image, 2, 2, 28, 42) > 20);

        host.figure->setTypeIntegerShow(isHide);
        image = host.render();
        QCOMPARE(darkCount(image, 2, 2, 28, 42), 0); // empty boxes
        QVERIFY(darkCount(image, 0, 2, 0, 42) >= 10); // still framed

        host.figure->setTypeIntegerShow(isShow);
        host.figure->setTypeFrameShow(fsHide);
        image = host.render();
        QCOMPARE(image.pixel(15, 30), qRgb(255, 255, 255)); // neither framed nor filled
        QCOMPARE(darkCount(image, 0, 2, 0, 42), 0);
        QVERIFY(darkCount(image, 2, 2, 28, 42) > 20);
    }

    void frameLineStyle_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::newRow("solid") << int(psSolid) << 42 << 42;
        QTest::newRow("dot") << int(psDot) << 12 << 16;
        QTest::newRow("clear") << int(psClear) << 0 << 0;
    }

    void frameLineStyle()
    {
        QFETCH(int, style);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        Host host;
        host.setUp(42, sNone, 30);
        host.figure->setTypeIntegerShow(isHide);
        host.figure->setTypeFrameLineStyle(TPenStyle(style));
        const QImage image = host.render();
        const int count = darkCount(image, 30, 1, 30, 42);
        QVERIFY2(count >= minimum && count <= maximum, qPrintable(QString::number(count)));
    }

    void paintRestoresWidth()
    {
        Host host;
        host.setUp(42, sKaketa, 30);
        host.figure->setGeometry(0, 0, 60, 45);
        host.render();
        QCOMPARE(host.figure->width(), 121);
        host.figure->resize(20, 45);
        host.render();
        QCOMPARE(host.figure->width(), 121);
    }
};

QTEST_MAIN(TestFrameFigure)
#include "tst_frame_figure.moc"
