// The command line: every bad argument names what is wrong; good ones give the options.

#include "app/CommandLine.h"
#include "sheet/SheetMaker.h"

#include <QtTest>

using namespace divisheet;
using namespace Qt::Literals::StringLiterals;

namespace {

CommandLineResult parse(const QString &arguments)
{
    QList<QByteArray> argv{"divisheet"};
    for (const QString &argument : arguments.split(u' ', Qt::SkipEmptyParts))
        argv << QByteArray::fromPercentEncoding(argument.toUtf8());
    return parseCommandLine(argv);
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void arguments_data()
    {
        QTest::addColumn<QString>("arguments"); // split at spaces; %XX is the byte XX
        // "error: " and a part of the message, or the options:
        // mode file sheets quotient divisor remainder frames answers force code's draw seed
        QTest::addColumn<QString>("expected");
        SheetRecipe startUp;
        startUp.settings = startUpSettings();
        startUp.seeds.drawSeed = 45'296'789;
        const QString code = encodeSheetCode(startUp);
        QTest::newRow("unknown option") << u"--pdf a.pdf --colour"_s << u"error: unknown option --colour"_s;
        QTest::newRow("stray argument") << u"a.pdf"_s << u"error: unexpected argument a.pdf"_s;
        QTest::newRow("--pdf without FILE") << u"--pdf"_s << u"error: --pdf needs a value"_s;
        QTest::newRow("--pdf followed by an option") << u"--pdf --force"_s << u"error: --pdf needs a value"_s;
        QTest::newRow("--pdf= empty") << u"--pdf="_s << u"error: --pdf needs a value"_s;
        QTest::newRow("missing FILE") << u"--sheets 3"_s << u"error: --sheets needs --pdf FILE"_s;
        QTest::newRow("missing FILE for a switch") << u"--remainder"_s << u"error: --remainder needs --pdf FILE"_s;
        QTest::newRow("sheets 0") << u"--pdf a.pdf --sheets 0"_s << u"error: must be 1 to 100"_s;
        QTest::newRow("sheets 101") << u"--pdf a.pdf --sheets=101"_s << u"error: must be 1 to 100"_s;
        QTest::newRow("sheets not a number") << u"--pdf a.pdf --sheets ten"_s << u"error: --sheets ten"_s;
        QTest::newRow("sheets negative") << u"--pdf a.pdf --sheets=-3"_s << u"error: must be 1 to 100"_s;
        QTest::newRow("fixed 0") << u"--pdf a.pdf --divisor fixed:0"_s << u"error: fixed divisor must be 1 to 9"_s;
        QTest::newRow("fixed 10") << u"--pdf a.pdf --divisor fixed:10"_s << u"error: fixed divisor must be 1 to 9"_s;
        QTest::newRow("fixed without F") << u"--pdf a.pdf --divisor fixed:"_s << u"error: fixed divisor must be 1 to 9"_s;
        QTest::newRow("divisor class unknown") << u"--pdf a.pdf --divisor 1..99"_s << u"error: unknown divisor class"_s;
        QTest::newRow("title-line spelling is not a class") << u"--pdf a.pdf --divisor 1000..9000"_s << u"error: unknown divisor class"_s;
        QTest::newRow("quotient class unknown") << u"--pdf a.pdf --quotient 1000..9999"_s << u"error: unknown quotient class"_s;
        QTest::newRow("combination that does not exist") << u"--pdf a.pdf --divisor 1000..9999 --quotient 10..90"_s << u"error: the quotient class 10..90 does not go with the divisor class 1000..9999"_s;
        QTest::newRow("three-digit pair") << u"--pdf a.pdf --divisor=100..900 --quotient=111..999"_s << u"error: does not go with the divisor class 100..900"_s;
        QTest::newRow("fixed 1 with remainder") << u"--pdf a.pdf --divisor fixed:1 --remainder"_s << u"error: a fixed divisor of 1 leaves no remainder"_s;
        QTest::newRow("malformed code") << u"--pdf a.pdf --code #12U45-67890"_s << u"error: malformed sheet code"_s;
        QTest::newRow("code too short") << u"--pdf a.pdf --code #12345"_s << u"error: malformed sheet code"_s;
        QTest::newRow("code with settings") << u"--pdf a.pdf --code "_s + code + u" --quotient 1..9"_s << u"error: cannot be combined with --quotient"_s;
        QTest::newRow("code with sheets") << u"--pdf a.pdf --sheets 2 --code "_s + code << u"error: cannot be combined with --sheets"_s;
        QTest::newRow("code without FILE") << u"--code "_s + code << u"error: --code needs --pdf FILE"_s;
        QTest::newRow("option given twice") << u"--pdf a.pdf --sheets 2 --sheets 3"_s << u"error: --sheets is given twice"_s;
        QTest::newRow("switch with a value") << u"--pdf a.pdf --force=yes"_s << u"error: --force takes no value"_s;
        QTest::newRow("data check with pdf") << u"--data-check --pdf a.pdf"_s << u"error: --data-check is for the window"_s;
        QTest::newRow("no arguments: the window") << QString() << u"window - 1 1..9 fixed:2 0 1 1 0 -"_s;
        QTest::newRow("data check") << u"--data-check"_s << u"window+check - 1 1..9 fixed:2 0 1 1 0 -"_s;
        QTest::newRow("help wins") << u"--pdf a.pdf --help"_s << u"help a.pdf 1 1..9 fixed:2 0 1 1 0 -"_s;
        QTest::newRow("pdf with the defaults") << u"--pdf a.pdf"_s << u"pdf a.pdf 1 1..9 fixed:2 0 1 1 0 -"_s;
        QTest::newRow("class set of the largest catalogue") << u"--pdf=set.pdf --sheets 100 --divisor 1000..9999 --no-answers --force"_s << u"pdf set.pdf 100 1..9 1000..9999 0 1 0 1 -"_s;
        QTest::newRow("fixed 9 with remainder, no frames") << u"--no-frames --remainder --divisor=fixed:9 --quotient 111..999 --pdf xy.pdf"_s << u"pdf xy.pdf 1 111..999 fixed:9 1 0 1 0 -"_s;
        QTest::newRow("fixed 1 without remainder") << u"--pdf a.pdf --divisor fixed:1"_s << u"pdf a.pdf 1 1..9 fixed:1 0 1 1 0 -"_s;
        QTest::newRow("title of 41 characters") << u"--title "_s + QString(41, u'あ') << u"error: --title: a title may have at most 40 characters"_s;
        QTest::newRow("title without text") << u"--numbered --title"_s << u"error: --title needs a value"_s;
        QTest::newRow("code with more") << u"--pdf a.pdf --more --code "_s + code << u"error: cannot be combined with --more"_s;
        QTest::newRow("page options for the window") << u"--numbered --score --more --title 3年1組&わり算"_s << u"window - 1 1..9 fixed:2 0 1 1 0 - page 1 1 1 3年1組&わり算"_s;
        QTest::newRow("title of 40 characters, code") << u"--pdf a.pdf --title "_s + QString(40, u'あ') + u" --code "_s + code << u"pdf a.pdf 1 1..9 fixed:2 0 1 1 0 45296789 page 0 0 0 "_s + QString(40, u'あ');
        QTest::newRow("a name that is not UTF-8") << u"--pdf %FF.pdf"_s << u"error: the argument \\xff.pdf is not UTF-8 text"_s;
        QTest::newRow("a character cut short") << u"--pdf=%E3%81.pdf"_s << u"error: the argument --pdf=\\xe3\\x81.pdf is not UTF-8 text"_s;
        QTest::newRow("a name of UTF-8 bytes") << u"--pdf %E3%81%82.pdf"_s << u"pdf あ.pdf 1 1..9 fixed:2 0 1 1 0 -"_s;
        QTest::newRow("0 in a one-digit quotient") << u"--pdf a.pdf --zero-in-quotient all"_s << u"error: --zero-in-quotient all: a quotient of 1..9 has one digit"_s;
        QTest::newRow("corrections, fixed divisor") << u"--pdf a.pdf --quotient 11..99 --corrections 1"_s << u"error: --corrections: a divisor of one digit"_s;
        QTest::newRow("mixed with --remainder") << u"--pdf a.pdf --mixed-remainder --remainder"_s << u"error: cannot be combined with --remainder"_s;
        QTest::newRow("mixed, fixed 1") << u"--pdf a.pdf --divisor fixed:1 --mixed-remainder"_s << u"error: --mixed-remainder: mixed remainders need problems with a remainder"_s;
        QTest::newRow("estimate alone") << u"--pdf a.pdf --divisor 11..99 --estimate floor"_s << u"error: it needs --corrections"_s;
        QTest::newRow("six digits") << u"--pdf a.pdf --dividend-digits 6"_s << u"error: --dividend-digits 6: a dividend has 1 to 5 digits"_s;
        QTest::newRow("presence unknown") << u"--late-start some"_s << u"error: --late-start some: use all or none"_s;
        QTest::newRow("corrections unknown") << u"--pdf a.pdf --corrections 3"_s << u"error: --corrections 3: use 0, 1, 2+ or from9"_s;
        QTest::newRow("no problem has it") << u"--pdf a.pdf --quotient 11..99 --divisor 1..9 --late-start all --dividend-digits 2"_s << u"error: --late-start and --dividend-digits: no problem of these settings has that focus"_s;
        QTest::newRow("focus with a code") << u"--pdf a.pdf --code "_s + code + u" --late-start none"_s << u"error: cannot be combined with --late-start"_s;
        QTest::newRow("a lesson's focus") << u"--pdf a.pdf --quotient 11..99 --divisor 11..99 --corrections 2+ --estimate floor --late-start none"_s << u"pdf a.pdf 1 11..99 11..99 0 1 1 0 - focus 首位に商がたつ・仮商修正2回以上・切り捨て"_s;
        QTest::newRow("mixing lays out for remainders") << u"--pdf a.pdf --mixed-remainder --dividend-digits=2"_s << u"pdf a.pdf 1 1..9 fixed:2 1 1 1 0 - focus あまりまぜる・わられる数2けた"_s;
        QTest::newRow("focus for the window") << u"--mixed-remainder"_s << u"window - 1 1..9 fixed:2 1 1 1 0 - focus あまりまぜる"_s;
        QTest::newRow("serve with the defaults") << u"serve"_s << u"serve 127.0.0.1 8080 0"_s;
        QTest::newRow("serve on every network") << u"serve --listen 0.0.0.0:80 --workers=3"_s << u"serve 0.0.0.0 80 3"_s;
        QTest::newRow("serve on IPv6, localhost") << u"serve --listen=[::1]:8443"_s << u"serve ::1 8443 0"_s;
        QTest::newRow("serve localhost") << u"serve --listen localhost:9000"_s << u"serve 127.0.0.1 9000 0"_s;
        QTest::newRow("listen without port") << u"serve --listen 127.0.0.1"_s << u"error: --listen 127.0.0.1: use an address and a port"_s;
        QTest::newRow("listen on a name") << u"serve --listen school:8080"_s << u"error: --listen school:8080: use an address"_s;
        QTest::newRow("IPv6 without brackets") << u"serve --listen ::1:8080"_s << u"error: --listen ::1:8080: use an address"_s;
        QTest::newRow("port 0") << u"serve --listen 127.0.0.1:0"_s << u"error: --listen 127.0.0.1:0: the port must be 1 to 65535"_s;
        QTest::newRow("port 65536") << u"serve --listen 127.0.0.1:65536"_s << u"error: the port must be 1 to 65535"_s;
        QTest::newRow("workers 0") << u"serve --workers 0"_s << u"error: --workers 0: the number of workers must be 1 to 64"_s;
        QTest::newRow("workers 65") << u"serve --workers 65"_s << u"error: --workers 65: the number of workers must be 1 to 64"_s;
        QTest::newRow("serve with a setting") << u"serve --sheets 3"_s << u"error: --sheets cannot be used with serve"_s;
        QTest::newRow("serve with a file") << u"serve --pdf a.pdf"_s << u"error: --pdf cannot be used with serve"_s;
        QTest::newRow("listen without serve") << u"--pdf a.pdf --listen 127.0.0.1:80"_s << u"error: --listen is for divisheet serve"_s;
        QTest::newRow("serve later is a stray word") << u"--numbered serve"_s << u"error: unexpected argument serve"_s;
        QTest::newRow("a code without its #") << u"--pdf a.pdf --code "_s + code.mid(1) << u"pdf a.pdf 1 1..9 fixed:2 0 1 1 0 45296789"_s;
    }

    void arguments()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, expected);
        const CommandLineResult result = parse(arguments);
        if (expected.startsWith(u"error: ")) {
            QVERIFY2(result.error.contains(expected.mid(7)), qPrintable(result.error));
            return;
        }
        QVERIFY2(result.ok(), qPrintable(result.error));
        const CommandLineOptions &o = result.options;
        if (o.mode == CommandLineOptions::Mode::Serve) {
            QCOMPARE(u"serve %1 %2 %3"_s.arg(o.listenAddress).arg(o.listenPort).arg(o.workers), expected);
            return;
        }
        const QString mode = o.mode == CommandLineOptions::Mode::Pdf ? u"pdf"_s
            : o.mode == CommandLineOptions::Mode::Help               ? u"help"_s
                                                                     : (o.dataCheck ? u"window+check"_s : u"window"_s);
        QCOMPARE(QStringList({mode, o.pdfFile.isEmpty() ? u"-"_s : o.pdfFile, QString::number(o.sheets),
                              quotientClassName(o.settings.quotient),
                              divisorClassName(o.settings.divisor, o.settings.fixedDivisor),
                              QString::number(o.settings.withRemainder), QString::number(o.framesShown),
                              QString::number(o.answersIncluded), QString::number(o.force),
                              o.code ? QString::number(o.code->seeds.drawSeed) : u"-"_s})
                     .join(u' ') + (o.page.isDefault() ? QString() : u" page %1 %2 %3 %4"_s.arg(o.page.numbered)
                                    .arg(o.page.scoreBox).arg(o.page.more).arg(o.page.title))
                     + (o.settings.focus.isSet() ? u" focus "_s + focusWords(o.settings.focus) : QString()),
                 expected);
    }

    // Every option --help lists is one the command line reads, with a value where the help shows one.
    void helpOptions_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("takesValue");
        static const QRegularExpression line(u"^  (--[a-z0-9-]+)( [A-Za-z0-9|+:]+)?(  |\n)"_s,
                                             QRegularExpression::MultilineOption);
        int lines = 0;
        for (const QRegularExpressionMatch &m : line.globalMatch(commandLineHelp())) {
            QTest::newRow(qPrintable(m.captured(1))) << m.captured(1) << m.hasCaptured(2);
            ++lines;
        }
        QCOMPARE(lines, 23); // one for each option the command line reads
    }

    void helpOptions()
    {
        QFETCH(QString, option);
        QFETCH(bool, takesValue);
        QCOMPARE(parse(takesValue ? option : option + u"=1"_s).error,
                 option + (takesValue ? u" needs a value; see --help"_s : u" takes no value"_s));
    }

    // The help names the classes and their combinations as the rule table has them (the help
    // makes these lines from it; they were read through once and are kept as they read).
    void helpClasses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotient classes") << u"--quotient CLASS 1..9, 10..90, 11..99, 100..900, 101..909, 110..990 or 111..999 (default 1..9)"_s;
        QTest::newRow("divisor classes") << u"--divisor CLASS fixed:F (F from 1 to 9), 1..9, 10..90, 11..99, 100..900, 101..909, 110..990, 111..999 or 1000..9999 (default fixed:2)"_s;
        QTest::newRow("combinations") << u"1000..9999 takes only quotients 1..9; 100..900 to 111..999 take quotients 1..9, 10..90 and 11..99; a fixed divisor and 1..9 to 11..99 take every quotient class."_s;
    }
    void helpClasses()
    {
        QFETCH(QString, text);
        QVERIFY2(commandLineHelp().simplified().contains(text), qPrintable(commandLineHelp()));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
