// The command line: every bad argument names what is wrong; good ones give the options.

#include "app/CommandLine.h"
#include "app/SheetMaker.h"

#include <QtTest>

using namespace divisheet;
using namespace Qt::Literals::StringLiterals;

namespace {

// A sheet code of the start-up settings, taken from the coder itself.
QString startUpCode()
{
    SheetRecipe recipe;
    recipe.settings = startUpSettings();
    recipe.seeds.drawSeed = 45'296'789;
    return encodeSheetCode(recipe);
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void badArguments_data();
    void badArguments();
    void goodArguments_data();
    void goodArguments();
    void helpNamesEveryOption();
};

void TestCommandLine::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString code = startUpCode();
    QTest::newRow("unknown option") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--colour"_s} << u"unknown option --colour"_s;
    QTest::newRow("stray argument") << QStringList{u"a.pdf"_s} << u"unexpected argument a.pdf"_s;
    QTest::newRow("--pdf without FILE") << QStringList{u"--pdf"_s} << u"--pdf needs a value"_s;
    QTest::newRow("--pdf followed by an option") << QStringList{u"--pdf"_s, u"--force"_s} << u"--pdf needs a value"_s;
    QTest::newRow("--pdf= empty") << QStringList{u"--pdf="_s} << u"--pdf needs a value"_s;
    QTest::newRow("missing FILE") << QStringList{u"--sheets"_s, u"3"_s} << u"--sheets needs --pdf FILE"_s;
    QTest::newRow("missing FILE for a switch") << QStringList{u"--remainder"_s} << u"--remainder needs --pdf FILE"_s;
    QTest::newRow("sheets 0") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--sheets"_s, u"0"_s} << u"must be 1 to 100"_s;
    QTest::newRow("sheets 101") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--sheets=101"_s} << u"must be 1 to 100"_s;
    QTest::newRow("sheets not a number") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--sheets"_s, u"ten"_s} << u"--sheets ten"_s;
    QTest::newRow("sheets negative") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--sheets=-3"_s} << u"must be 1 to 100"_s;
    QTest::newRow("fixed 0") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--divisor"_s, u"fixed:0"_s} << u"fixed divisor must be 1 to 9"_s;
    QTest::newRow("fixed 10") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--divisor"_s, u"fixed:10"_s} << u"fixed divisor must be 1 to 9"_s;
    QTest::newRow("fixed without F") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--divisor"_s, u"fixed:"_s} << u"fixed divisor must be 1 to 9"_s;
    QTest::newRow("divisor class unknown") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--divisor"_s, u"1..99"_s} << u"unknown divisor class"_s;
    QTest::newRow("title-line spelling is not a class") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--divisor"_s, u"1000..9000"_s} << u"unknown divisor class"_s;
    QTest::newRow("quotient class unknown") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--quotient"_s, u"1000..9999"_s} << u"unknown quotient class"_s;
    QTest::newRow("combination that does not exist")
        << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--divisor"_s, u"1000..9999"_s, u"--quotient"_s, u"10..90"_s}
        << u"the quotient class 10..90 does not go with the divisor class 1000..9999"_s;
    QTest::newRow("three-digit pair") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--divisor=100..900"_s, u"--quotient=111..999"_s}
                                      << u"does not go with the divisor class 100..900"_s;
    QTest::newRow("fixed 1 with remainder") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--divisor"_s, u"fixed:1"_s, u"--remainder"_s}
                                            << u"a fixed divisor of 1 leaves no remainder"_s;
    QTest::newRow("malformed code") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--code"_s, u"#12U45-67890"_s} << u"malformed sheet code"_s;
    QTest::newRow("code too short") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--code"_s, u"#12345"_s} << u"malformed sheet code"_s;
    QTest::newRow("code with settings") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--code"_s, code, u"--quotient"_s, u"1..9"_s}
                                        << u"cannot be combined with --quotient"_s;
    QTest::newRow("code with sheets") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--sheets"_s, u"2"_s, u"--code"_s, code}
                                      << u"cannot be combined with --sheets"_s;
    QTest::newRow("code without FILE") << QStringList{u"--code"_s, code} << u"--code needs --pdf FILE"_s;
    QTest::newRow("option given twice") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--sheets"_s, u"2"_s, u"--sheets"_s, u"3"_s} << u"--sheets is given twice"_s;
    QTest::newRow("switch with a value") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--force=yes"_s} << u"--force takes no value"_s;
    QTest::newRow("data check with pdf") << QStringList{u"--data-check"_s, u"--pdf"_s, u"a.pdf"_s} << u"--data-check is for the window"_s;
}

void TestCommandLine::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const CommandLineResult result = parseCommandLine(QStringList{u"divisheet"_s} + arguments);
    QVERIFY(!result.ok());
    QVERIFY2(result.error.contains(message), qPrintable(result.error));
}

void TestCommandLine::goodArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected"); // mode file sheets quotient divisor remainder frames answers force
    QTest::newRow("no arguments: the window") << QStringList{} << u"window - 1 1..9 fixed:2 0 1 1 0"_s;
    QTest::newRow("data check") << QStringList{u"--data-check"_s} << u"window+check - 1 1..9 fixed:2 0 1 1 0"_s;
    QTest::newRow("help wins") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--help"_s} << u"help a.pdf 1 1..9 fixed:2 0 1 1 0"_s;
    QTest::newRow("pdf with the defaults") << QStringList{u"--pdf"_s, u"a.pdf"_s} << u"pdf a.pdf 1 1..9 fixed:2 0 1 1 0"_s;
    QTest::newRow("class set of the largest catalogue")
        << QStringList{u"--pdf=set.pdf"_s, u"--sheets"_s, u"100"_s, u"--divisor"_s, u"1000..9999"_s, u"--no-answers"_s, u"--force"_s}
        << u"pdf set.pdf 100 1..9 1000..9999 0 1 0 1"_s;
    QTest::newRow("fixed 9 with remainder, no frames")
        << QStringList{u"--no-frames"_s, u"--remainder"_s, u"--divisor=fixed:9"_s, u"--quotient"_s, u"111..999"_s, u"--pdf"_s, u"x y.pdf"_s}
        << u"pdf x y.pdf 1 111..999 fixed:9 1 0 1 0"_s;
    QTest::newRow("fixed 1 without remainder") << QStringList{u"--pdf"_s, u"a.pdf"_s, u"--divisor"_s, u"fixed:1"_s}
                                               << u"pdf a.pdf 1 1..9 fixed:1 0 1 1 0"_s;
}

void TestCommandLine::goodArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const CommandLineResult result = parseCommandLine(QStringList{u"divisheet"_s} + arguments);
    QVERIFY2(result.ok(), qPrintable(result.error));
    const CommandLineOptions &o = result.options;
    const QString mode = o.mode == CommandLineOptions::Mode::Pdf ? u"pdf"_s
        : o.mode == CommandLineOptions::Mode::Help               ? u"help"_s
                                                                 : (o.dataCheck ? u"window+check"_s : u"window"_s);
    QCOMPARE(QStringList({mode, o.pdfFile.isEmpty() ? u"-"_s : o.pdfFile, QString::number(o.sheets),
                          quotientClassName(o.settings.quotient),
                          divisorClassName(o.settings.divisor, o.settings.fixedDivisor),
                          QString::number(o.settings.withRemainder), QString::number(o.framesShown),
                          QString::number(o.answersIncluded), QString::number(o.force)})
                 .join(u' '),
             expected);
    QVERIFY(!o.code);
}

void TestCommandLine::helpNamesEveryOption()
{
    const QString help = commandLineHelp();
    for (const char *option : {"--pdf FILE", "--sheets N", "--divisor", "--quotient", "--remainder", "--no-frames",
                               "--no-answers", "--code CODE", "--force", "--help", "--data-check", "fixed:F",
                               "1000..9999", "111..999"})
        QVERIFY2(help.contains(QLatin1String(option)), option);

    // A code brings its own settings along.
    const CommandLineResult result = parseCommandLine({u"divisheet"_s, u"--pdf"_s, u"a.pdf"_s, u"--code"_s, startUpCode()});
    QVERIFY2(result.ok() && result.options.code, qPrintable(result.error));
    QCOMPARE(result.options.code->seeds.drawSeed, 45'296'789u);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
