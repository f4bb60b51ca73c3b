// Printing the worksheet from the main form, end to end: the print button spools its jobs
// through the CUPS test queue that scripts/start-cups.sh sets up (made the default
// printer), and everything printed is read back from outside the program: the queue's
// output folder (job-NNNNNN.pdf and .title), the spooler's page log, pdfinfo and
// pdftotext. The problems on paper are reconstructed from the printed digits' positions
// and checked against arithmetic, not against the program's own records.
#include "FormTestSupport.h"
#include "PrintTestSupport.h"
#include "TestSupport.h"

#include "platform/Errors.h"
#include "platform/Printer.h"
#include "platform/PrintToFit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

using namespace Qt::StringLiterals;

namespace {

using namespace printtest;
using divisheet::test::digitCount;

// Divisors 10..90, quotients 11..99, with remainder: figures with every kind of row.
void chooseTwoDigitClassesWithRemainder(const QWidget *form)
{
    child<TRadioGroup>(form, "RadioGroupAmari")->setItemIndex(1);
    child<TRadioButton>(form, "RadioButtonWaru10_90")->click();
    child<TRadioButton>(form, "RadioButtonKotae11_99")->click();
}

const QString problemsTitle = QStringLiteral("Divisheet解答値なし");
const QString answersTitle = QStringLiteral("Divisheet解答値あり");
// Controls that must never reach paper, by a piece of their captions.
const QStringList controlTexts = {QStringLiteral("更新"), QStringLiteral("初期設定"), QStringLiteral("印刷"),
                                  QStringLiteral("閉じる"), QStringLiteral("データ発生"),
                                  QStringLiteral("プリンタ設定"), QStringLiteral("位取り")};

QString withoutSpaces(QString text)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    return text.remove(spaces);
}

bool queueReady()
{
    return QPrinterInfo::availablePrinterNames().contains(queueName) && QDir(queueFolder).exists()
        && QPrinterInfo::defaultPrinterName() == queueName;
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

// One printed digit, in the form's pixels: the centre of its cell along x, its top.
struct PrintedDigit
{
    QPointF position;
    int value;
};

struct PrintedPage
{
    QString text;                // pdftotext, in reading order
    QString header;              // the words above the figures, left to right, no spaces
    QList<PrintedDigit> digits; // every digit of the page, header included
};

// Where the form's image lies on paper: its top-left corner (the printable area's) and
// its scale, in points, for a form of `formSize` printed to fit the printer's page.
struct PageMapping
{
    QPointF origin;
    double pointsPerPixel = 1;
};

PageMapping pageMapping(QSize formSize, QPrinter *printer)
{
    const int dpi = printer->resolution();
    const QRect printable = printer->pageLayout().paintRectPixels(dpi);
    const QSize target = divisheet::printToFitSize(formSize, printable.size());
    return {QPointF(printable.x() * 72.0 / dpi, printable.y() * 72.0 / dpi),
            double(target.width()) / formSize.width() * 72.0 / dpi};
}

// Reads a printed page with pdftotext and maps its digits back to the form's pixels,
// undoing the print-to-fit mapping of a form of `formSize` on the printer's page.
PrintedPage readPage(const QString &pdf, QSize formSize, QPrinter *printer)
{
    PrintedPage page;
    page.text = run(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    const QString words = run(QStringLiteral("pdftotext"),
                              {QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const PageMapping mapping = pageMapping(formSize, printer);
    const QPointF origin = mapping.origin;
    const double pointsPerPixel = mapping.pointsPerPixel;

    static const QRegularExpression pattern(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    static const QRegularExpression digitsOnly(QStringLiteral("^[0-9]+$"));
    std::vector<std::pair<double, QString>> headerWords;
    for (auto it = pattern.globalMatch(words); it.hasNext();) {
        const auto match = it.next();
        const QString word = match.captured(5);
        const double xMin = match.captured(1).toDouble();
        const double yMin = match.captured(2).toDouble();
        const double xMax = match.captured(3).toDouble();
        // The header line lies above the figures' first row (48 pixels down).
        if ((yMin - origin.y()) / pointsPerPixel < 40)
            headerWords.emplace_back(xMin, word);
        if (!digitsOnly.match(word).hasMatch())
            continue;
        // Digits that pdftotext joined into one word share its width evenly.
        const double each = (xMax - xMin) / word.size();
        for (qsizetype i = 0; i < word.size(); ++i) {
            const QPointF at((xMin + (i + 0.5) * each - origin.x()) / pointsPerPixel,
                             (yMin - origin.y()) / pointsPerPixel);
            page.digits.push_back({at, word.at(i).digitValue()});
        }
    }
    std::sort(headerWords.begin(), headerWords.end());
    for (const auto &word : headerWords)
        page.header += word.second;
    return page;
}

// A line of one figure: its digits by digit column (column 0 at the figure's left edge).
using FigureLine = std::map<int, int>;

struct PrintedFigure
{
    QList<FigureLine> lines; // top to bottom
};

// Groups the page's digits by figure (the figure whose top-left corner is the nearest
// one above and to the left of the digit) and, inside each, into lines and columns.
QList<PrintedFigure> figuresOnPage(const PrintedPage &page, const std::vector<QPoint> &topLefts, int fontSize)
{
    QList<PrintedFigure> figures(qsizetype(topLefts.size()));
    QList<QList<PrintedDigit>> byFigure(qsizetype(topLefts.size()));
    for (const PrintedDigit &digit : page.digits) {
        // The figures stand in a grid: the last row of corners above the digit, and in
        // it the last corner left of the digit.
        int best = -1;
        for (size_t k = 0; k < topLefts.size(); ++k) {
            const QPoint corner = topLefts[k];
            if (corner.x() - 2 > digit.position.x() || corner.y() - 2 > digit.position.y())
                continue;
            if (best < 0 || std::pair(corner.y(), corner.x()) > std::pair(topLefts[best].y(), topLefts[best].x()))
                best = int(k);
        }
        if (best >= 0)
            byFigure[best] << digit;
    }
    for (qsizetype k = 0; k < figures.size(); ++k) {
        QList<PrintedDigit> digits = byFigure[k];
        std::sort(digits.begin(), digits.end(),
                  [](const PrintedDigit &a, const PrintedDigit &b) { return a.position.y() < b.position.y(); });
        double lineTop = -1e9;
        for (const PrintedDigit &digit : digits) {
            // Lines lie 1.5 F - 2 pixels apart; digits of one line share their top.
            if (digit.position.y() - lineTop > fontSize / 2.0) {
                figures[k].lines << FigureLine();
                lineTop = digit.position.y();
            }
            const int column = int(std::floor((digit.position.x() - topLefts[k].x()) / fontSize));
            figures[k].lines.last()[column] = digit.value;
        }
    }
    return figures;
}

// Reads the digits of columns first..last as one number; -1 when a column is empty.
int numberIn(const FigureLine &line, int first, int last)
{
    int value = 0;
    for (int c = first; c <= last; ++c) {
        const auto it = line.find(c);
        if (it == line.end())
            return -1;
        value = value * 10 + it->second;
    }
    return value;
}

struct Problem
{
    int divisor = -1;
    int dividend = -1;
    int divisorDigits = 0;
    int dividendDigits = 0;
    bool operator==(const Problem &other) const { return divisor == other.divisor && dividend == other.dividend; }
};

// The problem line: the divisor from column 0, the bracket's empty column, the dividend.
// Returns a problem with divisor -1 when the line is not of that shape.
Problem problemLine(const FigureLine &line)
{
    Problem problem;
    if (line.empty() || line.begin()->first != 0)
        return problem;
    int c = 0;
    while (line.count(c))
        ++c;
    problem.divisorDigits = c;
    const int dividendFirst = c + 1;
    if (!line.count(dividendFirst))
        return problem;
    int end = dividendFirst;
    while (line.count(end))
        ++end;
    if (line.rbegin()->first != end - 1)
        return problem; // something after the dividend
    problem.dividendDigits = end - dividendFirst;
    problem.divisor = numberIn(line, 0, c - 1);
    problem.dividend = numberIn(line, dividendFirst, end - 1);
    return problem;
}


QString describe(const PrintedFigure &figure)
{
    QStringList lines;
    for (const FigureLine &line : figure.lines) {
        QStringList cells;
        for (const auto &[column, digit] : line)
            cells << QStringLiteral("%1:%2").arg(column).arg(digit);
        lines << cells.join(u' ');
    }
    return lines.join(QStringLiteral(" | "));
}

// The problems page: each figure shows its problem line and nothing else.
QList<Problem> problemsOfProblemsPage(const QList<PrintedFigure> &figures)
{
    QList<Problem> problems;
    for (const PrintedFigure &figure : figures) {
        if (figure.lines.size() != 1) {
            qWarning("problems page: figure with %d lines of digits: %s", int(figure.lines.size()),
                     qPrintable(describe(figure)));
            problems << Problem();
            continue;
        }
        problems << problemLine(figure.lines.first());
    }
    return problems;
}

// The answers page: each figure is the whole written division of its problem: the
// quotient (and a non-zero remainder behind its mark) over the problem line, one
// working row of two lines per non-zero quotient digit, the last line the remainder.
// Returns an empty text when it is, else what is wrong.
QString checkWorkedFigure(const PrintedFigure &figure, const Problem &expected)
{
    if (figure.lines.size() < 4)
        return QStringLiteral("too few lines: ") + describe(figure);
    const Problem problem = problemLine(figure.lines[1]);
    if (!(problem == expected))
        return QStringLiteral("problem line %1 / %2, problems page had %3 / %4: %5")
            .arg(problem.dividend).arg(problem.divisor).arg(expected.dividend).arg(expected.divisor)
            .arg(describe(figure));
    const int quotient = expected.dividend / expected.divisor;
    const int remainder = expected.dividend % expected.divisor;
    const int nW = problem.divisorDigits, nD = problem.dividendDigits, nQ = digitCount(quotient);

    // The quotient stands over the last digits of the dividend.
    const FigureLine &top = figure.lines[0];
    FigureLine quotientDigits, remainderDigits;
    for (const auto &[column, digit] : top)
        (column <= nW + nD ? quotientDigits : remainderDigits)[column] = digit;
    if (quotientDigits.size() != size_t(nQ) || numberIn(quotientDigits, nW + nD + 1 - nQ, nW + nD) != quotient)
        return QStringLiteral("quotient %1 expected: %2").arg(quotient).arg(describe(figure));
    if (remainder == 0) {
        if (!remainderDigits.empty())
            return QStringLiteral("remainder shown for 0: ") + describe(figure);
    } else if (remainderDigits.size() != size_t(digitCount(remainder))
               || numberIn(remainderDigits, nW + nD + 2, nW + nD + 1 + digitCount(remainder)) != remainder) {
        return QStringLiteral("remainder %1 expected behind the quotient: %2").arg(remainder).arg(describe(figure));
    }

    // One working row per non-zero quotient digit (a quotient of 0 has one).
    const QString q = QString::number(quotient);
    const int rows = quotient == 0 ? 1 : int(std::count_if(q.begin(), q.end(), [](QChar c) { return c != u'0'; }));
    if (figure.lines.size() != 2 + 2 * rows)
        return QStringLiteral("%1 working rows expected: %2").arg(rows).arg(describe(figure));
    // The first partial product is the first quotient digit times the divisor, ending
    // under that digit; the last difference is the remainder, ending under the last.
    const int firstProduct = (q.at(0).digitValue()) * expected.divisor;
    const int firstColumn = nW + nD + 1 - nQ;
    const FigureLine &product = figure.lines[2];
    if (numberIn(product, firstColumn - digitCount(firstProduct) + 1, firstColumn) != firstProduct
        || product.size() != size_t(digitCount(firstProduct)))
        return QStringLiteral("first partial product %1 expected: %2").arg(firstProduct).arg(describe(figure));
    const FigureLine &last = figure.lines.last();
    if (numberIn(last, nW + nD - digitCount(remainder) + 1, nW + nD) != remainder
        || last.size() != size_t(digitCount(remainder)))
        return QStringLiteral("last difference %1 expected: %2").arg(remainder).arg(describe(figure));
    return {};
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

int inkCount(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    }
    return count;
}

// The second half of noPrinterLeavesControlsBack, run in a process of its own whose
// spooler address leads nowhere: prints the outcome on stdout.
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
    for (const char *name : {"PanelButtons", "GroupBoxStart", "ButtonPrintOut", "ButtonKoushin", "ButtonPrinterSetup"})
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
    void problemsAndAnswersJobs();
    void problemsOnlyJob();
    void landscapeAfterPortrait();
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
    QList<Problem> printedProblems(const SpooledJob &job, const TFormDivisheet *form, bool answers,
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
    if (!queueReady())
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
    auto *answers = child<TCheckBox>(form.get(), "CheckBoxPrintAnswer");
    if (answers->isChecked() != withAnswers)
        answers->click();
    return form;
}

// The problems printed on the job's page, in figure order; after printing the screen
// holds a new sheet of the same shape, so its figures' corners are the printed ones.
QList<Problem> TestPrintSheet::printedProblems(const SpooledJob &job, const TFormDivisheet *form, bool answers,
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
    QList<Problem> problems;
    for (const PrintedFigure &figure : figures)
        problems << (figure.lines.size() > 1 ? problemLine(figure.lines[1]) : Problem());
    return problems;
}

// With the answers wanted: the problems job and the answers job, one landscape A4 page
// each, the header and the figures on them and no control; the answers page shows the
// problems of the problems page with the whole division worked out.
void TestPrintSheet::problemsAndAnswersJobs()
{
    requireQueue();
    MessageCapture capture;
    auto form = makeWideCatalogueForm(true);
    // With remainders, so that the remainder behind the quotient is on paper too.
    child<TRadioGroup>(form.get(), "RadioGroupAmari")->setItemIndex(1);
    const QString titleLine = child<TLabel>(form.get(), "LabelHyoudai")->caption();
    const QString marker = markJobs();

    child<TButton>(form.get(), "ButtonPrintOut")->click();
    QCOMPARE(capture.messages, QStringList());
    const QString titleLineAfter = child<TLabel>(form.get(), "LabelHyoudai")->caption();

    const QList<SpooledJob> jobs = waitForJobs(marker, 2);
    QCOMPARE(jobs.size(), 2);
    QCOMPARE(jobs[0].title, problemsTitle);
    QCOMPARE(jobs[1].title, answersTitle);
    for (const SpooledJob &job : jobs) {
        const PdfInfo info = pdfInfo(job.pdf);
        QVERIFY(info.ok);
        QCOMPARE(info.pages, 1);
        QCOMPARE(info.pageSize, QStringLiteral("842 x 595 pts"));
        QCOMPARE(info.pageRotation, QStringLiteral("0"));
        QCOMPARE(info.title, job.title);
        const QString line = queueName + u' ' + QString::number(job.id) + QStringLiteral(" total 1 ") + job.title;
        QVERIFY2(QTest::qWaitFor([&] { return readText(pageLog).split(u'\n').contains(line); }, 10000),
                 qPrintable(QStringLiteral("no line \"%1\" in %2").arg(line, pageLog)));
    }

    PrintedPage problemsPage, answersPage;
    const QList<Problem> problems = printedProblems(jobs[0], form.get(), false, &problemsPage);
    printedProblems(jobs[1], form.get(), true, &answersPage);

    // The header line on both pages, no control on either.
    for (const PrintedPage *page : {&problemsPage, &answersPage}) {
        const QString text = withoutSpaces(page->text);
        // The program's name, the title line and the blank date-and-name line, in this
        // order from the left. The label shows an accelerator mark "&" of its caption
        // as an underline.
        QCOMPARE(page->header, QStringLiteral("Divisheet") + withoutSpaces(titleLineAfter).remove(u'&')
                                   + QStringLiteral("月日（）なまえ"));
        for (const QString &control : controlTexts)
            QVERIFY2(!text.contains(control), qPrintable(control + QStringLiteral(" on paper: ") + page->text));
    }
    QCOMPARE(titleLineAfter, titleLine); // printing does not change the settings it shows

    // The figures: a whole sheet of problems of the settings, each a problem of the
    // catalogue (divisor 1..9, quotient 0..9, a remainder).
    const int count = int(figuresOn(form.get()).size());
    QCOMPARE(count, form->sheetState().ProblemCount);
    QCOMPARE(int(problems.size()), count);
    std::set<std::pair<int, int>> distinct;
    for (const Problem &p : problems) {
        QVERIFY2(p.divisor >= 1 && p.divisor <= 9, qPrintable(QString::number(p.divisor)));
        QVERIFY2(p.dividend >= 0 && p.dividend / p.divisor <= 9, qPrintable(QString::number(p.dividend)));
        QVERIFY2(p.dividend % p.divisor != 0, qPrintable(QStringLiteral("%1 / %2").arg(p.dividend).arg(p.divisor)));
        distinct.insert({p.divisor, p.dividend});
    }
    QCOMPARE(int(distinct.size()), count);

    // The answers page: the same problems, worked.
    std::vector<QPoint> corners;
    for (const Figure &f : figuresOn(form.get()))
        corners.push_back(f.geometry.topLeft());
    const QList<PrintedFigure> worked = figuresOnPage(answersPage, corners, form->sheetState().FigureFontSize);
    QCOMPARE(int(worked.size()), count);
    for (int k = 0; k < count; ++k) {
        const QString fault = checkWorkedFigure(worked[k], problems[k]);
        QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("figure %1: %2").arg(k + 1).arg(fault)));
    }

    // The screen: a new sheet with the answers, the controls back.
    for (const Figure &f : figuresOn(form.get()))
        QCOMPARE(f.integerShow, isShow);
    for (const char *name : {"PanelButtons", "GroupBoxStart", "ButtonPrintOut", "ButtonKoushin", "ButtonPrinterSetup"})
        QVERIFY2(child<QWidget>(form.get(), name)->isVisible(), name);
}

// Without the answers: one job, the problems, and the screen's sheet after it shows
// the problems only.
void TestPrintSheet::problemsOnlyJob()
{
    requireQueue();
    MessageCapture capture;
    auto form = makeWideCatalogueForm(false);
    const QString marker = markJobs();
    child<TButton>(form.get(), "ButtonPrintOut")->click();
    QCOMPARE(capture.messages, QStringList());

    const QList<SpooledJob> jobs = waitForJobs(marker, 1);
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(jobs[0].title, problemsTitle);
    const PdfInfo info = pdfInfo(jobs[0].pdf);
    QCOMPARE(info.pages, 1);
    QCOMPARE(info.pageSize, QStringLiteral("842 x 595 pts"));
    const QList<Problem> problems = printedProblems(jobs[0], form.get(), false);
    QCOMPARE(int(problems.size()), form->sheetState().ProblemCount);
    for (const Problem &p : problems) {
        QVERIFY2(p.divisor >= 1 && p.divisor <= 9 && p.dividend >= 0 && p.dividend / p.divisor <= 9
                     && p.dividend % p.divisor == 0,
                 qPrintable(QStringLiteral("%1 / %2").arg(p.dividend).arg(p.divisor)));
    }

    const auto figures = figuresOn(form.get());
    QCOMPARE(int(figures.size()), form->sheetState().ProblemCount);
    for (const Figure &f : figures)
        QCOMPARE(f.integerShow, isHide);
    // ... and so does the next sheet made on screen.
    child<TButton>(form.get(), "ButtonKoushin")->click();
    for (const Figure &f : figuresOn(form.get()))
        QCOMPARE(f.integerShow, isHide);
}

// A printer set to portrait still gets landscape pages.
void TestPrintSheet::landscapeAfterPortrait()
{
    requireQueue();
    MessageCapture capture;
    auto form = makeForm();
    child<TCheckBox>(form.get(), "CheckBoxPrintAnswer")->setChecked(false);
    TPrinter::global().setOrientation(QPageLayout::Portrait);
    QCOMPARE(TPrinter::global().orientation(), QPageLayout::Portrait);
    const QString marker = markJobs();
    child<TButton>(form.get(), "ButtonPrintOut")->click();
    QCOMPARE(capture.messages, QStringList());
    const QList<SpooledJob> jobs = waitForJobs(marker, 1);
    QCOMPARE(jobs.size(), 1);
    const PdfInfo info = pdfInfo(jobs[0].pdf);
    QCOMPARE(info.pages, 1);
    QCOMPARE(info.pageSize, QStringLiteral("842 x 595 pts"));
    QCOMPARE(info.pageRotation, QStringLiteral("0"));
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
    QList<QList<Problem>> sheets;
    for (int print = 0; print < 2; ++print) {
        const QString marker = markJobs();
        child<TButton>(form.get(), "ButtonPrintOut")->click();
        const QList<SpooledJob> jobs = waitForJobs(marker, 1);
        QCOMPARE(jobs.size(), 1);
        sheets << printedProblems(jobs[0], form.get(), false);
        QCOMPARE(int(sheets.last().size()), 15);
        for (const Problem &p : sheets.last())
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
    for (const char *name : {"PanelButtons", "GroupBoxStart", "ButtonPrintOut", "ButtonKoushin", "ButtonPrinterSetup"})
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
    QList<QList<Problem>> sheets;
    for (const auto &[file, title] : files) {
        const PdfInfo info = pdfInfo(dir.filePath(file));
        QVERIFY(info.ok);
        QCOMPARE(info.pages, 1);
        QCOMPARE(info.pageSize, QStringLiteral("842 x 595 pts"));
        QCOMPARE(info.title, title);
        SpooledJob job;
        job.pdf = dir.filePath(file);
        sheets << printedProblems(job, form.get(), title == answersTitle);
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
    const int paperInk = inkCount(paperFigures), screenInk = inkCount(screenFigures);
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
    auto *answers = child<TCheckBox>(form.get(), "CheckBoxPrintAnswer");
    if (answers->isChecked())
        answers->click();
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
        // The screen keeps following the window.
        QCOMPARE(int(form->sheetState().CellWidth), (window.width() - 32) / form->sheetState().FigureColumns);
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
