// Pictures of painting recorded on a screen-sized surface, played through the print
// forwarding onto an image four times as big: what reaches paper, without a print queue.
#include "TestSupport.h"
#include "figures/LongDivision.h"
#include "platform/Fonts.h"
#include "platform/PrintForwarding.h"

#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QPainter>
#include <QPicture>
#include <QTest>

#include <functional>

namespace {

constexpr int kScale = 4; // image pixels per recorded pixel

// Records `paint` on a picture of `size` and plays it, scaled by kScale, onto a white
// image of `dpi` dots per inch.
QImage playScaled(QSize size, const std::function<void(QPainter &)> &paint, int dpi = 96)
{
    QPicture picture;
    {
        QPainter recorder(&picture);
        paint(recorder);
    }
    QImage image(size * kScale, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    QPainter target(&image);
    divisheet::playForPrinting(picture, size, &target, QTransform::fromScale(kScale, kScale));
    // The target painter is left as it was found.
    if (target.hasClipping() || !target.transform().isIdentity())
        return {};
    return image;
}

using divisheet::test::isDark;

QRect darkBounds(const QImage &image, const QRect &area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (isDark(image, x, y))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// Lengths of the alternating dark and light runs along row y, from the first dark pixel;
// the last run, cut off by the line's end, is left out.
QList<int> runsAlong(const QImage &image, int y)
{
    QList<int> runs;
    int x = 0;
    while (x < image.width() && !isDark(image, x, y))
        ++x;
    while (x < image.width()) {
        const bool dark = isDark(image, x, y);
        int length = 0;
        for (; x < image.width() && isDark(image, x, y) == dark; ++x)
            ++length;
        if (x < image.width())
            runs << length;
    }
    return runs;
}

} // namespace

class TestPrintForwarding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { divisheet::installFontSubstitutions(); }
    void thinPenKeepsScreenPattern_data();
    void thinPenKeepsScreenPattern();
    void pointSizedFontScaledOnce_data();
    void pointSizedFontScaledOnce();
    void clipIsKept_data();
    void clipIsKept();
    void everyDigitBoxReachesPaper_data();
    void everyDigitBoxReachesPaper();
};

void TestPrintForwarding::thinPenKeepsScreenPattern_data()
{
    QTest::addColumn<QPen>("pen");
    QTest::addColumn<int>("on");  // screen pixels
    QTest::addColumn<int>("off");
    QPen flat(Qt::black, 1, Qt::DotLine);
    flat.setCapStyle(Qt::FlatCap);
    QPen cosmetic(Qt::black, 1, Qt::DotLine);
    cosmetic.setCosmetic(true);
    QTest::newRow("dotted, flat caps") << flat << 1 << 2;
    // Square caps would lengthen each dot by a pen width.
    QTest::newRow("dotted, square caps") << QPen(Qt::black, 1, Qt::DotLine) << 1 << 2;
    // Cosmetic and zero-width pens would stay one image pixel wide and fine-dotted.
    QTest::newRow("dotted, cosmetic") << cosmetic << 1 << 2;
    QTest::newRow("dotted, width 0") << QPen(Qt::black, 0, Qt::DotLine) << 1 << 2;
    QTest::newRow("dashed") << QPen(Qt::black, 1, Qt::DashLine) << 4 << 2;
}

// Along a horizontal line, every dot is kScale times its screen length and the line is
// one screen pixel (kScale image pixels) thick.
void TestPrintForwarding::thinPenKeepsScreenPattern()
{
    QFETCH(QPen, pen);
    QFETCH(int, on);
    QFETCH(int, off);
    const QImage image = playScaled(QSize(60, 10), [&pen](QPainter &painter) {
        painter.setPen(pen);
        painter.drawLine(QPointF(0, 5), QPointF(60, 5));
    });
    QVERIFY(!image.isNull());
    const QList<int> runs = runsAlong(image, 5 * kScale);
    QVERIFY2(runs.size() >= 10, qPrintable(QString::number(runs.size())));
    for (qsizetype i = 0; i < runs.size(); ++i)
        QCOMPARE(runs[i], (i % 2 == 0 ? on : off) * kScale);
    const QRect firstDot = darkBounds(image, QRect(0, 0, on * kScale, image.height()));
    QCOMPARE(firstDot.height(), kScale);
}

void TestPrintForwarding::pointSizedFontScaledOnce_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("screen resolution") << 96;
    // A printer's: a point size resolved against it would be 12.5 times too big.
    QTest::newRow("printer resolution") << 1200;
}

// 12 points at the picture's 96 dots per inch are 16 pixels: the "H" in points prints as
// big as the one in 16 pixels, both kScale times their screen height.
void TestPrintForwarding::pointSizedFontScaledOnce()
{
    QFETCH(int, dpi);
    const QImage image = playScaled(QSize(80, 40), [](QPainter &painter) {
        painter.setPen(Qt::black);
        painter.setFont(divisheet::designFont(-16));
        painter.drawText(QPointF(10, 30), QStringLiteral("H"));
        QFont points = divisheet::designFont(-16);
        points.setPointSize(12);
        painter.setFont(points);
        painter.drawText(QPointF(50, 30), QStringLiteral("H"));
    }, dpi);
    QVERIFY(!image.isNull());
    const QRect inPixels = darkBounds(image, QRect(0, 0, 40 * kScale, image.height()));
    const QRect inPoints = darkBounds(image, QRect(40 * kScale, 0, 40 * kScale, image.height()));
    QCOMPARE(inPoints.size(), inPixels.size());
    QCOMPARE(inPoints.bottom(), inPixels.bottom());
    const int screenHeight = QFontMetrics(divisheet::designFont(-16)).tightBoundingRect(QStringLiteral("H")).height();
    QVERIFY2(qAbs(inPixels.height() - screenHeight * kScale) <= kScale,
             qPrintable(QStringLiteral("%1 against %2").arg(inPixels.height()).arg(screenHeight * kScale)));
}

void TestPrintForwarding::clipIsKept_data()
{
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QRect>("clip");
    QTest::addColumn<QRect>("expected"); // in screen pixels
    QTest::newRow("clip rectangle") << QPoint() << QRect(10, 5, 20, 10) << QRect(10, 5, 20, 10);
    QTest::newRow("clip under a moved origin") << QPoint(15, 10) << QRect(0, 0, 8, 6) << QRect(15, 10, 8, 6);
}

// A fill of the whole surface inside a clip blackens the clip alone.
void TestPrintForwarding::clipIsKept()
{
    QFETCH(QPoint, origin);
    QFETCH(QRect, clip);
    QFETCH(QRect, expected);
    const QImage image = playScaled(QSize(60, 30), [&](QPainter &painter) {
        painter.translate(origin);
        painter.setClipRect(clip);
        painter.fillRect(QRect(-origin, QSize(60, 30)), Qt::black);
    });
    QVERIFY(!image.isNull());
    const QRect scaled(expected.topLeft() * kScale, expected.size() * kScale);
    QCOMPARE(darkBounds(image, image.rect()), scaled);
    QCOMPARE(isDark(image, scaled.left(), scaled.top()), true);
    QCOMPARE(isDark(image, scaled.right(), scaled.bottom()), true);
}

void TestPrintForwarding::everyDigitBoxReachesPaper_data()
{
    QTest::addColumn<int>("fontSize"); // at 20 and 23 the face is taller than a digit's box
    for (const int size : {20, 23, 30})
        QTest::addRow("%d", size) << size;
}

// A problem's figure played onto a PDF page as printing plays it, read back as a picture:
// ink in the divisor's last box as in its first.
void TestPrintForwarding::everyDigitBoxReachesPaper()
{
    QFETCH(int, fontSize);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("poppler-utils is not installed");
    TLongDivision figure;
    figure.setFontSize(quint8(fontSize));
    figure.setValueIntegerWarareru(2625);
    figure.setValueIntegerWaru(375);
    figure.setTypeIntegerShow(divisheet::isHide);
    QPicture picture;
    figure.render(std::make_unique<QPainter>(&picture).get());
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("figure.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(96 * kScale);
        writer.setPageSize(QPageSize(QSizeF(figure.size()) * 0.75, QPageSize::Point));
        writer.setPageMargins(QMarginsF());
        QPainter target(&writer);
        divisheet::playForPrinting(picture, figure.size(), &target, QTransform::fromScale(kScale, kScale));
    }
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(96 * kScale), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), pdf, folder.filePath(QStringLiteral("page"))});
    const QImage image(folder.filePath(QStringLiteral("page.png")));
    const QRect divisor = figure.findChild<TFrameFigureInteger *>(QStringLiteral("FDynFrameFigureIntegerWaru"))->geometry();
    for (const int box : {0, 2}) {
        const QRect area(divisor.x() + box * fontSize + 3, divisor.y() + 3, fontSize - 6, divisor.height() - 6);
        QVERIFY2(!image.isNull() && !darkBounds(image, QRect(area.topLeft() * kScale, area.size() * kScale)).isEmpty(), qPrintable(QString::number(box)));
    }
}

QTEST_MAIN(TestPrintForwarding)
#include "tst_print_forwarding.moc"
