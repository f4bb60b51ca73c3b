#include "app/CommandLine.h"

#include "sheet/ClassSet.h"
#include "sheet/FocusedCatalogue.h"
#include "sheet/SheetMaker.h"

#include <QFile>
#include <QHostAddress>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <map>
#include <vector>

namespace divisheet {

using namespace Qt::Literals::StringLiterals;

namespace {

using Options = CommandLineOptions;

// "a, b and c": the items with `conjunction` before the last.
QString listText(QStringList items, const QString &conjunction)
{
    const QString last = items.size() > 1 ? u' ' + conjunction + u' ' + items.takeLast() : QString();
    return items.join(u", ") + last;
}


QStringList quotientNames()
{
    QStringList names;
    for (const QuotientClass q : allQuotientClasses)
        names << quotientClassName(q);
    return names;
}

// Every divisor class, a fixed divisor, which has no one name, written as `fixed`.
QStringList divisorNames(const QString &fixed)
{
    QStringList names;
    for (const DivisorClass d : allDivisorClasses)
        names << (d == DivisorClass::Fixed ? fixed : divisorClassName(d, 0));
    return names;
}

QString applyDivisor(const QString &value, Options &o)
{
    static const QString fixedPrefix = u"fixed:"_s;
    if (value.startsWith(fixedPrefix)) {
        bool number = false;
        const int f = value.mid(fixedPrefix.size()).toInt(&number);
        if (!number || f < 1 || f > 9)
            return u"--divisor %1: a fixed divisor must be 1 to 9"_s.arg(value);
        o.settings.divisor = DivisorClass::Fixed;
        o.settings.fixedDivisor = f;
        return {};
    }
    const qsizetype d = divisorNames(QString()).indexOf(value); // a value is never empty
    if (d < 0) {
        const QString names = divisorNames(u"fixed:1 .. fixed:9"_s).join(u", ");
        return u"--divisor %1: unknown divisor class; use one of %2"_s.arg(value, names);
    }
    o.settings.divisor = allDivisorClasses[d];
    return {};
}

QString applyQuotient(const QString &value, Options &o)
{
    const QStringList names = quotientNames();
    if (!names.contains(value))
        return u"--quotient %1: unknown quotient class; use one of %2"_s.arg(value, names.join(u", "));
    o.settings.quotient = allQuotientClasses[names.indexOf(value)];
    return {};
}

QString applySheets(const QString &value, Options &o)
{
    bool number = false;
    o.sheets = value.toInt(&number);
    if (!number || o.sheets < 1 || o.sheets > maxClassSetSize)
        return u"--sheets %1: the number of sheets must be 1 to %2"_s.arg(value).arg(maxClassSetSize);
    return {};
}

QString applyCode(const QString &value, Options &o)
{
    const SheetCodeResult decoded = decodeSheetCode(value);
    o.code = decoded.recipe;
    return decoded.recipe ? QString() : u"--code %1: %2"_s.arg(value, decoded.error);
}

// A choice among `names`, given as the option's value, or the error that lists them.
template <typename Choice>
QString applyChoice(const QString &option, const QString &value, const QStringList &names,
                    const std::vector<Choice> &choices, Choice &chosen)
{
    const qsizetype at = names.indexOf(value);
    if (at < 0)
        return u"%1 %2: use %3"_s.arg(option, value, listText(names, u"or"_s));
    chosen = choices[std::size_t(at)];
    return {};
}

QString applyPresence(const QString &option, const QString &value, Presence &presence)
{
    return applyChoice(option, value, {u"all"_s, u"none"_s}, {Presence::Always, Presence::Never}, presence);
}

QString applyCorrections(const QString &value, Options &o)
{
    using C = CorrectionFocus;
    return applyChoice(u"--corrections"_s, value, {u"0"_s, u"1"_s, u"2+"_s, u"from9"_s},
                       {C::None, C::One, C::TwoOrMore, C::FromNine}, o.settings.focus.corrections);
}

QString applyEstimate(const QString &value, Options &o)
{
    return applyChoice(u"--estimate"_s, value, {u"round"_s, u"floor"_s}, {Estimate::Round, Estimate::Floor},
                       o.settings.focus.estimate);
}

QString applyDividendDigits(const QString &value, Options &o)
{
    bool number = false;
    const int digits = value.toInt(&number);
    if (!number || digits < 1 || digits > 5)
        return u"--dividend-digits %1: a dividend has 1 to 5 digits"_s.arg(value);
    o.settings.focus.dividendDigits = digits;
    return {};
}

// ADDR:PORT, an IPv6 address in brackets ([::1]:8080); "localhost" stands for 127.0.0.1.
QString applyListen(const QString &value, Options &o)
{
    const qsizetype colon = value.lastIndexOf(u':');
    QString host = value.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    else if (host.contains(u':'))
        host.clear(); // an IPv6 address without brackets: its port cannot be told apart
    if (host == u"localhost")
        host = u"127.0.0.1"_s;
    bool number = false;
    const int port = value.mid(colon + 1).toInt(&number);
    if (colon < 0 || host.isEmpty() || QHostAddress(host).isNull())
        return u"--listen %1: use an address and a port, such as 127.0.0.1:8080, 0.0.0.0:8080 or [::1]:8080"_s.arg(value);
    if (!number || port < 1 || port > 65535)
        return u"--listen %1: the port must be 1 to 65535"_s.arg(value);
    o.listenAddress = host;
    o.listenPort = port;
    return {};
}

QString applyWorkers(const QString &value, Options &o)
{
    bool number = false;
    o.workers = value.toInt(&number);
    if (!number || o.workers < 1 || o.workers > 64)
        return u"--workers %1: the number of workers must be 1 to 64"_s.arg(value);
    return {};
}

QString applyTitle(const QString &value, Options &o)
{
    const FittedTitle fitted = fitTitle(value);
    o.page.title = fitted.text;
    return fitted.cut ? u"--title: a title may have at most %1 characters"_s.arg(kTitleMaxLength) : QString();
}

// What sets an option apart: it needs --pdf FILE; --code, which brings back the settings its sheet
// records (the page's options and the focus too, all but the title), excludes it; --help lists
// it with the page's or with the focus's options.
enum Trait : unsigned { Anywhere = 0, NeedsPdf = 1, NotWithCode = 2, PageOption = 4, FocusOption = 8, ServeOption = 16 };
constexpr unsigned Sections = PageOption | FocusOption | ServeOption;
constexpr unsigned Setting = NeedsPdf | NotWithCode; // a setting of the PDF's sheets

struct Option
{
    QString name;
    QString value; // the help's word for the option's value; empty for a switch
    unsigned traits;
    QString help; // one paragraph, which --help breaks into lines
    QString (*apply)(const QString &value, Options &o); // the error, or empty
};

// Every option, in the order of --help; of several at fault, an error names the first.
const std::vector<Option> &optionTable()
{
    using V = const QString &;
    const ProblemSettings startUp = startUpSettings();
    static const std::vector<Option> table = {
        {u"--pdf"_s, u"FILE"_s, Anywhere, u"write the sheets to FILE"_s,
         [](V value, Options &o) { o.pdfFile = value; return QString(); }},
        {u"--sheets"_s, u"N"_s, Setting,
         u"a class set of N different sheets, 1 to %1 (default 1)"_s.arg(maxClassSetSize), applySheets},
        {u"--divisor"_s, u"CLASS"_s, Setting,
         u"%1 (default %2)"_s.arg(listText(divisorNames(u"fixed:F (F from 1 to 9)"_s), u"or"_s),
                                  divisorClassName(startUp.divisor, startUp.fixedDivisor)),
         applyDivisor},
        {u"--quotient"_s, u"CLASS"_s, Setting,
         u"%1 (default %2)"_s.arg(listText(quotientNames(), u"or"_s), quotientClassName(startUp.quotient)),
         applyQuotient},
        {u"--remainder"_s, {}, Setting, u"problems with a remainder (default: none)"_s,
         [](V, Options &o) { o.settings.withRemainder = true; return QString(); }},
        {u"--no-frames"_s, {}, Setting, u"no place-value frame lines"_s,
         [](V, Options &o) { o.framesShown = false; return QString(); }},
        {u"--no-answers"_s, {}, Setting, u"no answers pages"_s,
         [](V, Options &o) { o.answersIncluded = false; return QString(); }},
        {u"--code"_s, u"CODE"_s, NeedsPdf,
         u"make the sheet of a sheet code such as #40B1B-6B4N9 again, with the settings it records; leave "
         "out the # (or quote the code): a shell takes # for the start of a comment"_s, applyCode},
        {u"--force"_s, {}, NeedsPdf,
         u"replace FILE if it exists as a file or a link (default: keep it and stop), never a folder, device "
         "or FIFO"_s, [](V, Options &o) { o.force = true; return QString(); }},
        {u"--data-check"_s, {}, Anywhere, u"add the data-check panel's switch to the window"_s,
         [](V, Options &o) { o.dataCheck = true; return QString(); }},
        {u"--help"_s, {}, Anywhere, u"show this text"_s,
         [](V, Options &o) { o.mode = Options::Mode::Help; return QString(); }},
        {u"--numbered"_s, {}, PageOption | NotWithCode, u"number the problems 1, 2, 3 ... in reading order"_s,
         [](V, Options &o) { o.page.numbered = true; return QString(); }},
        {u"--score"_s, {}, PageOption | NotWithCode, u"a score box at the end of the date-and-name line"_s,
         [](V, Options &o) { o.page.scoreBox = true; return QString(); }},
        {u"--title"_s, u"TEXT"_s, PageOption,
         u"the page's own title, up to %1 characters; the settings line then moves to the page foot"_s.arg(
             kTitleMaxLength), applyTitle},
        {u"--more"_s, {}, PageOption | NotWithCode,
         u"more problems on the page, in a smaller size: half as many again to twice as many; a setting with "
         "fewer problems than that gets all of them, in the largest size that holds them"_s,
         [](V, Options &o) { o.page.more = true; return QString(); }},
        {u"--zero-in-quotient"_s, u"all|none"_s, FocusOption | NotWithCode,
         u"every problem's quotient has a 0 after its first digit (642 ÷ 6 = 107), or none has"_s,
         [](V value, Options &o) { return applyPresence(u"--zero-in-quotient"_s, value, o.settings.focus.zeroInQuotient); }},
        {u"--late-start"_s, u"all|none"_s, FocusOption | NotWithCode,
         u"every problem's quotient starts one place right, its dividend's leading digits being smaller than "
         "the divisor (252 ÷ 6), or none does"_s,
         [](V value, Options &o) { return applyPresence(u"--late-start"_s, value, o.settings.focus.lateStart); }},
        {u"--corrections"_s, u"0|1|2+|from9"_s, FocusOption | NotWithCode,
         u"for divisors of two or more digits: how often the quotient digit estimated with the divisor rounded "
         "to its highest place must be corrected (76 ÷ 19: 3, then 4, once), or from9: some estimate is 10 or "
         "more, so the pupil starts from 9"_s, applyCorrections},
        {u"--estimate"_s, u"round|floor"_s, FocusOption | NotWithCode,
         u"with --corrections: the divisor rounded half up (default) or with its lower digits dropped"_s,
         applyEstimate},
        {u"--mixed-remainder"_s, {}, FocusOption | NotWithCode,
         u"half the problems with a remainder and half without, in random places"_s,
         [](V, Options &o) { o.settings.focus.mixedRemainder = true; return QString(); }},
        {u"--dividend-digits"_s, u"N"_s, FocusOption | NotWithCode, u"dividends of exactly N digits, 1 to 5"_s,
         applyDividendDigits},
        {u"--listen"_s, u"ADDR:PORT"_s, ServeOption,
         u"the address and port to answer on (default 127.0.0.1:8080, this computer only; 0.0.0.0:8080 for "
         "every network it is on)"_s, applyListen},
        {u"--workers"_s, u"N"_s, ServeOption,
         u"make at most N requests' sheets at once, each in a process of its own, 1 to 64 (default: one per "
         "processor core)"_s, applyWorkers},
    };
    return table;
}

// The first option of the table with `trait` that the command line gives; empty for none.
QString firstGiven(const QSet<QString> &seen, Trait trait)
{
    for (const Option &option : optionTable()) {
        if ((option.traits & trait) && seen.contains(option.name))
            return option.name;
    }
    return {};
}

// The focus options given, as the command line wrote them.
QString givenFocusOptions(const QSet<QString> &seen)
{
    QStringList given;
    for (const Option &option : optionTable()) {
        if ((option.traits & FocusOption) && seen.contains(option.name))
            given << option.name;
    }
    return listText(given, u"and"_s);
}

// A focus that no problem of the settings has, named by the option that asks for it. Mixing
// remainders lays the sheet out for remainders.
QString checkFocus(ProblemSettings &settings, const QSet<QString> &seen)
{
    if (seen.contains(u"--estimate"_s) && !seen.contains(u"--corrections"_s))
        return u"--estimate tells how corrections are counted; it needs --corrections"_s;
    if (settings.focus.mixedRemainder) {
        if (seen.contains(u"--remainder"_s))
            return u"--mixed-remainder mixes problems with and without a remainder; "
                   "it cannot be combined with --remainder"_s;
        settings.withRemainder = true;
    }
    const QString why = focusProblem(settings);
    switch (focusFault(settings)) {
    case FocusFault::None: return {};
    case FocusFault::ZeroInOneDigitQuotient: return u"--zero-in-quotient all: "_s + why;
    case FocusFault::CorrectionsOneDigitDivisor: return u"--corrections: "_s + why;
    case FocusFault::DividendDigits: return u"--dividend-digits: "_s + why;
    case FocusFault::MixedWithoutRemainders: return u"--mixed-remainder: "_s + why;
    case FocusFault::NoProblem: return givenFocusOptions(seen) + u": "_s + why;
    }
    return why;
}

// What the options given (`seen`) say together: --pdf's options without it, --code
// with settings of its own, a combination of classes that has no problems.
QString checkCombination(CommandLineOptions &o, const QSet<QString> &seen)
{
    if (o.mode == CommandLineOptions::Mode::Serve) {
        for (const Option &option : optionTable()) {
            if (!(option.traits & ServeOption) && seen.contains(option.name))
                return u"%1 cannot be used with serve, which takes --listen and --workers alone; the "
                       "settings of each sheet come with its request"_s.arg(option.name);
        }
        return {};
    }
    if (const QString serveOnly = firstGiven(seen, ServeOption); !serveOnly.isEmpty())
        return u"%1 is for divisheet serve"_s.arg(serveOnly);
    if (!o.pdfFile.isEmpty()) {
        o.mode = CommandLineOptions::Mode::Pdf;
        if (o.dataCheck)
            return u"--data-check is for the window and cannot be used with --pdf"_s;
    } else if (const QString pdfOnly = firstGiven(seen, NeedsPdf); !pdfOnly.isEmpty()) {
        return u"%1 needs --pdf FILE, the file to write"_s.arg(pdfOnly);
    }
    if (!o.code) {
        if (const QString focus = checkFocus(o.settings, seen); !focus.isEmpty())
            return focus;
        return settingsProblem(o.settings);
    }
    if (const QString setting = firstGiven(seen, NotWithCode); !setting.isEmpty())
        return u"--code brings back one sheet with its own settings; "
               "it cannot be combined with %1"_s.arg(setting);
    return {};
}

// `bytes` as text, each byte that is not part of a UTF-8 character as \xHH.
QString printableBytes(const QByteArray &bytes)
{
    QString text;
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar lead = uchar(bytes[i]);
        const qsizetype length = lead < 0x80 ? 1 : lead < 0xc2 ? 0 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : lead < 0xf5 ? 4 : 0;
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString character = decoder.decode(bytes.mid(i, length));
        if (length == 0 || i + length > bytes.size() || decoder.hasError()) {
            text += u"\\x%1"_s.arg(uint(lead), 2, 16, QChar(u'0'));
            ++i;
        } else {
            text += character;
            i += length;
        }
    }
    return text;
}

CommandLineResult parseTexts(const QStringList &arguments)
{
    CommandLineResult result;
    CommandLineOptions &o = result.options;
    QSet<QString> seen;
    // `serve` is a word of its own before the options, as a subcommand is.
    const bool serve = arguments.value(1) == u"serve";
    if (serve)
        o.mode = CommandLineOptions::Mode::Serve;
    for (int i = serve ? 2 : 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = argument.startsWith(u"--") && equals > 0 ? argument.left(equals) : argument;
        const auto option = std::find_if(optionTable().begin(), optionTable().end(),
                                         [&name](const Option &known) { return known.name == name; });
        if (option == optionTable().end()) {
            result.error = argument.startsWith(u'-') ? u"unknown option %1; see --help"_s.arg(argument)
                                                      : u"unexpected argument %1; see --help"_s.arg(argument);
            return result;
        }
        if (seen.contains(name)) {
            result.error = u"%1 is given twice"_s.arg(name);
            return result;
        }
        seen.insert(name);
        QString value;
        if (!option->value.isEmpty()) {
            if (equals > 0)
                value = argument.mid(equals + 1);
            else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(u"--"))
                value = arguments[++i];
            if (value.isEmpty()) {
                result.error = u"%1 needs a value; see --help"_s.arg(name);
                return result;
            }
        } else if (equals > 0) {
            result.error = u"%1 takes no value"_s.arg(name);
            return result;
        }
        result.error = option->apply(value, o);
        if (!result.error.isEmpty())
            return result;
    }
    if (o.mode != CommandLineOptions::Mode::Help)
        result.error = checkCombination(o, seen);
    return result;
}

constexpr int helpWidth = 80; // a terminal's columns
constexpr int helpColumn = 20; // where the text of an option starts

// `line` and then the words of `text`, broken into lines of at most helpWidth characters,
// the later lines indented by `indent` spaces.
QString wrapped(QString line, const QString &text, int indent)
{
    QString lines;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.trimmed().isEmpty() && line.size() + 1 + word.size() > helpWidth) {
            lines += line + u'\n';
            line = QString(indent, u' ');
        }
        line += line.isEmpty() || line.endsWith(u' ') ? word : u' ' + word;
    }
    return lines + line + u'\n';
}

// The help's lines of the options of `section`: PageOption, FocusOption or neither (Anywhere).
QString optionLines(Trait section)
{
    QString lines;
    for (const Option &option : optionTable()) {
        const QString head = option.value.isEmpty() ? option.name : option.name + u' ' + option.value;
        if ((option.traits & Sections) != section)
            continue;
        // A head too long for its column stands on a line of its own.
        if (head.size() > helpColumn - 4)
            lines += u"  "_s + head + u'\n' + wrapped(QString(helpColumn, u' '), option.help, helpColumn);
        else
            lines += wrapped(u"  "_s + head.leftJustified(helpColumn - 4) + u"  "_s, option.help, helpColumn);
    }
    return lines;
}

// The divisor classes of `group`, in the panel's order, for a sentence: three or more
// neighbours read "first to last".
QString divisorsText(const QList<DivisorClass> &group)
{
    auto name = [](DivisorClass d) {
        return d == DivisorClass::Fixed ? u"a fixed divisor"_s : divisorClassName(d, 0);
    };
    QStringList items;
    for (qsizetype first = 0, last = 0; first < group.size(); first = ++last) {
        while (last + 1 < group.size() && int(group[last + 1]) == int(group[last]) + 1)
            ++last;
        if (last - first < 2 || group[first] == DivisorClass::Fixed)
            last = first;
        const QString firstName = name(group[first]);
        items << (last == first ? firstName : u"%1 to %2"_s.arg(firstName, name(group[last])));
    }
    return listText(items, u"and"_s);
}

// Which quotient classes go with which divisor classes: the divisor classes that take the same
// quotient classes together, those that take the fewest first.
QString combinationsSentence()
{
    std::map<std::pair<qsizetype, QStringList>, QList<DivisorClass>> groups; // by the quotients taken
    for (const DivisorClass d : allDivisorClasses) {
        QStringList taken;
        for (const QuotientClass q : allQuotientClasses) {
            if (isAllowedCombination(q, d))
                taken << quotientClassName(q);
        }
        groups[{taken.size(), taken}] << d;
    }
    QStringList clauses;
    for (const auto &[key, divisors] : groups) {
        const QStringList &taken = key.second;
        const QString quotients = taken.size() == quotientNames().size() ? u"every quotient class"_s
            : taken.isEmpty()                                            ? u"no quotient class"_s
            : (taken.size() == 1 ? u"only quotients "_s : u"quotients "_s) + listText(taken, u"and"_s);
        const QString verb = divisors.size() == 1 ? u"takes"_s : u"take"_s;
        clauses << u"%1 %2 %3"_s.arg(divisorsText(divisors), verb, quotients);
    }
    return u"Not every quotient class goes with every divisor class: %1."_s.arg(clauses.join(u"; "));
}

} // namespace

CommandLineOptions::CommandLineOptions() : settings(startUpSettings()) {}

CommandLineResult parseCommandLine(const QList<QByteArray> &arguments)
{
    QStringList texts;
    for (const QByteArray &argument : arguments) {
        texts << QFile::decodeName(argument);
        if (texts.size() > 1 && QFile::encodeName(texts.last()) != argument) {
            CommandLineResult result;
            result.error = u"the argument %1 is not UTF-8 text"_s.arg(printableBytes(argument));
            return result;
        }
    }
    return parseTexts(texts);
}

QString keptFileText(const EFileTaken &taken)
{
    switch (taken.kind()) {
    case EFileTaken::Kind::Exists:
        return u"%1 exists; it is kept (--force replaces it)"_s.arg(taken.fileName());
    case EFileTaken::Kind::Folder:
        return u"%1 is a folder"_s.arg(taken.fileName());
    case EFileTaken::Kind::Special:
        break;
    }
    return u"%1 is not a regular file; it is kept (--force replaces only files and links)"_s.arg(taken.fileName());
}

QString printableText(const QString &text)
{
    QString shown;
    for (const char32_t c : text.toUcs4()) {
        if (QChar::isPrint(c))
            shown += QString::fromUcs4(&c, 1);
        else if (c < 0x100)
            shown += u"\\x%1"_s.arg(uint(c), 2, 16, QChar(u'0'));
        else if (c < 0x10000)
            shown += u"\\u%1"_s.arg(uint(c), 4, 16, QChar(u'0'));
        else
            shown += u"\\U%1"_s.arg(uint(c), 8, 16, QChar(u'0'));
    }
    return shown;
}

std::vector<SheetOptionName> sheetOptionNames()
{
    std::vector<SheetOptionName> names;
    for (const Option &option : optionTable()) {
        if ((option.traits & (NotWithCode | PageOption | FocusOption)) || option.name == u"--code")
            names.push_back({option.name, !option.value.isEmpty()});
    }
    return names;
}

QString commandLineHelp()
{
    return uR"(Usage:
  divisheet [--data-check] [page options] [practice focus options]
  divisheet --pdf FILE [options] [page options] [practice focus options]
  divisheet serve [--listen ADDR:PORT] [--workers N]
  divisheet --help

Without --pdf, Divisheet opens its window; --data-check adds the data-check panel's
switch to the settings panel.

With --pdf, Divisheet writes worksheets to the PDF file FILE without opening a window:
the problems pages of every sheet, then (unless --no-answers) the answers pages in the
same order. Each page shows its sheet code, which brings that sheet back (--code).

With serve, Divisheet answers on the network without a display: a web page that makes
sheets (/), the same sheets as --pdf makes (/api/sheets.pdf, the options above as query
parameters), a picture of the problems page (/api/preview.png) and /healthz. It keeps no
state and has no log-in; it stops on SIGTERM or Ctrl-C once the requests in hand are
answered.

Options:
%1
Page options:
%2
Practice focus options (each problem of every sheet has the focus; for the window too):
%3
Server options (divisheet serve):
%5
%4
A focus that no problem of the settings has is refused; one that fewer problems
have than a page holds gives sheets of those there are, and says how many.

Exit status: 0 done, 1 the file could not be written (serve: the address could not be
taken), 2 bad usage or FILE kept.
)"_s.arg(optionLines(Anywhere), optionLines(PageOption), optionLines(FocusOption),
         wrapped({}, combinationsSentence(), 0), optionLines(ServeOption));
}

} // namespace divisheet
