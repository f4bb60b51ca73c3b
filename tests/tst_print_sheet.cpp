// Printing the worksheet from the main form, end to end: the print button spools its jobs
// through the CUPS test queue that scripts/start-cups.sh sets up (made the default
// printer), and everything printed is read back from outside the program: the queue's
// output folder (job-NNNNNN.pdf and .title), the spooler's page log, pdfinfo and
// pdftotext. The problems on paper are reconstructed from the printed digits' positions
// and checked against arithmetic, not against the program's own records.
#include "FormTestSupport.h"
#include "PrintTestSupport.h"
#include "PrintedPages.h"
#include "TestSupport.h"

#include "platform/Printer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <map>
#include <set>

using namespace Qt::StringLiterals;

namespace {

using namespace printtest;
using divisheet::test::darkCount;

// Divisors 10..90, quotients 11..99, with remainder: figures with every kind of row.
void chooseTwoDigitClassesWithRemainder(const QWidget *form)
{
    child<TRadioGroup>(form, "RadioGroupAmari")->setItemIndex(1);
    child<TRadioButton>(form, "RadioButtonWaru10_90")->click();
    child<TRadioButton>(form, "RadioButtonKotae11_99")->click();
}

const QString problemsTitle = QStringLiteral("Divisheet解答値なし");
const QString answersTitle = QStringLiteral("Divisheet解答値あり");
const QString oneLandscapeA4 = QStringLiteral("1 x 842 x 595 pts, rotated 0");
// The controls that printing hides and shows again.
const char *const controlsBack[] = {"PanelButtons", "GroupBoxStart", "ButtonPrintOut", "ButtonKoushin",
                                    "ButtonPrinterSetup"};
// Controls that must never reach paper, by a piece of their captions.
const QStringList controlTexts = {QStringLiteral("更新"), QStringLiteral("初期設定"), QStringLiteral("印刷"),
                                  QStringLiteral("閉じる"), QStringLiteral("データ発生"),
                                  QStringLiteral("プリンタ設定"), QStringLiteral("位取り")};

QString withoutSpaces(QString text)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    return text.remove(spaces);
}

struct SpooledJob
{
    QString pdf;
    int id = 0;
    QString title; // as the spooler handed it to the queue's backend
};

// The jobs in the queue's output folder whose PDF carries `creator`. Every test marks its
// printer with a creator of its own, so jobs of other programs printing at the same time
// (with the same titles) cannot be mistaken for this test's.
QList<SpooledJob> jobsWithCreator(const QString &creator)
{
    QList<SpooledJob> jobs;
    // A job's PDF appears complete (renamed into place), so its creator can be kept.
    static QHash<QString, QString> creatorOf;
    const QStringList files = QDir(queueFolder).entryList({QStringLiteral("job-*.pdf")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QString pdf = queueFolder + u'/' + file;
        if (!creatorOf.contains(pdf))
            creatorOf.insert(pdf, pdfInfo(pdf).creator);
        if (creatorOf.value(pdf) != creator)
            continue;
        SpooledJob job;
        job.pdf = pdf;
        job.id = QFileInfo(file).completeBaseName().mid(4).toInt();
        job.title = readText(queueFolder + u'/' + QFileInfo(file).completeBaseName() + QStringLiteral(".title")).trimmed();
        jobs << job;
    }
    std::sort(jobs.begin(), jobs.end(), [](const SpooledJob &a, const SpooledJob &b) { return a.id < b.id; });
    return jobs;
}

// Waits for `count` jobs, then a while longer: a job more would be a fault too.
QList<SpooledJob> waitForJobs(const QString &creator, int count)
{
    QList<SpooledJob> jobs;
    const bool arrived = QTest::qWaitFor(
        [&] {
            QTest::qWait(100);
            return (jobs = jobsWithCreator(creator)).size() >= count;
        },
        30000);
    if (!arrived)
        qWarning("only %d of %d jobs arrived within 30 s", int(jobs.size()), count);
    QTest::qWait(1500);
    return jobsWithCreator(creator);
}


// Dark pixels of `ink` in `area` with no dark pixel of `other` within `radius`.
QList<QPoint> inkAwayFrom(const QImage &ink, const QImage &other, int radius)
{
    const auto dark = [](const QImage &image, int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() && qGray(image.pixel(x, y)) < 128;
    };
    QList<QPoint> away;
    for (int y = 0; y < ink.height(); ++y) {
        for (int x = 0; x < ink.width(); ++x) {
            if (!dark(ink, x, y))
                continue;
            bool near = false;
            for (int dy = -radius; dy <= radius && !near; ++dy) {
                for (int dx = -radius; dx <= radius && !near; ++dx)
                    near = dark(other, x + dx, y + dy);
            }
            if (!near)
                away << QPoint(x, y);
        }
    }
    return away;
}

// Where the tests leave pictures of what they printed, to be looked at: the folder that
// DIVISHEET_TEST_PICTURES names; without it they go nowhere.
QString picturesFolder()
{
    return qEnvironmentVariable("DIVISHEET_TEST_PICTURES");
}

void savePicture(const QImage &image, const QString &name)
{
    if (!picturesFolder().isEmpty())
        image.save(picturesFolder() + u'/' + name + QStringLiteral(".png"));
}

// A printed PDF's first page as a PNG in the pictures folder.
void savePicture(const QString &pdf, const QString &name)
{
    if (!picturesFolder().isEmpty())
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, picturesFolder() + u'/' + name});
}

// The second half of noPrinterLeavesControlsBack, run in a process of its own whose
// spooler address leads nowhere: prints the outcome on stdout.
int runNoPrinterChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    divisheet::installFontSubstitutions();
    MessageCapture capture;
    auto form = makeForm();
    TPrinter::global().qprinter()->setCreator(qEnvironmentVariable("DIVISHEET_NO_PRINTER_CHILD"));
    child<TButton>(form.get(), "ButtonPrintOut")->click();
    QTextStream out(stdout);
    for (const QString &message : capture.messages)
        out << "message " << message << "\n";
    for (const char *name : controlsBack)
        out << "visible " << name << " " << child<QWidget>(form.get(), name)->isVisible() << "\n";
    out << "figures " << figuresOn(form.get()).size() << "\n";
    return 0;
}

} // namespace

class TestPrintSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void printedJobs_data();
    void printedJobs();
    void settingsPanelOpenAfterPrinting_data();
    void settingsPanelOpenAfterPrinting();
    void twoPrintsMakeDifferentSheets();
    void noPrinterLeavesControlsBack();
    void printToFileWritesOneFilePerJob();
    void printedSheetLooksLikeScreen();
    void pagesAsImages();
    void pageIndependentOfWindowSize();
    void pageOptionsOnBothPages();

private:
    void requireQueue();
    // Marks the program's printer so that this test's jobs can be told apart.
    QString markJobs();
    std::unique_ptr<TFormDivisheet> makeWideCatalogueForm(bool withAnswers);
    QList<PrintedProblem> printedProblems(const SpooledJob &job, const TFormDivisheet *form, bool answers,
                                   PrintedPage *pageOut = nullptr);

    int m_serial = 0;
};

void TestPrintSheet::initTestCase()
{
    divisheet::installFontSubstitutions();
    for (const char *tool : {"pdfinfo", "pdftotext", "pdftoppm"}) {
        if (!haveTool(QString::fromLatin1(tool)))
            QSKIP("poppler-utils is not installed");
    }
}

// Every test leaves the program's printer as the system's default printer, upright.
void TestPrintSheet::cleanup()
{
    QPrinter *printer = TPrinter::global().qprinter();
    printer->setOutputFileName(QString());
    printer->setOutputFormat(QPrinter::NativeFormat);
    if (!QPrinterInfo::defaultPrinterName().isEmpty())
        printer->setPrinterName(QPrinterInfo::defaultPrinterName());
    printer->setCreator(QString());
}

void TestPrintSheet::requireQueue()
{
    if (!QPrinterInfo::availablePrinterNames().contains(queueName) || !QDir(queueFolder).exists()
        || QPrinterInfo::defaultPrinterName() != queueName)
        QSKIP("the CUPS test queue divisheet-test is not the default printer: run scripts/start-cups.sh as root");
}

QString TestPrintSheet::markJobs()
{
    const QString marker =
        QStringLiteral("tst_print_sheet %1-%2").arg(QCoreApplication::applicationPid()).arg(++m_serial);
    TPrinter::global().qprinter()->setCreator(marker);
    return marker;
}

// A sheet drawn from the 90 problems of divisor 1..9 by quotient 1..9: 15 of them, so
// two sheets agree only by a negligible chance.
std::unique_ptr<TFormDivisheet> TestPrintSheet::makeWideCatalogueForm(bool withAnswers)
{
    auto form = makeForm();
    child<TRadioButton>(form.get(), "RadioButtonWaru1_9")->click();
    child<TRadioButton>(form.get(), "RadioButtonKotae1_9")->click();
    child<TCheckBox>(form.get(), "CheckBoxPrintAnswer")->setChecked(withAnswers);
    return form;
}

// The problems printed on the job's page, in figure order; after printing the screen
// holds a new sheet of the same shape, so its figures' corners are the printed ones.
QList<PrintedProblem> TestPrintSheet::printedProblems(const SpooledJob &job, const TFormDivisheet *form, bool answers,
                                               PrintedPage *pageOut)
{
    const PrintedPage page = readPage(job.pdf, form->size(), TPrinter::global().qprinter());
    if (pageOut)
        *pageOut = page;
    std::vector<QPoint> corners;
    for (const Figure &f : figuresOn(form))
        corners.push_back(f.geometry.topLeft());
    const QList<PrintedFigure> figures = figuresOnPage(page, corners, form->sheetState().FigureFontSize);
    if (!answers)
        return problemsOfProblemsPage(figures);
    QList<PrintedProblem> problems;
    for (const PrintedFigure &figure : figures)
        problems << (figure.lines.size() > 1 ? problemLine(figure.lines[1]) : PrintedProblem());
    return problems;
}

void TestPrintSheet::printedJobs_data()
{
    QTest::addColumn<bool>("answers"); // wanted as well as the problems
    QTest::addColumn<bool>("remainders");
    QTest::addColumn<bool>("portrait"); // the printer set to portrait beforehand
    // With remainders, so that the remainder behind the quotient is on paper too.
    QTest::newRow("problems and answers, with remainders") << true << true << false;
    QTest::newRow("problems only") << false << false << false;
    // A printer set to portrait still gets landscape pages.
    QTest::newRow("problems only, printer set to portrait") << false << false << true;
}

// The problems job and, with the answers wanted, the answers job, one landscape A4 page
// each, the header and the figures on them and no control; the answers page shows the
// problems of the problems page with the whole division worked out. The screen's sheet
// after it shows the answers or not, as printed.
void TestPrintSheet::printedJobs()
{
    requireQueue();
    QFETCH(bool, answers);
    QFETCH(bool, remainders);
    QFETCH(bool, portrait);
    MessageCapture capture;
    auto form = makeWideCatalogueForm(answers);
    child<TRadioGroup>(form.get(), "RadioGroupAmari")->setItemIndex(remainders ? 1 : 0);
    if (portrait) {
        TPrinter::global().setOrientation(QPageLayout::Portrait);
        QCOMPARE(TPrinter::global().orientation(), QPageLayout::Portrait);
    }
    const QString titleLine = child<TLabel>(form.get(), "LabelHyoudai")->caption();
    const QString marker = markJobs();

    child<TButton>(form.get(), "ButtonPrintOut")->click();
    QCOMPARE(capture.messages, QStringList());
    const QString titleLineAfter = child<TLabel>(form.get(), "LabelHyoudai")->caption();
    QCOMPARE(titleLineAfter, titleLine); // printing does not change the settings it shows

    const QList<SpooledJob> jobs = waitForJobs(marker, answers ? 2 : 1);
    QCOMPARE(jobs.size(), answers ? 2 : 1);
    QList<PrintedPage> pages(jobs.size());
    QList<QList<PrintedProblem>> printed;
    for (int k = 0; k < jobs.size(); ++k) {
        const SpooledJob &job = jobs[k];
        QCOMPARE(job.title, k == 0 ? problemsTitle : answersTitle);
        const PdfInfo info = pdfInfo(job.pdf);
        QCOMPARE(pagesOf(info), oneLandscapeA4);
        QCOMPARE(info.title, job.title);
        const QString line = queueName + u' ' + QString::number(job.id) + QStringLiteral(" total 1 ") + job.title;
        QVERIFY2(QTest::qWaitFor([&] { return readText(pageLog).split(u'\n').contains(line); }, 10000),
                 qPrintable(QStringLiteral("no line \"%1\" in %2").arg(line, pageLog)));
        printed << printedProblems(job, form.get(), k == 1, &pages[k]);
    }

    // The header line on every page, no control on any.
    const QString code = QRegularExpression(u"#[0-9A-Z-]+"_s).match(pages[0].text).captured();
    for (const PrintedPage &page : pages) {
        const QString text = withoutSpaces(page.text);
        // The program's name, the title line and the blank date-and-name line, in this order
        // from the left, the printed sheet's code at the foot. The label shows an accelerator
        // mark "&" of its caption as an underline.
        QCOMPARE(page.header, QStringLiteral("Divisheet") + withoutSpaces(titleLineAfter).remove(u'&')
                                  + QStringLiteral("月日（）なまえ"));
        QVERIFY(text.contains(code));
        for (const QString &control : controlTexts)
            QVERIFY2(!text.contains(control), qPrintable(control + QStringLiteral(" on paper: ") + page.text));
    }

    // The figures: a whole sheet of problems of the settings, each a problem of the
    // catalogue (divisor 1..9, quotient 0..9, a remainder or none).
    const QList<PrintedProblem> &problems = printed[0];
    const int count = int(figuresOn(form.get()).size());
    QCOMPARE(count, form->sheetState().ProblemCount);
    QCOMPARE(int(problems.size()), count);
    std::set<std::pair<int, int>> distinct;
    for (const PrintedProblem &p : problems) {
        const QString problem = QStringLiteral("%1 / %2").arg(p.dividend).arg(p.divisor);
        QVERIFY2(p.divisor >= 1 && p.divisor <= 9, qPrintable(problem));
        QVERIFY2(p.dividend >= 0 && p.dividend / p.divisor <= 9, qPrintable(problem));
        QVERIFY2((p.dividend % p.divisor != 0) == remainders, qPrintable(problem));
        distinct.insert({p.divisor, p.dividend});
    }
    QCOMPARE(int(distinct.size()), count);
    // The code on the pages makes the printed sheet again.
    const SheetCodeResult decoded = decodeSheetCode(code);
    QVERIFY2(decoded.recipe, qPrintable(code + u' ' + decoded.error));
    QList<PrintedProblem> again;
    for (const divisheet::Problem &p : recipeProblems(*decoded.recipe))
        again << PrintedProblem{p.divisor, p.dividend};
    QCOMPARE(again, problems);

    // The answers page: the same problems, worked.
    if (answers) {
        std::vector<QPoint> corners;
        for (const Figure &f : figuresOn(form.get()))
            corners.push_back(f.geometry.topLeft());
        const QList<PrintedFigure> worked = figuresOnPage(pages[1], corners, form->sheetState().FigureFontSize);
        QCOMPARE(int(worked.size()), count);
        for (int k = 0; k < count; ++k) {
            const QString fault = checkWorkedFigure(worked[k], problems[k]);
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("figure %1: %2").arg(k + 1).arg(fault)));
        }
    }

    // The screen: a new sheet, with the answers or without them as printed, the controls
    // back; and so is the next sheet made on screen.
    const TTypeIntegerShow shown = answers ? isShow : isHide;
    for (const Figure &f : figuresOn(form.get()))
        QCOMPARE(f.integerShow, shown);
    for (const char *name : controlsBack)
        QVERIFY2(child<QWidget>(form.get(), name)->isVisible(), name);
    child<TButton>(form.get(), "ButtonKoushin")->click();
    for (const Figure &f : figuresOn(form.get()))
        QCOMPARE(f.integerShow, shown);
}

void TestPrintSheet::settingsPanelOpenAfterPrinting_data()
{
    QTest::addColumn<QString>("before"); // the button clicked first, if any
    QTest::addColumn<bool>("startButtonVisible");
    QTest::newRow("panel open at start-up") << QString() << true;
    QTest::newRow("panel closed") << QStringLiteral("ButtonRadioGroupBoxStartClose") << true;
    QTest::newRow("panel opened by its button") << QStringLiteral("ButtonStart") << false;
}

// After printing the settings panel is open; the start button stays as it was.
void TestPrintSheet::settingsPanelOpenAfterPrinting()
{
    requireQueue();
    QFETCH(QString, before);
    QFETCH(bool, startButtonVisible);
    MessageCapture capture;
    auto form = makeForm();
    child<TCheckBox>(form.get(), "CheckBoxPrintAnswer")->setChecked(false);
    if (!before.isEmpty()) {
        if (before == u"ButtonStart")
            child<TButton>(form.get(), "ButtonRadioGroupBoxStartClose")->click();
        child<TButton>(form.get(), before.toLatin1().constData())->click();
    }
    auto *panel = child<QWidget>(form.get(), "GroupBoxStart");
    auto *start = child<QWidget>(form.get(), "ButtonStart");
    QCOMPARE(panel->isVisible(), before != u"ButtonRadioGroupBoxStartClose");
    QCOMPARE(start->isVisible(), startButtonVisible);

    const QString marker = markJobs();
    child<TButton>(form.get(), "ButtonPrintOut")->click();
    QCOMPARE(capture.messages, QStringList());
    QVERIFY(panel->isVisible());
    QCOMPARE(start->isVisible(), startButtonVisible);
    QCOMPARE(waitForJobs(marker, 1).size(), 1);
}

// Each print chooses its own problems.
void TestPrintSheet::twoPrintsMakeDifferentSheets()
{
    requireQueue();
    MessageCapture capture;
    auto form = makeWideCatalogueForm(false);
    QList<QList<PrintedProblem>> sheets;
    for (int print = 0; print < 2; ++print) {
        const QString marker = markJobs();
        child<TButton>(form.get(), "ButtonPrintOut")->click();
        const QList<SpooledJob> jobs = waitForJobs(marker, 1);
        QCOMPARE(jobs.size(), 1);
        sheets << printedProblems(jobs[0], form.get(), false);
        QCOMPARE(int(sheets.last().size()), 15);
        for (const PrintedProblem &p : sheets.last())
            QVERIFY(p.divisor >= 1 && p.divisor <= 9);
    }
    QCOMPARE(capture.messages, QStringList());
    QVERIFY2(!(sheets[0] == sheets[1]), "two prints gave the same sheet");
}

// No spooler to talk to: the program's message, the controls back, nothing printed.
// The spooler address takes effect only in a fresh process, so the form runs in one.
void TestPrintSheet::noPrinterLeavesControlsBack()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString marker = QStringLiteral("tst_print_sheet no printer %1").arg(QCoreApplication::applicationPid());

    QProcess child;
    QVERIFY(runNoPrinterChild(child, dir.path(), marker));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    const QStringList out = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);

    QVERIFY2(out.contains(QStringLiteral("message ") + noPrinterText), qPrintable(out.join(u'\n')));
    QCOMPARE(out.filter(QStringLiteral("message ")).size(), 1);
    for (const char *name : controlsBack)
        QVERIFY2(out.contains(QStringLiteral("visible %1 1").arg(QString::fromLatin1(name))), name);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    if (QDir(queueFolder).exists()) {
        QTest::qWait(1000);
        QCOMPARE(jobsWithCreator(marker).size(), 0);
    }
}

// Printing to the file sheet.pdf writes the problems and the answers into files of
// their own beside it, and nothing else.
void TestPrintSheet::printToFileWritesOneFilePerJob()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    MessageCapture capture;
    auto form = makeWideCatalogueForm(true);
    QPrinter *printer = TPrinter::global().qprinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(dir.filePath(QStringLiteral("sheet.pdf")));
    child<TButton>(form.get(), "ButtonPrintOut")->click();
    QCOMPARE(capture.messages, QStringList());

    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{QStringLiteral("sheet-解答値あり.pdf"), QStringLiteral("sheet-解答値なし.pdf")}));
    // A second print to the same file keeps the first one's files and takes the next
    // free names.
    QFile first(dir.filePath(QStringLiteral("sheet-解答値なし.pdf")));
    QVERIFY(first.open(QIODevice::ReadOnly));
    const QByteArray firstProblems = first.readAll();
    first.close();
    child<TButton>(form.get(), "ButtonPrintOut")->click();
    QCOMPARE(capture.messages, QStringList());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{QStringLiteral("sheet-解答値あり-2.pdf"), QStringLiteral("sheet-解答値あり.pdf"),
                          QStringLiteral("sheet-解答値なし-2.pdf"), QStringLiteral("sheet-解答値なし.pdf")}));
    QVERIFY(first.open(QIODevice::ReadOnly));
    QCOMPARE(first.readAll(), firstProblems);
    first.close();
    const std::pair<QString, QString> files[] = {{QStringLiteral("sheet-解答値なし.pdf"), problemsTitle},
                                                 {QStringLiteral("sheet-解答値あり.pdf"), answersTitle}};
    QList<QList<PrintedProblem>> sheets;
    for (const auto &[file, title] : files) {
        const PdfInfo info = pdfInfo(dir.filePath(file));
        QCOMPARE(pagesOf(info), oneLandscapeA4);
        QCOMPARE(info.title, title);
        sheets << printedProblems({dir.filePath(file), 0, {}}, form.get(), title == answersTitle);
    }
    QCOMPARE(int(sheets[0].size()), 15);
    QVERIFY2(sheets[1] == sheets[0], "the answers page shows other problems than the problems page");
}

// The sheet on paper is the sheet on screen: a figure placed and printed at once, as
// the print button does it, shows on paper, scaled back to the form's pixels, no ink
// where the screen (painted twice, so that every control has settled) has none, and
// misses none of the screen's. Each control's drawing stays inside the control on
// paper as it does on screen.
void TestPrintSheet::printedSheetLooksLikeScreen()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    MessageCapture capture;
    auto form = makeForm();
    chooseTwoDigitClassesWithRemainder(form.get());
    child<TButton>(form.get(), "ButtonKoushin")->click();
    for (const char *name : {"PanelButtons", "GroupBoxStart", "ButtonStart"})
        child<QWidget>(form.get(), name)->hide();
    QTest::qWait(50);
    // Placed anew and printed before any paint, as in printing.
    form->ComponentSakujo(form.get());
    form->ComponentByouga(form.get());
    TPrinter &printer = TPrinter::global();
    const QString file = dir.filePath(QStringLiteral("sheet.pdf"));
    printer.qprinter()->setOutputFileName(file);
    printer.setOrientation(QPageLayout::Landscape);
    printer.setTitle(QStringLiteral("screen"));
    printer.setFileTag(QString());
    printer.printFormImage(form.get());
    QVERIFY(QFile::exists(file));

    form->grab();
    const QImage screen = form->grab().toImage();
    QCOMPARE(screen.size(), form->size());
    savePicture(screen, QStringLiteral("print-screen"));

    // The page at the resolution that makes one form pixel one raster pixel, cut to the
    // form's image.
    const PageMapping mapping = pageMapping(form->size(), printer.qprinter());
    const double dpi = 72.0 / mapping.pointsPerPixel;
    int code = -1;
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi, 'f', 4), QStringLiteral("-gray"), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), QStringLiteral("-x"), QString::number(qRound(mapping.origin.x() / mapping.pointsPerPixel)),
         QStringLiteral("-y"), QString::number(qRound(mapping.origin.y() / mapping.pointsPerPixel)),
         QStringLiteral("-W"), QString::number(form->width()), QStringLiteral("-H"), QString::number(form->height()),
         file, dir.filePath(QStringLiteral("paper"))},
        &code);
    QCOMPARE(code, 0);
    const QImage paper(dir.filePath(QStringLiteral("paper.png")));
    QVERIFY(!paper.isNull());
    savePicture(paper, QStringLiteral("print-paper"));

    // The figures, below the header line: each digit is written on its own, so type
    // hinted differently on screen and on paper moves it by a pixel at most; allow 2
    // pixels, and a little ink of the glyphs' edges. (The header's longer lines of type
    // drift further; their text is read back by the other tests.)
    const QRect figures(0, 48, form->width(), form->height() - 48);
    const QImage paperFigures = paper.copy(figures), screenFigures = screen.copy(figures);
    const int paperInk = darkCount(paperFigures), screenInk = darkCount(screenFigures);
    const QList<QPoint> extra = inkAwayFrom(paperFigures, screenFigures, 2);
    const QList<QPoint> missing = inkAwayFrom(screenFigures, paperFigures, 2);
    qInfo("figures: %d of %d dark pixels on paper not on screen, %d of %d on screen not on paper",
          int(extra.size()), paperInk, int(missing.size()), screenInk);
    const auto where = [](const QList<QPoint> &points) {
        QStringList list;
        for (qsizetype i = 0; i < points.size() && i < 12; ++i)
            list << QStringLiteral("(%1,%2)").arg(points[i].x()).arg(points[i].y() + 48);
        return list.join(u' ');
    };
    QVERIFY2(extra.size() <= paperInk / 1000,
             qPrintable(QStringLiteral("%1 of %2 dark pixels on paper are not on screen, e.g. %3")
                            .arg(extra.size()).arg(paperInk).arg(where(extra))));
    QVERIFY2(missing.size() <= screenInk / 1000,
             qPrintable(QStringLiteral("%1 of %2 dark pixels on screen are not on paper, e.g. %3")
                            .arg(missing.size()).arg(screenInk).arg(where(missing))));
    QCOMPARE(capture.messages, QStringList());
}

// The two pages of one printed sheet as pictures (kept in the pictures folder as
// print-problems.png and print-answers.png). Checked here: they are landscape pages
// with ink on them.
void TestPrintSheet::pagesAsImages()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    MessageCapture capture;
    auto form = makeForm();
    chooseTwoDigitClassesWithRemainder(form.get());
    QPrinter *printer = TPrinter::global().qprinter();
    printer->setOutputFileName(dir.filePath(QStringLiteral("sheet.pdf")));
    child<TButton>(form.get(), "ButtonPrintOut")->click();
    QCOMPARE(capture.messages, QStringList());
    const std::pair<QString, QString> pages[] = {{QStringLiteral("sheet-解答値なし.pdf"), QStringLiteral("print-problems")},
                                                 {QStringLiteral("sheet-解答値あり.pdf"), QStringLiteral("print-answers")}};
    for (const auto &[file, name] : pages) {
        int code = -1;
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), dir.filePath(file), dir.filePath(name)},
            &code);
        QCOMPARE(code, 0);
        const QImage picture(dir.filePath(name + QStringLiteral(".png")));
        QVERIFY(!picture.isNull());
        QVERIFY(picture.width() > picture.height());
        savePicture(picture, name);
    }
}

// The page is laid out as on the designed window whatever the window's size on screen:
// from a tiny, the designed and a huge window, every printed digit stands at the same
// place. Divisor 1 and quotients 111..999 give every figure the same shape.
void TestPrintSheet::pageIndependentOfWindowSize()
{
    requireQueue();
    MessageCapture capture;
    auto form = makeForm();
    child<TSpinEdit>(form.get(), "SpinEditDan")->setValue(1);
    child<TRadioButton>(form.get(), "RadioButtonKotae111_999")->click();
    child<TCheckBox>(form.get(), "CheckBoxPrintAnswer")->setChecked(false);
    const QSize designed = form->size();
    std::map<QString, std::set<std::pair<int, int>>> places;
    for (const QSize window : {QSize(500, 400), designed, QSize(1280, 1024)}) {
        const QString name = QStringLiteral("%1x%2").arg(window.width()).arg(window.height());
        form->resize(window);
        const QString marker = markJobs();
        child<TButton>(form.get(), "ButtonPrintOut")->click();
        QCOMPARE(capture.messages, QStringList());
        const QList<SpooledJob> jobs = waitForJobs(marker, 1);
        QCOMPARE(jobs.size(), 1);
        savePicture(jobs[0].pdf, QStringLiteral("window-") + name);
        for (const PrintedDigit &digit : readPage(jobs[0].pdf, designed, TPrinter::global().qprinter()).digits) {
            if (digit.position.y() >= 40)
                places[name].insert({qRound(digit.position.x()), qRound(digit.position.y())});
        }
        // The screen keeps following the window, which takes no less than its minimum.
        QCOMPARE(int(form->sheetState().CellWidth), (form->width() - 32) / form->sheetState().FigureColumns);
    }
    const auto &expected = places[QStringLiteral("%1x%2").arg(designed.width()).arg(designed.height())];
    // Every figure: the divisor 1 and a dividend of three digits.
    QCOMPARE(int(expected.size()), form->sheetState().ProblemCount * 4);
    for (const auto &[name, digits] : places)
        QVERIFY2(digits == expected, qPrintable(name));
}

// Every option on: the own title, the score box's mark and the settings line, moved to the
// foot, on the problems page and on the answers page.
void TestPrintSheet::pageOptionsOnBothPages()
{
    requireQueue();
    MessageCapture capture;
    auto form = makeWideCatalogueForm(true);
    const QString title = QStringLiteral("わり算の筆算 3年1組 & 2組");
    form->setPageOptions({true, true, title, true});
    const QString marker = markJobs();
    child<TButton>(form.get(), "ButtonPrintOut")->click();
    QCOMPARE(capture.messages, QStringList());
    const QList<SpooledJob> jobs = waitForJobs(marker, 2);
    QCOMPARE(jobs.size(), 2);
    for (const SpooledJob &job : jobs) {
        const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), job.pdf, QStringLiteral("-")});
        for (const QString &expected : {title, QStringLiteral("点"), child<TLabel>(form.get(), "LabelHyoudai")->caption()})
            QVERIFY2(text.contains(expected), qPrintable(job.title + QStringLiteral(" lacks ") + expected));
    }
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("DIVISHEET_NO_PRINTER_CHILD"))
        return runNoPrinterChild(argc, argv);
    QApplication app(argc, argv);
    TestPrintSheet test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_print_sheet.moc"
