// Paper without the window: the command line's sheets go on a bare page, which carries the
// window's own header, and no window is built on the way.

#include "FormTestSupport.h"
#include "PrintTestSupport.h"

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/SheetPages.h"
#include "sheet/PageHeader.h"

#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

// Counts the events that reach a main window: making one sends it some at once.
class WindowWatch : public QObject
{
public:
    int seen = 0;

protected:
    bool eventFilter(QObject *object, QEvent *) override
    {
        seen += qobject_cast<TFormDivisheet *>(object) != nullptr;
        return false;
    }
};

} // namespace

class TestPaper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void commandLineBuildsNoWindow_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("pages");
        QTest::newRow("class set with answers") << u"--sheets 3 --divisor 1000..9999"_s << 6;
        QTest::newRow("class set, fuller numbered pages") << u"--sheets 4 --no-answers --more --numbered"_s << 4;
        QTest::newRow("the sheet of a code") << u"--code 40B1B-6B4N9 --title わり算"_s << 2;
    }
    void commandLineBuildsNoWindow()
    {
        QFETCH(QString, arguments);
        QFETCH(int, pages);
        QTemporaryDir dir;
        QList<QByteArray> words{"divisheet", "--pdf", QFile::encodeName(dir.filePath(u"set.pdf"_s))};
        for (const QString &word : arguments.split(u' '))
            words << word.toUtf8();
        const CommandLineResult parsed = parseCommandLine(words);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        WindowWatch watch;
        qApp->installEventFilter(&watch);
        QCOMPARE(writeSheetsFile(parsed.options), 0);
        QCOMPARE(watch.seen, 0);
        QCOMPARE(printtest::pdfInfo(dir.filePath(u"set.pdf"_s)).pages, pages);
        TFormDivisheet window; // the watch sees a window where one is made
        QVERIFY(watch.seen > 0);
        qApp->removeEventFilter(&watch);
    }

    // The page's header is the window's, label for label: the same face everywhere, the same
    // place and text where they do not follow the sheet. A title keeps clear of the button
    // panel's place on both.
    void pageHeaderIsTheWindows()
    {
        const auto form = makeForm();
        TSheetPage page;
        page.showSheet(makeSheets({*form->sheetRecipe(), 0}).front(), isHide);
        const struct { const char *name; bool samePlace; bool sameText; } labels[] = {
            {"LabelGappiNamae", true, true}, {"LabelProjectName", true, true},
            {"LabelHyoudai", true, false}, {"LabelSheetCode", false, true}};
        for (const auto &[name, samePlace, sameText] : labels) {
            const auto *onPage = child<TLabel>(&page, name);
            const auto *onWindow = child<TLabel>(form.get(), name);
            QVERIFY2(onPage->font() == onWindow->font(), name);
            QVERIFY2(!samePlace || onPage->pos() == onWindow->pos(), name);
            QVERIFY2(!sameText || onPage->caption() == onWindow->caption(), name);
        }
        QCOMPARE(child<QWidget>(form.get(), "PanelButtons")->geometry(), kButtonPanelPlace);
    }
};

QTEST_MAIN(TestPaper)
#include "tst_paper.moc"
