// The print-to-fit mapping: the size at which the form's image is drawn on the page.
#include "platform/PrintToFit.h"

#include <QTest>

class TestPrintToFit : public QObject
{
    Q_OBJECT

private slots:
    void mapping_data();
    void mapping();
    void keepsAspectWithinRounding_data();
    void keepsAspectWithinRounding();
};

void TestPrintToFit::mapping_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QSize>("expected");

    // w = 2000 x 800 / 500 = 3200, not less than 1000: the width fills the page,
    // h = 500 x 1000 / 2000 = 250.
    QTest::newRow("wide image fills the width")
        << QSize(2000, 500) << QSize(1000, 800) << QSize(1000, 250);
    // w = 300 x 800 / 900 = 266.67 -> 267 < 1000: the height fills the page.
    QTest::newRow("tall image fills the height")
        << QSize(300, 900) << QSize(1000, 800) << QSize(267, 800);
    // The form at its design size on a landscape page of about A4 at 1200 dpi:
    // w = 1036 x 9534 / 766 = 9877224 / 766 = 12894.55 -> 12895 < 13644.
    QTest::newRow("design form on a landscape page")
        << QSize(1036, 766) << QSize(13644, 9534) << QSize(12895, 9534);
    // The same form on a portrait page: w = 1036 x 13644 / 766 = 14135184 / 766 = 18453.24
    // is wider than 9534, so w = 9534 and
    // h = 766 x 9534 / 1036 = 7303044 / 1036 = 7049.27 -> 7049.
    QTest::newRow("design form on a portrait page")
        << QSize(1036, 766) << QSize(9534, 13644) << QSize(9534, 7049);
    // Same aspect ratio as the page: w = 500 x 800 / 400 = 1000, equal to the page
    // width, so the width branch: h = 400 x 1000 / 500 = 800. The whole page.
    QTest::newRow("exact fit")
        << QSize(500, 400) << QSize(1000, 800) << QSize(1000, 800);
    // w = 4 x 6 / 3 = 8 equals the page width: width branch, h = 3 x 8 / 4 = 6.
    QTest::newRow("w equal to the page width takes the width branch")
        << QSize(4, 3) << QSize(8, 6) << QSize(8, 6);
    // w = 799 x 601 / 600 = 800.33 rounds to 800, the page width: the rounded w decides,
    // so the width branch with h = 600 x 800 / 799 = 600.75 -> 601.
    QTest::newRow("rounded w decides the branch")
        << QSize(799, 600) << QSize(800, 601) << QSize(800, 601);
    // w = 3 x 3 / 2 = 4.5: a half goes to the even neighbour, 4.
    QTest::newRow("half rounds down to even")
        << QSize(3, 2) << QSize(100, 3) << QSize(4, 3);
    // w = 5 x 3 / 2 = 7.5: the even neighbour is 8.
    QTest::newRow("half rounds up to even")
        << QSize(5, 2) << QSize(100, 3) << QSize(8, 3);
    // w = 2 x 5 / 3 = 3.33 -> 3 (below a half rounds down).
    QTest::newRow("below a half rounds down")
        << QSize(2, 3) << QSize(100, 5) << QSize(3, 5);
    // w = 1 x 5 / 3 = 1.67 -> 2 (above a half rounds up).
    QTest::newRow("above a half rounds up")
        << QSize(1, 3) << QSize(100, 5) << QSize(2, 5);
    // h = 3 x 10 / 4 = 7.5 in the width branch (w = 4 x 100 / 3 = 133 > 10): to even, 8.
    QTest::newRow("half in the width branch")
        << QSize(4, 3) << QSize(10, 100) << QSize(10, 8);
    // 60000 x 40000 = 2.4e9 overflows 32 bits: w = 2.4e9 / 30000 = 80000 > 50000,
    // h = 30000 x 50000 / 60000 = 25000.
    QTest::newRow("products beyond 32 bits")
        << QSize(60000, 30000) << QSize(50000, 40000) << QSize(50000, 25000);
    // Nothing to draw or nowhere to draw it: an empty size, no division by zero.
    QTest::newRow("empty image") << QSize(0, 100) << QSize(1000, 800) << QSize(0, 0);
    QTest::newRow("image of no height") << QSize(100, 0) << QSize(1000, 800) << QSize(0, 0);
    QTest::newRow("empty page") << QSize(100, 100) << QSize(0, 0) << QSize(0, 0);
    QTest::newRow("page of no width") << QSize(100, 100) << QSize(0, 800) << QSize(0, 0);
    QTest::newRow("invalid sizes") << QSize() << QSize() << QSize(0, 0);
}

void TestPrintToFit::mapping()
{
    QFETCH(QSize, image);
    QFETCH(QSize, page);
    QFETCH(QSize, expected);
    QCOMPARE(divisheet::printToFitSize(image, page), expected);
}

void TestPrintToFit::keepsAspectWithinRounding_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("page");
    QTest::newRow("wide") << QSize(1600, 300) << QSize(14031, 9921);
    QTest::newRow("tall") << QSize(300, 1600) << QSize(14031, 9921);
    QTest::newRow("design form") << QSize(1036, 766) << QSize(14031, 9921);
    QTest::newRow("one pixel") << QSize(1, 1) << QSize(14031, 9921);
}

// Whatever the shape, the image touches two opposite edges of the page, stays on it and
// keeps its aspect ratio to within the half pixel of rounding.
void TestPrintToFit::keepsAspectWithinRounding()
{
    QFETCH(QSize, image);
    QFETCH(QSize, page);
    const QSize size = divisheet::printToFitSize(image, page);
    QVERIFY(size.width() <= page.width());
    QVERIFY(size.height() <= page.height());
    QVERIFY(size.width() == page.width() || size.height() == page.height());
    // |w x H - h x W| <= max(W, H) / 2 when one side is exact and the other rounded.
    const qint64 skew = qAbs(qint64(size.width()) * image.height() - qint64(size.height()) * image.width());
    QVERIFY2(2 * skew <= qMax(image.width(), image.height()), qPrintable(QString::number(skew)));
}

QTEST_GUILESS_MAIN(TestPrintToFit)
#include "tst_print_to_fit.moc"
