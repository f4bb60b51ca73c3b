// The printer adapter against real output: PDF files written through Qt's "print to
// file" and jobs spooled through the CUPS test queue that scripts/start-cups.sh sets up.
// Everything printed is read back from outside the program: pdfinfo, pdftotext, pdftoppm,
// the queue's output folder and the spooler's page log.
#include "PrintTestSupport.h"

#include "platform/Errors.h"
#include "platform/Fonts.h"
#include "platform/Printer.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtMath>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <QFileInfo>
#include <QTextStream>

#include <functional>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using namespace printtest;


// A sheet of known geometry: black 20-pixel squares in the top-left and bottom-right
// corners mark the image's extent on paper; a 1-pixel dotted line crosses the middle;
// a label carries text; a hidden button must not reach paper.
class TestSheet : public QWidget
{
public:
    explicit TestSheet(QSize size, QPen linePen = flatDotted())
        : m_linePen(linePen)
    {
        resize(size);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, Qt::white);
        setPalette(palette);
        setAutoFillBackground(true);

        auto *label = new QLabel(QStringLiteral("解答値なし 123"), this);
        label->setFont(divisheet::designFont(-16));
        label->move(30, 30);
        // 12 points are 16 pixels at 96 dpi: on paper as big as the label above.
        auto *pointLabel = new QLabel(QStringLiteral("POINTLABEL"), this);
        QFont pointFont = divisheet::designFont(-16);
        pointFont.setPointSize(12);
        pointLabel->setFont(pointFont);
        pointLabel->move(30, 90);
        auto *pixelLabel = new QLabel(QStringLiteral("PIXELLABEL"), this);
        pixelLabel->setFont(divisheet::designFont(-16));
        pixelLabel->move(30, 190);
        auto *hidden = new QPushButton(QStringLiteral("HIDDENBUTTON"), this);
        hidden->setFont(divisheet::designFont(-12));
        hidden->move(30, 60);
        hidden->hide();
    }

    int dottedLineY() const { return height() / 2; }

    static QPen flatDotted()
    {
        QPen pen(Qt::black, 1, Qt::DotLine);
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(0, 0, 20, 20, Qt::black);
        painter.fillRect(width() - 20, height() - 20, 20, 20, Qt::black);
        painter.setPen(m_linePen);
        painter.drawLine(40, dottedLineY(), width() - 40, dottedLineY());
    }

private:
    QPen m_linePen;
};

QStringList pdfFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

bool queueReady()
{
    return QPrinterInfo::availablePrinterNames().contains(queueName) && QDir(queueFolder).exists();
}

// The jobs in the queue's output folder whose title (as the spooler passed it to the
// backend) is `title`.
QStringList queueJobsTitled(const QString &title)
{
    QStringList jobs;
    for (const QString &pdf : pdfFiles(queueFolder)) {
        const QString base = pdf.chopped(4);
        if (readText(queueFolder + u'/' + base + QStringLiteral(".title")).trimmed() == title)
            jobs << queueFolder + u'/' + pdf;
    }
    return jobs;
}

// Grey levels of row y of a greyscale image, thresholded: true where dark.
QList<bool> darkRow(const QImage &image, int y)
{
    QList<bool> row;
    for (int x = 0; x < image.width(); ++x)
        row << (qGray(image.pixel(x, y)) < 128);
    return row;
}

QRect darkBounds(const QImage &image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Accepts or rejects the next modal dialog, after `adjust` has had its way with it.
void answerNextDialog(bool accept, std::function<void(QDialog *)> adjust = {})
{
    QTimer::singleShot(0, qApp, [accept, adjust] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (adjust)
            adjust(dialog);
        accept ? dialog->accept() : dialog->reject();
    });
}

// The second half of noPrinterRaisesError, run in a process of its own whose spooler
// address leads nowhere: prints the outcome on stdout.
int runNoPrinterChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    divisheet::installFontSubstitutions();
    TestSheet sheet(QSize(300, 200));
    TPrinter printer;
    printer.setOrientation(QPageLayout::Landscape);
    printer.setTitle(qEnvironmentVariable("DIVISHEET_NO_PRINTER_CHILD"));
    printer.setFileTag(QStringLiteral("解答値なし"));
    QTextStream out(stdout);
    out << "format " << int(printer.qprinter()->outputFormat()) << "\n";
    try {
        printer.printFormImage(&sheet);
        out << "printed\n";
    } catch (const EPrinterError &error) {
        out << "error " << error.message() << "\n";
    }
    return 0;
}

} // namespace

class TestPrinter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void jobFileName_data();
    void jobFileName();
    void freeFileName_data();
    void freeFileName();
    void printToFileGivesEachJobItsFile();
    void printedImageOnPaper_data();
    void printedImageOnPaper();
    void secondJobWhileOneRunsIsRefused();
    void cancelledSetupDialogChangesNothing();
    void landscapeForcedAfterPortraitChoice();
    void noPrinterRaisesError();
    void vanishedPrinterRaisesError();

private:
    int m_serial = 0;
};

void TestPrinter::initTestCase()
{
    divisheet::installFontSubstitutions();
}

void TestPrinter::jobFileName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pdf name") << u"sheet.pdf"_s << u"解答値なし"_s << u"sheet-解答値なし.pdf"_s;
    QTest::newRow("with folder") << u"/tmp/out/sheet.pdf"_s << u"解答値あり"_s << u"/tmp/out/sheet-解答値あり.pdf"_s;
    QTest::newRow("no extension") << u"sheet"_s << u"x"_s << u"sheet-x"_s;
    QTest::newRow("dot in the folder only") << u"/tmp/a.b/sheet"_s << u"x"_s << u"/tmp/a.b/sheet-x"_s;
    QTest::newRow("last extension only") << u"my.sheet.pdf"_s << u"x"_s << u"my.sheet-x.pdf"_s;
    QTest::newRow("empty tag keeps the name") << u"/tmp/sheet.pdf"_s << QString() << u"/tmp/sheet.pdf"_s;
    QTest::newRow("slash in the tag stays in the folder") << u"/tmp/sheet.pdf"_s << u"a/b"_s << u"/tmp/sheet-a_b.pdf"_s;
}

void TestPrinter::jobFileName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, tag);
    QFETCH(QString, expected);
    QCOMPARE(divisheet::jobFileName(chosen, tag), expected);
}

// Files already there, the name wanted, the name given.
void TestPrinter::freeFileName_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("free") << QStringList() << u"s-x.pdf"_s << u"s-x.pdf"_s;
    QTest::newRow("taken") << QStringList{u"s-x.pdf"_s} << u"s-x.pdf"_s << u"s-x-2.pdf"_s;
    QTest::newRow("-2 taken too") << QStringList{u"s-x.pdf"_s, u"s-x-2.pdf"_s} << u"s-x.pdf"_s << u"s-x-3.pdf"_s;
    QTest::newRow("no extension") << QStringList{u"s-x"_s} << u"s-x"_s << u"s-x-2"_s;
    QTest::newRow("dangling link") << QStringList{u"->s-x.pdf"_s} << u"s-x.pdf"_s << u"s-x-2.pdf"_s;
}

void TestPrinter::freeFileName()
{
    QFETCH(QStringList, existing);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : existing) {
        if (name.startsWith(u"->"))
            QVERIFY(QFile::link(dir.filePath(u"gone"_s), dir.filePath(name.mid(2))));
        else
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    }
    QFETCH(QString, wanted);
    QFETCH(QString, expected);
    QCOMPARE(divisheet::freeFileName(dir.filePath(wanted)), dir.filePath(expected));
}

// Two jobs to the file "sheet.pdf" (Qt's print to file) write two files named after
// their tags, one landscape A4 page each with the job's title, and nothing else.
void TestPrinter::printToFileGivesEachJobItsFile()
{
    if (!haveTool(QStringLiteral("pdfinfo")))
        QSKIP("pdfinfo (poppler-utils) is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString chosen = dir.filePath(QStringLiteral("sheet.pdf"));

    TestSheet sheet(QSize(500, 300));
    sheet.show();
    TPrinter printer;
    printer.qprinter()->setOutputFileName(chosen);
    QCOMPARE(printer.qprinter()->outputFormat(), QPrinter::PdfFormat);

    const QStringList tags = {QStringLiteral("解答値なし"), QStringLiteral("解答値あり")};
    for (const QString &tag : tags) {
        printer.setOrientation(QPageLayout::Landscape);
        printer.setTitle(QStringLiteral("Divisheet") + tag);
        printer.setFileTag(tag);
        printer.printFormImage(&sheet);
        // The next job's name derives from the chosen one again.
        QCOMPARE(printer.qprinter()->outputFileName(), chosen);
    }

    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{QStringLiteral("sheet-解答値あり.pdf"), QStringLiteral("sheet-解答値なし.pdf")}));
    for (const QString &tag : tags) {
        const PdfInfo info = pdfInfo(dir.filePath(QStringLiteral("sheet-") + tag + QStringLiteral(".pdf")));
        QVERIFY(info.ok);
        QCOMPARE(info.pages, 1);
        QCOMPARE(info.pageSize, QStringLiteral("842 x 595 pts"));
        QCOMPARE(info.title, QStringLiteral("Divisheet") + tag);
    }
}

void TestPrinter::printedImageOnPaper_data()
{
    QTest::addColumn<QSize>("sheetSize");
    QTest::addColumn<bool>("fillsWidth");
    QTest::addColumn<QPen>("linePen");
    QPen squareCap(Qt::black, 1, Qt::DotLine);
    QPen cosmetic(Qt::black, 1, Qt::DotLine);
    cosmetic.setCosmetic(true);
    QPen widthZero(Qt::black, 0, Qt::DotLine);
    // Landscape A4 is about 1.43 : 1; 2 : 1 is wider, 2 : 3 narrower.
    QTest::newRow("wide sheet fills the width") << QSize(600, 300) << true << TestSheet::flatDotted();
    QTest::newRow("tall sheet fills the height") << QSize(200, 300) << false << TestSheet::flatDotted();
    QTest::newRow("dotted pen with square caps") << QSize(600, 300) << true << squareCap;
    QTest::newRow("cosmetic dotted pen") << QSize(600, 300) << true << cosmetic;
    QTest::newRow("dotted pen of width 0") << QSize(600, 300) << true << widthZero;
}

// The image starts at the printable area's top-left corner, fills its width or height and
// keeps its aspect ratio; it is printed as vectors (no bitmap, text as a font), hidden
// children stay off paper, a 1-pixel dotted line stays dotted and one screen pixel wide
// whatever kind of pen drew it, and a label in points prints as big as one in pixels.
void TestPrinter::printedImageOnPaper()
{
    for (const char *tool : {"pdfinfo", "pdftoppm", "pdftotext", "pdfimages"}) {
        if (!haveTool(QString::fromLatin1(tool)))
            QSKIP("poppler-utils is not installed");
    }
    QFETCH(QSize, sheetSize);
    QFETCH(bool, fillsWidth);
    QFETCH(QPen, linePen);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("fit.pdf"));
    TestSheet sheet(sheetSize, linePen);
    sheet.show();
    TPrinter printer;
    printer.qprinter()->setOutputFileName(file);
    printer.setOrientation(QPageLayout::Landscape);
    printer.setTitle(QStringLiteral("fit"));
    printer.printFormImage(&sheet);

    // Vectors: no embedded bitmap, the label's text is text, the hidden button absent.
    const QString images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file});
    QCOMPARE(images.split(u'\n', Qt::SkipEmptyParts).size(), 2); // the two header lines only
    const QString text = run(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    QVERIFY2(text.contains(QStringLiteral("解答値なし 123")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("HIDDENBUTTON")));

    // Geometry, at 150 dots per inch: the printer works in 1200, so 8 printer pixels
    // make one raster pixel.
    const int dpi = 150;
    const QRect printable = printer.qprinter()->pageLayout().paintRectPixels(printer.qprinter()->resolution());
    QCOMPARE(printer.qprinter()->resolution(), 1200);
    QCOMPARE(printer.pageWidth(), printable.width());
    QCOMPARE(printer.pageHeight(), printable.height());
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                                     QStringLiteral("-png"), QStringLiteral("-singlefile"), file,
                                     dir.filePath(QStringLiteral("fit"))});
    const QImage page(dir.filePath(QStringLiteral("fit.png")));
    QVERIFY(!page.isNull());
    QCOMPARE(page.size(), QSize(qCeil(842 * dpi / 72.0), qCeil(595 * dpi / 72.0)));

    const double toRaster = dpi / 1200.0;
    double width, height;
    if (fillsWidth) {
        width = printer.pageWidth();
        height = width * sheetSize.height() / sheetSize.width();
    } else {
        height = printer.pageHeight();
        width = height * sheetSize.width() / sheetSize.height();
    }
    const QRectF expected(printable.x() * toRaster, printable.y() * toRaster, width * toRaster, height * toRaster);
    const QRect found = darkBounds(page);
    const auto near = [](double a, double b) { return qAbs(a - b) <= 1.5; };
    QVERIFY2(near(found.left(), expected.left()) && near(found.top(), expected.top())
                 && near(found.right() + 1, expected.right()) && near(found.bottom() + 1, expected.bottom()),
             qPrintable(QStringLiteral("found %1,%2 to %3,%4; expected %5,%6 to %7,%8")
                            .arg(found.left()).arg(found.top()).arg(found.right() + 1).arg(found.bottom() + 1)
                            .arg(expected.left()).arg(expected.top()).arg(expected.right()).arg(expected.bottom())));

    // The dotted line: one screen pixel on, two off, scaled. Along its middle the dark
    // runs are about a third of each period of three screen pixels.
    const double pixel = expected.width() / sheetSize.width(); // raster pixels per screen pixel
    const int y = qRound(expected.top() + sheet.dottedLineY() * pixel);
    const QList<bool> row = darkRow(page, y);
    const int from = qRound(expected.left() + 50 * pixel);
    const int to = qRound(expected.left() + (sheetSize.width() - 50) * pixel);
    int dark = 0, runs = 0, firstDot = -1;
    for (int x = from; x < to; ++x) {
        dark += row[x];
        if (row[x] && !row[x - 1]) {
            ++runs;
            if (firstDot < 0)
                firstDot = x;
        }
    }
    const double periods = (to - from) / (3 * pixel);
    QVERIFY2(qAbs(runs - periods) <= 2, qPrintable(QStringLiteral("%1 dots for %2 periods").arg(runs).arg(periods)));
    const double darkShare = double(dark) / (to - from);
    QVERIFY2(darkShare > 0.2 && darkShare < 0.45, qPrintable(QString::number(darkShare)));
    // ... and as thick as one screen pixel.
    int thickness = 0;
    const int dotMiddle = firstDot + qRound(pixel / 2);
    for (int yy = y - qCeil(3 * pixel); yy <= y + qCeil(3 * pixel); ++yy)
        thickness += qGray(page.pixel(dotMiddle, yy)) < 128;
    QVERIFY2(qAbs(thickness - pixel) <= 1.5, qPrintable(QStringLiteral("%1 for %2").arg(thickness).arg(pixel)));

    // Text: where the label is, and a 12-point label as big as a 16-pixel one.
    const QString words = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    const auto box = [&words](const QString &word) {
        static const QRegularExpression pattern(QString::fromLatin1(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
        for (auto it = pattern.globalMatch(words); it.hasNext();) {
            const auto match = it.next();
            if (match.captured(5) == word)
                return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                              QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
        }
        return QRectF();
    };
    const QRectF pixelLabel = box(QStringLiteral("PIXELLABEL"));
    const QRectF pointLabel = box(QStringLiteral("POINTLABEL"));
    QVERIFY2(!pixelLabel.isNull() && !pointLabel.isNull(), qPrintable(words));
    const double pointsPerScreenPixel = pixel * 72.0 / dpi;
    QVERIFY2(qAbs(pixelLabel.left() - (expected.left() * 72.0 / dpi + 30 * pointsPerScreenPixel))
                 <= 2 * pointsPerScreenPixel,
             qPrintable(QString::number(pixelLabel.left())));
    QVERIFY2(qAbs(pointLabel.height() - pixelLabel.height()) <= 0.05 * pixelLabel.height(),
             qPrintable(QStringLiteral("%1 against %2").arg(pointLabel.height()).arg(pixelLabel.height())));
    // 16 screen pixels of type, give or take the face's ascent and descent.
    QVERIFY2(pixelLabel.height() > 14 * pointsPerScreenPixel && pixelLabel.height() < 24 * pointsPerScreenPixel,
             qPrintable(QString::number(pixelLabel.height() / pointsPerScreenPixel)));
}

void TestPrinter::secondJobWhileOneRunsIsRefused()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TPrinter printer;
    printer.qprinter()->setOutputFileName(dir.filePath(QStringLiteral("one.pdf")));
    printer.beginDoc();
    QVERIFY(printer.canvas()->isActive());
    QVERIFY_THROWS_EXCEPTION(EPrinterError, printer.beginDoc());
    QVERIFY(printer.canvas()->isActive());
    printer.endDoc();
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("one.pdf"))));
}

// Cancelling the setup dialog leaves printer, orientation and output as they were, even
// after another choice was made in it.
void TestPrinter::cancelledSetupDialogChangesNothing()
{
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("no printer installed: the setup dialog needs one to choose from");
    TPrinter printer;
    const QString name = printer.qprinter()->printerName();
    printer.setOrientation(QPageLayout::Landscape);
    printer.qprinter()->setPageSize(QPageSize(QPageSize::A4));
    printer.qprinter()->setCopyCount(2);
    bool adjusted = false;
    answerNextDialog(false, [&adjusted](QDialog *dialog) {
        // Choose "print to file", the last entry of the printer list, then cancel.
        if (auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"))) {
            printers->setCurrentIndex(printers->count() - 1);
            adjusted = true;
        }
    });
    QVERIFY(!printer.execSetupDialog(nullptr));
    QVERIFY(adjusted);
    QCOMPARE(printer.qprinter()->printerName(), name);
    QCOMPARE(printer.qprinter()->outputFormat(), QPrinter::NativeFormat);
    QCOMPARE(printer.qprinter()->outputFileName(), QString());
    QCOMPARE(printer.orientation(), QPageLayout::Landscape);
    QCOMPARE(printer.qprinter()->pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(printer.qprinter()->copyCount(), 2);
}

// The user chooses portrait in the setup dialog and confirms; the choice is kept, and
// the form's landscape, set before printing, wins: the queue receives one landscape A4
// page whose title the spooler logged.
void TestPrinter::landscapeForcedAfterPortraitChoice()
{
    if (!queueReady())
        QSKIP("the CUPS test queue divisheet-test is not set up: run scripts/start-cups.sh as root");
    if (!haveTool(QStringLiteral("pdfinfo")))
        QSKIP("pdfinfo (poppler-utils) is not installed");

    TPrinter printer;
    printer.qprinter()->setPrinterName(queueName);
    QCOMPARE(printer.qprinter()->printerName(), queueName);
    printer.setOrientation(QPageLayout::Portrait); // what the dialog shows and is confirmed
    answerNextDialog(true);
    QVERIFY(printer.execSetupDialog(nullptr));
    QCOMPARE(printer.qprinter()->printerName(), queueName);
    QCOMPARE(printer.orientation(), QPageLayout::Portrait);

    const QString title = QStringLiteral("Divisheet解答値なし #%1-%2").arg(QCoreApplication::applicationPid()).arg(++m_serial);
    TestSheet sheet(QSize(500, 300));
    sheet.show();
    printer.setOrientation(QPageLayout::Landscape);
    printer.setTitle(title);
    printer.setFileTag(QStringLiteral("解答値なし"));
    printer.printFormImage(&sheet);

    QStringList jobs;
    QVERIFY2(QTest::qWaitFor([&] { return !(jobs = queueJobsTitled(title)).isEmpty(); }, 30000),
             "the job did not reach the queue's output folder within 30 s");
    QTest::qWait(300); // a second job with this title would be a fault; give it a moment
    jobs = queueJobsTitled(title);
    QCOMPARE(jobs.size(), 1);
    const PdfInfo info = pdfInfo(jobs.first());
    QVERIFY(info.ok);
    QCOMPARE(info.pages, 1);
    QCOMPARE(info.pageSize, QStringLiteral("842 x 595 pts"));
    QCOMPARE(info.title, title);

    // The spooler's own record: "<queue> <job id> total <pages> <title>".
    const QString jobId = QString::number(QFileInfo(jobs.first()).completeBaseName().mid(4).toInt());
    const QString expectedLine = queueName + u' ' + jobId + QStringLiteral(" total 1 ") + title;
    QVERIFY2(QTest::qWaitFor([&] { return readText(pageLog).split(u'\n').contains(expectedLine); }, 10000),
             qPrintable(QStringLiteral("no line \"%1\" in %2").arg(expectedLine, pageLog)));
}

// With no spooler to talk to, Qt falls back to PDF output with no file name; the adapter
// must refuse with its message and write nothing anywhere. The spooler address only takes
// effect in a fresh process, so the printing half runs in one (runNoPrinterChild).
void TestPrinter::noPrinterRaisesError()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString title = QStringLiteral("Divisheet no printer #%1").arg(QCoreApplication::applicationPid());

    QProcess child;
    QVERIFY(runNoPrinterChild(child, dir.path(), title));
    QCOMPARE(child.exitCode(), 0);
    const QString out = QString::fromUtf8(child.readAllStandardOutput());

    // The child's QPrinter did fall back silently, so the detection is what is tested.
    QVERIFY2(out.contains(QStringLiteral("format %1\n").arg(int(QPrinter::PdfFormat))), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("error ") + noPrinterText + u'\n'), qPrintable(out));
    QVERIFY(!out.contains(QStringLiteral("printed")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    if (QDir(queueFolder).exists()) {
        QTest::qWait(500);
        QCOMPARE(queueJobsTitled(title), QStringList());
    }
}

// A printer chosen earlier that has since been removed from the spooler: refused with a
// message that names it, nothing printed.
void TestPrinter::vanishedPrinterRaisesError()
{
    if (!queueReady())
        QSKIP("the CUPS test queue divisheet-test is not set up: run scripts/start-cups.sh as root");
    if (geteuid() != 0)
        QSKIP("adding and removing a print queue needs root");
    const QString gone = QStringLiteral("divisheet-vanishing");
    int code = -1;
    run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), gone, QStringLiteral("-E"), QStringLiteral("-v"),
                                    QStringLiteral("divisheet-spool:") + queueFolder},
        &code);
    QCOMPARE(code, 0);
    QVERIFY(QTest::qWaitFor([&] { return QPrinterInfo::availablePrinterNames().contains(gone); }, 10000));

    TPrinter printer;
    printer.qprinter()->setPrinterName(gone);
    QCOMPARE(printer.qprinter()->printerName(), gone);
    run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), gone}, &code);
    QCOMPARE(code, 0);

    const QString title = QStringLiteral("Divisheet vanished printer #%1").arg(QCoreApplication::applicationPid());
    TestSheet sheet(QSize(300, 200));
    printer.setOrientation(QPageLayout::Landscape);
    printer.setTitle(title);
    QVERIFY_THROWS_EXCEPTION(EPrinterError, printer.printFormImage(&sheet));
    try {
        printer.printFormImage(&sheet);
    } catch (const EPrinterError &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("プリンタ「divisheet-vanishing」は使用できません。プリンタを確認してください。"));
    }
    QTest::qWait(500);
    QCOMPARE(queueJobsTitled(title), QStringList());
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("DIVISHEET_NO_PRINTER_CHILD"))
        return runNoPrinterChild(argc, argv);
    QApplication app(argc, argv);
    TestPrinter test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printer.moc"
