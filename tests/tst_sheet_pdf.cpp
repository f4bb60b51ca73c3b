// Sheets as PDF files, read back from outside the program: the command line's class sets,
// bad arguments and what stands at FILE, a file that cannot be written, PDF保存 and
// まとめて作成 on the window.

#include "FormTestSupport.h"
#include "PrintedPages.h"

#include "app/ClassSetDialog.h"
#include "app/CommandLine.h"
#include "sheet/PageLayout.h"
#include "platform/PdfFile.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
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
        QStandardPaths::setTestModeEnabled(true); // what まとめて作成 keeps stays out of the user's own settings
        QCoreApplication::setOrganizationName(u"divisheet-test"_s);
        QSettings().clear();
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

    // The header and foot as a teacher reads them: the code at least 9 points high in a
    // place of its own, a title inside the margins and clear of where the button panel
    // stands on screen, no word over another.
    void pageTexts_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("settings");
        QTest::newRow("window sheet") << u"--pdf FILE --no-answers"_s << u"枠線:表示,割る数:2で固定,答:1..9,余り:なし"_s;
        QTest::newRow("set, long title, all options") << u"--pdf FILE --sheets 2 --numbered --score --more --remainder --divisor 101..909 --title 4年1組_わり算の筆算_れんしゅうプリント_第3回_あまりのあるわり算（4けた÷"_s
                                                      << u"枠線:表示,割る数:101..909,答:1..9,余り:あり(X)"_s;
        QTest::newRow("40 wide characters") << u"--pdf FILE --no-frames --title "_s + QString(40, u'算') << u"枠線:非表示,割る数:2で固定"_s;
    }
    void pageTexts()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, settings);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"page.pdf"_s);
        QStringList args = arguments.split(u' ');
        for (QString &a : args)
            a = a == u"FILE"_s ? pdf : a.replace(u'_', u' ');
        QProcess process;
        process.start(program, args);
        QVERIFY2(process.waitForFinished(60000) && process.exitCode() == 0, process.readAllStandardError().constData());
        const QList<PrintedWord> words = wordsOfPage(pdf, pageMapping(paperSize, TPdfFile::pageLayout(), 1200), 1);
        const QRectF page(QPointF(), paperSize), buttons(8, 24, 305, 28);
        QString text;
        for (const PrintedWord &w : words) {
            text += w.text;
            QVERIFY2(page.contains(w.rect), qPrintable(w.text));
            if (w.text.startsWith(u'#'))
                QVERIFY2(w.points >= 9 && w.rect.bottom() > 730 && w.rect.right() > 900, qPrintable(w.text));
            if (w.rect.top() > 40 && w.rect.bottom() < 100 && !w.text.contains(QRegularExpression(u"^[0-9]+$"_s)))
                QVERIFY2(!w.rect.intersects(buttons) && w.rect.left() >= 32 && w.rect.right() <= 1004 && w.points >= 14 * 0.75 - 0.5, qPrintable(w.text));
            for (const PrintedWord &other : words)
                QVERIFY2(&other == &w || !other.rect.intersects(w.rect), qPrintable(w.text + u" over "_s + other.text));
        }
        QVERIFY2(text.contains(settings), qPrintable(text));
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
        auto form = makeForm({true, {}});
        child<TCheckBox>(form.get(), "CheckBoxPrintAnswer")->setChecked(answers);
        if (typed) {
            child<TCheckBox>(form.get(), "CheckBoxDataKakunin")->setChecked(true);
            child<TStringGrid>(form.get(), "StringGridData")->setCell(1, 4, u"17"_s);
            child<TButton>(form.get(), "ButtonByouga")->click();
        }
        const auto before = figuresOn(form.get());
        const QString code = child<TLabel>(form.get(), "LabelSheetCode")->caption();
        QCOMPARE(code.isEmpty(), typed);
        // Settings for the next sheet change the window's header, not the saved sheet's.
        child<TRadioButton>(form.get(), "RadioButtonWaru1_9")->click();
        child<TRadioGroup>(form.get(), "RadioGroupAmari")->setItemIndex(1);
        QVERIFY(child<TLabel>(form.get(), "LabelHyoudai")->caption().contains(u"割る数:1..9"_s));
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
        QVERIFY2(page.text.contains(u"枠線:表示 ,割る数:2で固定 ,答:1..9 ,余り:なし"_s), qPrintable(page.text));
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
        QTest::addColumn<QString>("done");  // what is said after it is made
        QTest::newRow("a set of 3") << QString() << 3 << QString() << u"プリント3枚（6ページ）"_s;
        QTest::newRow("a window sheet's code") << u"#40b1b 6b4n9"_s << 5 << QString() << u"プリント1枚（2ページ）"_s;
        QTest::newRow("a mistyped code") << u"#40B1U-6B4N9"_s << 5 << u"使えない文字があります"_s << QString();
    }

    // まとめて作成 makes the set or the code's sheet and says so, offering to open it; a bad
    // code is said in the dialog and nothing is made. The screen keeps its sheet.
    void classSetDialog()
    {
        QFETCH(QString, code);
        QFETCH(int, count);
        QFETCH(QString, error);
        QFETCH(QString, done);
        QTemporaryDir dir;
        MessageCapture capture;
        auto form = makeForm();
        form->setSaveFileChooser([&](QWidget *, const QString &, const QString &) { return dir.filePath(u"set.pdf"_s); });
        const auto before = figuresOn(form.get());
        QString shown, said;
        whenBoxShows(form.get(), [&](QMessageBox *box) {
            for (QAbstractButton *button : box->buttons())
                said += button->text() + u'/';
            said += box->text(), box->button(QMessageBox::Close)->click();
        });
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
        const QString offers = u"閉じる/ファイルを開く(&O)/フォルダを開く(&F)/"_s + done + u"をPDFファイルに保存しました。\n"_s;
        QCOMPARE(said, done.isEmpty() ? QString() : offers + dir.filePath(u"set.pdf"_s));
        if (error.isEmpty())
            checkSheetsPdf(dir.filePath(u"set.pdf"_s), code.isEmpty() ? count : 1, true, code.isEmpty() ? u"1/%1"_s.arg(count) : QString());
        QCOMPARE(figuresOn(form.get()).size(), before.size());
        QCOMPARE(figuresOn(form.get()).front().dividend, before.front().dividend);
    }

    void classSetMessages_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("file");   // typed; DIR is a folder with sub/ and old.pdf
        QTest::addColumn<QString>("error");  // said on 作成 with the file chooser cancelled
        QTest::addColumn<QString>("change"); // "code …", "file …" or "printer"
        QTest::addColumn<QString>("after");  // said then; empty: nothing
        QTest::addColumn<QString>("made");   // where the next 作成 goes; empty: the dialog stays
        QTest::newRow("mistyped code, corrected") << u"#40B1B-7B4N9"_s << u"DIR/a.pdf"_s << u"打ち間違いがあります"_s << u"code #40b1b 6b4n9"_s << QString() << u"DIR/a.pdf"_s;
        QTest::newRow("U, then mistyped") << u"#40B1U-6B4N9"_s << u"DIR/a.pdf"_s << u"使えない文字があります"_s << u"code #40B1B-7B4N9"_s << u"打ち間違い"_s << QString();
        QTest::newRow("too short, then none") << u"#40B1B"_s << u"DIR/a"_s << u"文字の数が合いません"_s << u"code "_s << QString() << u"DIR/a.pdf"_s;
        QTest::newRow("later version, file changed") << u"#80B1B-6B4NH"_s << u"DIR/a.pdf"_s << u"新しい版"_s << u"file DIR/b.pdf"_s << u"新しい版"_s << QString();
        QTest::newRow("sheet 5 of 3, printer") << u"#6JV1B-6B4N0-G8V"_s << u"DIR/a.pdf"_s << u"プリントはありません"_s << u"printer"_s << u"プリントはありません"_s << QString();
        QTest::newRow("no file, then the printer") << QString() << QString() << u"保存するPDFファイルを選んでください。"_s << u"printer"_s << QString() << u"printer"_s;
        QTest::newRow("no such folder, then a bare name") << QString() << u"DIR/none/a.pdf"_s << u"フォルダ「DIR/none」がありません。"_s << u"file  b.PDF "_s << QString() << u"DIR/b.PDF"_s;
        QTest::newRow("a folder, code changed") << QString() << u"DIR/sub"_s << u"「DIR/sub」はフォルダです。"_s << u"code #40B1U"_s << u"「DIR/sub」はフォルダです。"_s << QString();
        QTest::newRow("an existing file, not replaced") << QString() << u"DIR/old.pdf"_s << QString() << u"file DIR/sub/old"_s << QString() << u"DIR/sub/old.pdf"_s;
    }

    // The dialog says in Japanese why it cannot make what is asked, loses nothing typed, and
    // stops saying it when its cause goes.
    void classSetMessages()
    {
        QFETCH(QString, code);
        QFETCH(QString, file);
        QFETCH(QString, error);
        QFETCH(QString, change);
        QFETCH(QString, after);
        QFETCH(QString, made);
        QTemporaryDir dir;
        const auto inDir = [&](QString text) { return text.replace(u"DIR"_s, dir.path()); };
        QVERIFY(QDir(dir.path()).mkdir(u"sub"_s) && QFile(dir.filePath(u"old.pdf"_s)).open(QIODevice::WriteOnly));
        TClassSetDialog dialog(nullptr, [](QWidget *, const QString &, const QString &) { return QString(); }, dir.filePath(u"わり算.pdf"_s), true);
        QString asked;
        whenBoxShows(&dialog, [&](QMessageBox *box) { asked = box->text(), box->button(QMessageBox::No)->click(); });
        child<QLineEdit>(&dialog, "EditCode")->setText(code);
        child<QLineEdit>(&dialog, "EditFile")->setText(inDir(file));
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        const QLabel *said = child<QLabel>(&dialog, "LabelError");
        QVERIFY2(said->text().contains(inDir(error)) && dialog.result() == QDialog::Rejected, qPrintable(said->text()));
        QCOMPARE(asked.contains(u"置き換えますか"_s), error.isEmpty());
        QCOMPARE(child<QLineEdit>(&dialog, "EditCode")->text() + child<QLineEdit>(&dialog, "EditFile")->text(), code + inDir(file));
        if (change == u"printer"_s)
            child<QAbstractButton>(&dialog, "RadioButtonPrinter")->setChecked(true);
        else
            child<QLineEdit>(&dialog, change.startsWith(u"code"_s) ? "EditCode" : "EditFile")->setText(inDir(change.mid(5)));
        QVERIFY2(after.isEmpty() ? said->text().isEmpty() : said->text().contains(inDir(after)), qPrintable(said->text()));
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        const QString to = dialog.request().fileName.isEmpty() ? u"printer"_s : dialog.request().fileName;
        QCOMPARE(dialog.result() == QDialog::Accepted ? to : QString(), inDir(made));
    }

    // The number, the answers and the folder of the last set come back in the next dialog,
    // the folder while it is there; before any set, 10 sheets and the window's answers.
    void classSetKept()
    {
        QSettings().clear();
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
        QString opened; // where the file chooser opens
        const auto choose = [&](QWidget *, const QString &, const QString &file) { opened = QFileInfo(file).path(); return dir.filePath(u"sub/x.pdf"_s); };
        const auto kept = [&](bool windowAnswers) {
            TClassSetDialog dialog(nullptr, choose, dir.filePath(u"わり算.pdf"_s), windowAnswers);
            const QString shown = u"%1 %2"_s.arg(child<QSpinBox>(&dialog, "SpinBoxCount")->value()).arg(child<QAbstractButton>(&dialog, "CheckBoxAnswers")->isChecked());
            child<QSpinBox>(&dialog, "SpinBoxCount")->setValue(7);
            child<QAbstractButton>(&dialog, "CheckBoxAnswers")->setChecked(false);
            dialog.accept();
            return shown + u' ' + QDir(dir.path()).relativeFilePath(opened);
        };
        QCOMPARE(kept(false), u"10 0 ."_s);
        QCOMPARE(kept(true), u"7 0 sub"_s);
        QVERIFY(QDir(dir.filePath(u"sub"_s)).removeRecursively());
        QCOMPARE(kept(true), u"7 0 ."_s);
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
