// Every page of a table of sheet codes, drawn by pdftoppm at 100 dpi, pixel for pixel as it
// was recorded: the codes cover every divisor and quotient class, both remainders, frame
// lines on and off, answers pages, numbers, score box, more problems (of both code
// versions), titles and class sets. A change to how sheets reach paper must keep them all.

#include "PrintTestSupport.h"

#include "platform/Fonts.h"

#include <QCryptographicHash>
#include <QFontInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The pixels of an image, whatever the PNG file around them holds.
QString pixelDigest(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int y = 0; y < rgb.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 4));
    return QString::fromLatin1(hash.result().toHex().left(16));
}

} // namespace

class TestGoldenPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        divisheet::installFontSubstitutions();
        if (!printtest::haveTool(u"pdftoppm"_s))
            QSKIP("poppler-utils is not installed");
        // The pages were recorded in the face the install scripts bring.
        if (!QFontInfo(divisheet::designFont(30)).family().startsWith(u"BIZ UD"_s))
            QSKIP("BIZ UDGothic is not installed; the recorded pages are drawn in it");
    }

    void pages_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("digests");
        QFile table(QStringLiteral(DIVISHEET_GOLDEN_PAGES));
        QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
        // Each line: code|title|digest of page 1 [digest of page 2]
        for (const QString &line : QString::fromUtf8(table.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(u'|');
            if (line.startsWith(u'#') && fields.size() == 3)
                QTest::newRow(qPrintable(fields[0] + u' ' + fields[1]))
                    << fields[0] << fields[1] << fields[2].split(u' ', Qt::SkipEmptyParts);
        }
    }
    void pages()
    {
        QFETCH(QString, code);
        QFETCH(QString, title);
        QFETCH(QStringList, digests);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"sheet.pdf"_s);
        QStringList arguments{u"--pdf"_s, pdf, u"--code"_s, code.mid(1)};
        if (!title.isEmpty())
            arguments << u"--title"_s << title;
        int status = -1;
        printtest::run(QStringLiteral(DIVISHEET_EXECUTABLE), arguments, &status);
        QCOMPARE(status, 0);
        printtest::run(u"pdftoppm"_s, {u"-r"_s, u"100"_s, u"-png"_s, pdf, dir.filePath(u"page"_s)}, &status);
        QCOMPARE(status, 0);
        QStringList drawn;
        for (const QString &png : QDir(dir.path()).entryList({u"page*.png"_s}, QDir::Files, QDir::Name))
            drawn << pixelDigest(QImage(dir.filePath(png)));
        // A new row is recorded by copying in what it draws.
        QVERIFY2(!digests.isEmpty(), qPrintable(u"new row, draws: "_s + drawn.join(u' ')));
        QCOMPARE(drawn, digests);
    }
};

QTEST_MAIN(TestGoldenPages)
#include "tst_golden_pages.moc"
