// Sheets as PDF files, read back from outside the program: the command line's class sets,
// bad arguments and what stands at FILE, a file that cannot be written, PDF保存 and
// まとめて作成 on the window.

#include "FormTestSupport.h"
#include "PrintedPages.h"

#include "app/CommandLine.h"
#include "app/SheetLayout.h"
#include "platform/PdfFile.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace printtest;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString program = QStringLiteral(DIVISHEET_EXECUTABLE);
const QSize paperSize(1036, 766); // the designed window, which every page is laid out for

struct Outcome
{
    int status = -1;
    QString out, err;
};

// The program with `arguments` (split at spaces), FILE standing for `file`, `prefix` before it.
Outcome runProgram(const QString &arguments, const QString &file, const QStringList &prefix = {})
{
    QProcess process;
    const QStringList args = QString(arguments).replace(u"FILE"_s, file).split(u' ', Qt::SkipEmptyParts);
    process.start(prefix.isEmpty() ? program : prefix.first(), prefix.isEmpty() ? args : prefix.mid(1) + QStringList{program} + args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()), QString::fromLocal8Bit(process.readAllStandardError())};
}

// Page `number` of a sheets PDF: the code and "k/N" in its header, its problems (from the
// problems page) or the fault of its worked figures (an answers page of `expected`).
struct SheetPage
{
    QString code, setNumber;
    QList<PrintedProblem> problems;
    QString fault;
};

SheetPage readSheetPage(const QString &pdf, int number, const QList<PrintedProblem> *expected = nullptr)
{
    const PrintedPage page = readPage(pdf, pageMapping(paperSize, TPdfFile::pageLayout(), 1200), number);
    SheetPage sheet;
    sheet.code = QRegularExpression(u"#[0-9A-Z-]+"_s).match(page.text).captured();
    sheet.setNumber = QRegularExpression(u"\\d+/\\d+"_s).match(page.text).captured();
    const std::optional<SheetRecipe> recipe = decodeSheetCode(sheet.code).recipe;
    if (!recipe)
        return sheet;
    const SheetShape shape = sheetShape(recipe->settings);
    const CellSize cell = sheetCellSize(paperSize, shape.rows, shape.columns);
    std::vector<QPoint> corners;
    for (int k = 0; k < shape.problemCount(); ++k)
        corners.push_back(cellTopLeft(cell, k / shape.columns + 1, k % shape.columns + 1));
    const QList<PrintedFigure> figures = figuresOnPage(page, corners, 30);
    if (!expected)
        sheet.problems = problemsOfProblemsPage(figures);
    for (qsizetype k = 0; expected && k < figures.size() && sheet.fault.isEmpty(); ++k)
        sheet.fault = checkWorkedFigure(figures[k], expected->value(k));
    return sheet;
}

QList<PrintedProblem> problemsOfCode(const QString &code)
{
    QList<PrintedProblem> problems;
    const std::optional<SheetRecipe> recipe = decodeSheetCode(code).recipe;
    for (const divisheet::Problem &p : recipe ? recipeProblems(*recipe) : std::vector<divisheet::Problem>())
        problems << PrintedProblem{p.divisor, p.dividend};
    return problems;
}

// Checks a PDF of `sheets` sheets (problems pages, then answers pages when `answers`) made
// from outside: landscape pages, "k/N" (from `firstNumber` on) and a code on each, the code giving the page's
// problems, every sheet different, the answers page k worked for the problems of page k.
void checkSheetsPdf(const QString &pdf, int sheets, bool answers, const QString &firstNumber)
{
    const PdfInfo info = pdfInfo(pdf);
    QCOMPARE(info.pages, sheets * (answers ? 2 : 1));
    QCOMPARE(info.pageSize, u"842 x 595 pts"_s);
    QList<QList<PrintedProblem>> seen;
    for (int k = 1; k <= sheets; ++k) {
        const SheetPage page = readSheetPage(pdf, k);
        const QStringList first = firstNumber.split(u'/');
        QCOMPARE(page.setNumber, firstNumber.isEmpty() ? QString() : u"%1/%2"_s.arg(first[0].toInt() + k - 1).arg(first[1]));
        QCOMPARE(page.problems, problemsOfCode(page.code));
        QVERIFY2(!seen.contains(page.problems), qPrintable(u"sheet %1 repeats an earlier one"_s.arg(k)));
        seen << page.problems;
        if (!answers)
            continue;
        const SheetPage worked = readSheetPage(pdf, sheets + k, &page.problems);
        QCOMPARE(worked.code + worked.setNumber, page.code + page.setNumber);
        QVERIFY2(worked.fault.isEmpty(), qPrintable(u"answers page %1: "_s.arg(k) + worked.fault));
    }
}

// The entries of `folder` by name, each as name=what: "pdf" or the text of a file,
// "folder", "fifo", "device", or "=>" and the target of a link.
QString folderEntries(const QString &folder)
{
    QStringList entries;
    for (const QString &name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path = QDir(folder).filePath(name);
        struct stat status = {};
        ::lstat(QFile::encodeName(path).constData(), &status);
        QFile file(path);
        const QString what = S_ISLNK(status.st_mode) ? u">"_s + QFile::symLinkTarget(path).section(u'/', -1)
            : S_ISDIR(status.st_mode)                ? u"folder"_s
            : S_ISFIFO(status.st_mode)               ? u"fifo"_s
            : S_ISCHR(status.st_mode)                ? u"device"_s
            : file.open(QIODevice::ReadOnly) && file.peek(4) == "%PDF" ? u"pdf"_s
                                                     : QString::fromUtf8(file.readAll());
        entries << name + u'=' + what;
    }
    return entries.join(u' ');
}

// Page `number` of `pdf` as pdftoppm draws it at 100 dpi.
QImage pageImage(const QString &pdf, int number)
{
    const QString n = QString::number(number);
    QProcess::execute(u"pdftoppm"_s, {u"-r"_s, u"100"_s, u"-f"_s, n, u"-l"_s, n, u"-png"_s, u"-singlefile"_s, pdf, pdf + n});
    return QImage(pdf + n + u".png"_s);
}

} // namespace

class TestSheetPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        divisheet::installFontSubstitutions();
        if (!haveTool(u"pdftotext"_s) || !haveTool(u"pdfinfo"_s) || !haveTool(u"pdftoppm"_s))
            QSKIP("poppler-utils is not installed");
    }

    void commandLineSheets_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("sheets");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QString>("firstNumber"); // "k/N" of the first sheet; empty: a window sheet's code
        QTest::newRow("the start-up settings, one sheet") << u"--pdf FILE"_s << 1 << true << u"1/1"_s;
        QTest::newRow("largest catalogue, 4 sheets") << u"--pdf FILE --sheets 4 --divisor 1000..9999"_s << 4 << true << u"1/4"_s;
        QTest::newRow("remainders, no answers") << u"--pdf=FILE --sheets=3 --divisor 10..90 --quotient 11..99 --remainder --no-answers"_s << 3 << false << u"1/3"_s;
        QTest::newRow("random catalogue, no frames") << u"--pdf FILE --sheets 2 --divisor 11..99 --quotient 111..999 --remainder --no-frames"_s << 2 << true << u"1/2"_s;
        QTest::newRow("a class set's code") << u"--pdf FILE --code 60B1B-6B4N0-82C"_s << 1 << true << u"2/2"_s;
        QTest::newRow("a window sheet's code") << u"--pdf FILE --code 40B1B-6B4N9"_s << 1 << true << QString();
    }

    void commandLineSheets()
    {
        QFETCH(QString, arguments);
        QFETCH(int, sheets);
        QFETCH(bool, answers);
        QFETCH(QString, firstNumber);
        QTemporaryDir dir;
        const Outcome outcome = runProgram(arguments, dir.filePath(u"sheets.pdf"_s));
        QVERIFY2(outcome.status == 0, qPrintable(outcome.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"sheets.pdf"_s});
        const QString file = dir.filePath(u"sheets.pdf"_s), last = dir.filePath(u"last.pdf"_s);
        checkSheetsPdf(file, sheets, answers, firstNumber);
        // The last sheet, made after the others, is drawn as its code alone draws it.
        QCOMPARE(runProgram(u"--pdf FILE --code "_s + readSheetPage(file, sheets).code, last).status, 0);
        for (int page = 1; page <= (answers ? 2 : 1); ++page)
            QVERIFY(!pageImage(last, page).isNull() && pageImage(last, page) == pageImage(file, page * sheets));
    }

    void badCommandLines_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message"); // on stderr
        QTest::newRow("unknown option") << u"--pdf FILE --colour"_s << 2 << u"unknown option --colour"_s;
        QTest::newRow("combination") << u"--pdf FILE --divisor 1000..9999 --quotient 10..90"_s << 2 << u"does not go with"_s;
        QTest::newRow("101 sheets") << u"--pdf FILE --sheets 101"_s << 2 << u"must be 1 to 100"_s;
        QTest::newRow("malformed code") << u"--pdf FILE --code 12U45-67890"_s << 2 << u"malformed sheet code"_s;
        QTest::newRow("unknown code") << u"--pdf FILE --code 80B1B-6B4NH"_s << 2 << u"version 2"_s;
        QTest::newRow("no such folder") << u"--pdf FILE/x.pdf"_s << 1 << u"cannot write"_s;
        QTest::newRow("a terminal's escape sequence") << u"--pdf FILE --divisor \x1b]0;title\x07"_s << 2 << u"--divisor \\x1b]0;title\\x07: unknown"_s;
        QTest::newRow("an escape sequence in FILE") << u"--pdf FILE\x1b[2J/x.pdf"_s << 1 << u"a.pdf\\x1b[2J/x.pdf: "_s;
    }

    // A bad command line writes nothing; what it echoes reaches the terminal as text.
    void badCommandLines()
    {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const Outcome outcome = runProgram(arguments, dir.filePath(u"a.pdf"_s));
        QCOMPARE(outcome.status, status);
        QVERIFY2(outcome.err.contains(message), qPrintable(outcome.err));
        QVERIFY2(!outcome.err.contains(QRegularExpression(u"[\\x00-\\x09\\x0b-\\x1f\\x7f]"_s)), qPrintable(outcome.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    void targets_data()
    {
        QTest::addColumn<QString>("target"); // what stands at FILE (a.pdf) first; "taken": a file made while the PDF is written
        QTest::addColumn<bool>("force");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message"); // on stderr
        QTest::addColumn<QString>("after"); // the folder's entries afterwards, see folderEntries()
        const QString exists = u"a.pdf exists; it is kept (--force replaces it)"_s;
        const QString special = u"a.pdf is not a regular file; it is kept"_s;
        QTest::newRow("free name") << u"none"_s << false << 0 << QString() << u"a.pdf=pdf"_s;
        QTest::newRow("file") << u"file"_s << false << 2 << exists << u"a.pdf=keep"_s;
        QTest::newRow("file, --force") << u"file"_s << true << 0 << QString() << u"a.pdf=pdf"_s;
        QTest::newRow("FIFO, --force") << u"fifo"_s << true << 2 << special << u"a.pdf=fifo"_s;
        QTest::newRow("device, --force") << u"device"_s << true << 2 << special << u"a.pdf=device"_s;
        QTest::newRow("folder") << u"folder"_s << false << 2 << u"a.pdf is a folder"_s << u"a.pdf=folder"_s;
        QTest::newRow("folder, --force") << u"folder"_s << true << 2 << u"a.pdf is a folder"_s << u"a.pdf=folder"_s;
        QTest::newRow("link to a file") << u"link"_s << false << 2 << exists << u"a.pdf=>b.pdf b.pdf=keep"_s;
        QTest::newRow("link to a file, --force: the link") << u"link"_s << true << 0 << QString() << u"a.pdf=pdf b.pdf=keep"_s;
        QTest::newRow("dangling link") << u"dangling"_s << false << 2 << exists << u"a.pdf=>b.pdf"_s;
        QTest::newRow("dangling link, --force: the link") << u"dangling"_s << true << 0 << QString() << u"a.pdf=pdf"_s;
        QTest::newRow("looping link") << u"loop"_s << false << 2 << exists << u"a.pdf=>a.pdf"_s;
        QTest::newRow("name taken while written") << u"taken"_s << false << 2 << exists << u"a.pdf=keep"_s;
        QTest::newRow("name taken while written, --force") << u"taken"_s << true << 0 << QString() << u"a.pdf=pdf"_s;
    }

    // --force replaces a file or a link and nothing else; without it any entry stays, even
    // one that comes while the PDF is written. Nothing temporary is left.
    void targets()
    {
        QFETCH(QString, target);
        QFETCH(bool, force);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"a.pdf"_s);
        const QByteArray path = QFile::encodeName(file);
        const auto writeKeep = [&dir](const QString &name) {
            QFile keep(dir.filePath(name));
            QVERIFY(keep.open(QIODevice::WriteOnly) && keep.write("keep") == 4);
        };
        if (target == u"file")
            writeKeep(u"a.pdf"_s);
        if (target == u"link")
            writeKeep(u"b.pdf"_s);
        if (target == u"link" || target == u"dangling" || target == u"loop")
            QVERIFY(::symlink(target == u"loop" ? "a.pdf" : "b.pdf", path.constData()) == 0);
        if (target == u"fifo")
            QVERIFY(::mkfifo(path.constData(), 0644) == 0);
        if (target == u"device" && ::mknod(path.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("mknod is not permitted here");
        if (target == u"folder")
            QVERIFY(QDir(dir.path()).mkdir(u"a.pdf"_s));
        Outcome outcome;
        if (target == u"taken") {
            // The name is taken between the first page and the end, as by another program.
            try {
                TPdfFile pdf(file, u"a"_s, force ? TPdfFile::Existing::Replace : TPdfFile::Existing::Keep);
                QWidget page;
                page.resize(paperSize);
                pdf.addFormPage(&page);
                writeKeep(u"a.pdf"_s);
                pdf.commit();
                outcome.status = 0;
            } catch (const EFileTaken &taken) {
                outcome = {2, {}, keptFileText(taken)};
            }
        } else {
            outcome = runProgram(force ? u"--pdf FILE --force --no-answers"_s : u"--pdf FILE --no-answers"_s, file);
        }
        QCOMPARE(outcome.status, status);
        QVERIFY2(outcome.err.contains(message), qPrintable(outcome.err));
        QTEST(folderEntries(dir.path()), "after");
    }

    // A folder the program may not write into: exit status 1, a message, nothing left there.
    void unwritableFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        // Root writes anywhere: the program then runs as nobody.
        QStringList asUser;
        if (geteuid() == 0) {
            if (!haveTool(u"setpriv"_s))
                QSKIP("running as root without setpriv: no way to run the program as a user who may not write");
            asUser = {u"setpriv"_s, u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s};
        }
        const Outcome outcome = runProgram(u"--pdf FILE --sheets 5"_s, dir.filePath(u"a.pdf"_s), asUser);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(outcome.status, 1);
        QVERIFY2(outcome.err.contains(u"cannot write"_s), qPrintable(outcome.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    void savePdf_data()
    {
        QTest::addColumn<bool>("answers");
        QTest::addColumn<bool>("typed"); // a sheet typed into the data-check grid: no code
        QTest::newRow("problems and answers") << true << false;
        QTest::newRow("problems only") << false << false;
        QTest::newRow("typed into the grid") << true << true;
    }

    // PDF保存 saves the sheet on screen, named after its code, and the screen keeps it.
    void savePdf()
    {
        QFETCH(bool, answers);
        QFETCH(bool, typed);
        QTemporaryDir dir;
        MessageCapture capture;
        auto form = makeForm({true});
        child<TCheckBox>(form.get(), "CheckBoxPrintAnswer")->setChecked(answers);
        if (typed) {
            child<TCheckBox>(form.get(), "CheckBoxDataKakunin")->setChecked(true);
            child<TStringGrid>(form.get(), "StringGridData")->setCell(1, 4, u"17"_s);
            child<TButton>(form.get(), "ButtonByouga")->click();
        }
        const auto before = figuresOn(form.get());
        const QString code = child<TLabel>(form.get(), "LabelSheetCode")->caption();
        QCOMPARE(code.isEmpty(), typed);
        QString suggested;
        form->setSaveFileChooser([&](QWidget *, const QString &, const QString &file) {
            suggested = QFileInfo(file).fileName();
            return dir.filePath(u"saved.pdf"_s);
        });
        child<TButton>(form.get(), "ButtonSavePdf")->click();
        QCOMPARE(capture.messages, QStringList());
        QCOMPARE(suggested, typed ? u"わり算.pdf"_s : u"わり算-"_s + code.mid(1) + u".pdf"_s);
        QCOMPARE(pdfInfo(dir.filePath(u"saved.pdf"_s)).pages, answers ? 2 : 1);
        QList<PrintedProblem> screen;
        std::vector<QPoint> corners;
        for (const Figure &f : before) {
            screen << PrintedProblem{f.divisor, f.dividend};
            corners.push_back(f.geometry.topLeft());
        }
        const PrintedPage page = readPage(dir.filePath(u"saved.pdf"_s), pageMapping(paperSize, TPdfFile::pageLayout(), 1200), 1);
        QCOMPARE(problemsOfProblemsPage(figuresOnPage(page, corners, 30)), screen);
        QCOMPARE(page.text.contains(code), true);
        const auto after = figuresOn(form.get());
        QCOMPARE(after.size(), before.size());
        for (std::size_t k = 0; k < after.size(); ++k)
            QVERIFY(after[k].dividend == before[k].dividend && after[k].integerShow == before[k].integerShow);
    }

    void classSetDialog_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("error"); // in the dialog; empty: the PDF is made
        QTest::newRow("a set of 3") << QString() << 3 << QString();
        QTest::newRow("a window sheet's code") << u"#40b1b 6b4n9"_s << 5 << QString();
        QTest::newRow("a mistyped code") << u"#40B1U-6B4N9"_s << 5 << u"'U' is not one of its characters"_s;
    }

    // まとめて作成 makes the set or the code's sheet; a bad code is said in the dialog and
    // nothing is made. The screen keeps its sheet.
    void classSetDialog()
    {
        QFETCH(QString, code);
        QFETCH(int, count);
        QFETCH(QString, error);
        QTemporaryDir dir;
        MessageCapture capture;
        auto form = makeForm();
        form->setSaveFileChooser([&](QWidget *, const QString &, const QString &) { return dir.filePath(u"set.pdf"_s); });
        const auto before = figuresOn(form.get());
        QString shown;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            child<QSpinBox>(dialog, "SpinBoxCount")->setValue(count);
            child<QLineEdit>(dialog, "EditCode")->setText(code);
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            shown = child<QLabel>(dialog, "LabelError")->text();
            if (dialog->isVisible())
                dialog->reject();
        });
        child<TButton>(form.get(), "ButtonClassSet")->click();
        QCOMPARE(capture.messages, QStringList());
        QVERIFY2(shown.contains(error), qPrintable(shown));
        QCOMPARE(QFile::exists(dir.filePath(u"set.pdf"_s)), error.isEmpty());
        if (error.isEmpty())
            checkSheetsPdf(dir.filePath(u"set.pdf"_s), code.isEmpty() ? count : 1, true, code.isEmpty() ? u"1/%1"_s.arg(count) : QString());
        QCOMPARE(figuresOn(form.get()).size(), before.size());
        QCOMPARE(figuresOn(form.get()).front().dividend, before.front().dividend);
    }

    // The two buttons lie in the settings panel's free bottom row: inside it, over no other
    // control, their captions fitting.
    void newButtonsCoverNothing()
    {
        auto form = makeForm();
        auto *panel = child<QWidget>(form.get(), "GroupBoxStart");
        for (const char *name : {"ButtonSavePdf", "ButtonClassSet", "ButtonPageOptions"}) {
            auto *button = child<TButton>(form.get(), name);
            QVERIFY2(panel->rect().contains(button->geometry()) && button->sizeHint().width() <= button->width(), name);
            for (QWidget *other : panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                QVERIFY2(other == button || !other->geometry().intersects(button->geometry()), qPrintable(other->objectName()));
        }
    }
};

QTEST_MAIN(TestSheetPdf)
#include "tst_sheet_pdf.moc"
