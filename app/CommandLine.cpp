#include "app/CommandLine.h"

#include "sheet/ClassSet.h"
#include "sheet/SheetMaker.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>

namespace divisheet {

using namespace Qt::Literals::StringLiterals;

namespace {

// The options that only the PDF mode reads.
const QStringList pdfOptions = {u"--sheets"_s,    u"--divisor"_s,    u"--quotient"_s, u"--remainder"_s,
                                u"--no-frames"_s, u"--no-answers"_s, u"--code"_s,     u"--force"_s};
// The options that --code replaces with what its sheet records.
// (A code carries the page's options too, all but the title.)
const QStringList settingOptions = {u"--sheets"_s,    u"--divisor"_s,    u"--quotient"_s,
                                    u"--remainder"_s, u"--no-frames"_s,  u"--no-answers"_s,
                                    u"--numbered"_s,  u"--score"_s,      u"--more"_s};
const QStringList valueOptions = {u"--pdf"_s, u"--sheets"_s, u"--divisor"_s, u"--quotient"_s,
                                  u"--code"_s, u"--title"_s};
const QStringList switches = {u"--help"_s,       u"--data-check"_s, u"--remainder"_s,
                              u"--no-frames"_s,  u"--no-answers"_s, u"--force"_s,
                              u"--numbered"_s,   u"--score"_s,      u"--more"_s};

std::optional<QuotientClass> parseQuotient(const QString &value)
{
    for (const QuotientClass q : allQuotientClasses) {
        if (quotientClassName(q) == value)
            return q;
    }
    return std::nullopt;
}

std::optional<DivisorClass> parseDivisorClass(const QString &value)
{
    for (const DivisorClass d : allDivisorClasses) {
        if (d != DivisorClass::Fixed && divisorClassName(d, 0) == value)
            return d;
    }
    return std::nullopt;
}

QString quotientNames()
{
    QStringList names;
    for (const QuotientClass q : allQuotientClasses)
        names << quotientClassName(q);
    return names.join(u", ");
}

QString divisorNames()
{
    QStringList names{u"fixed:1 .. fixed:9"_s};
    for (const DivisorClass d : allDivisorClasses) {
        if (d != DivisorClass::Fixed)
            names << divisorClassName(d, 0);
    }
    return names.join(u", ");
}

QString applyDivisor(const QString &value, ProblemSettings &settings)
{
    static const QString fixedPrefix = u"fixed:"_s;
    if (value.startsWith(fixedPrefix)) {
        bool number = false;
        const int f = value.mid(fixedPrefix.size()).toInt(&number);
        if (!number || f < 1 || f > 9)
            return u"--divisor %1: a fixed divisor must be 1 to 9"_s.arg(value);
        settings.divisor = DivisorClass::Fixed;
        settings.fixedDivisor = f;
        return {};
    }
    const std::optional<DivisorClass> d = parseDivisorClass(value);
    if (!d)
        return u"--divisor %1: unknown divisor class; use one of %2"_s.arg(value, divisorNames());
    settings.divisor = *d;
    return {};
}

QString applyOption(const QString &name, const QString &value, CommandLineOptions &o)
{
    if (name == u"--help")
        o.mode = CommandLineOptions::Mode::Help;
    else if (name == u"--data-check")
        o.dataCheck = true;
    else if (name == u"--pdf")
        o.pdfFile = value;
    else if (name == u"--remainder")
        o.settings.withRemainder = true;
    else if (name == u"--no-frames")
        o.framesShown = false;
    else if (name == u"--no-answers")
        o.answersIncluded = false;
    else if (name == u"--force")
        o.force = true;
    else if (name == u"--numbered")
        o.page.numbered = true;
    else if (name == u"--score")
        o.page.scoreBox = true;
    else if (name == u"--more")
        o.page.more = true;
    else if (name == u"--title") {
        const FittedTitle fitted = fitTitle(value);
        if (fitted.cut)
            return u"--title: a title may have at most %1 characters"_s.arg(kTitleMaxLength);
        o.page.title = fitted.text;
    }
    else if (name == u"--divisor")
        return applyDivisor(value, o.settings);
    else if (name == u"--quotient") {
        const std::optional<QuotientClass> q = parseQuotient(value);
        if (!q)
            return u"--quotient %1: unknown quotient class; use one of %2"_s.arg(value, quotientNames());
        o.settings.quotient = *q;
    } else if (name == u"--sheets") {
        bool number = false;
        o.sheets = value.toInt(&number);
        if (!number || o.sheets < 1 || o.sheets > maxClassSetSize)
            return u"--sheets %1: the number of sheets must be 1 to %2"_s.arg(value).arg(maxClassSetSize);
    } else if (name == u"--code") {
        const SheetCodeResult decoded = decodeSheetCode(value);
        if (!decoded.recipe)
            return u"--code %1: %2"_s.arg(value, decoded.error);
        o.code = decoded.recipe;
    }
    return {};
}

// What the options given (`seen`) say together: --pdf's options without it, --code
// with settings of its own, a combination of classes that has no problems.
QString checkCombination(CommandLineOptions &o, const QSet<QString> &seen)
{
    if (!o.pdfFile.isEmpty()) {
        o.mode = CommandLineOptions::Mode::Pdf;
        if (o.dataCheck)
            return u"--data-check is for the window and cannot be used with --pdf"_s;
    } else {
        for (const QString &option : pdfOptions) {
            if (seen.contains(option))
                return u"%1 needs --pdf FILE, the file to write"_s.arg(option);
        }
    }
    if (!o.code)
        return settingsProblem(o.settings);
    for (const QString &option : settingOptions) {
        if (seen.contains(option))
            return u"--code brings back one sheet with its own settings; "
                   "it cannot be combined with %1"_s.arg(option);
    }
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
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = argument.startsWith(u"--") && equals > 0 ? argument.left(equals) : argument;
        if (!valueOptions.contains(name) && !switches.contains(name)) {
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
        if (valueOptions.contains(name)) {
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
        result.error = applyOption(name, value, o);
        if (!result.error.isEmpty())
            return result;
    }
    if (o.mode != CommandLineOptions::Mode::Help)
        result.error = checkCombination(o, seen);
    return result;
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

QString commandLineHelp()
{
    return uR"(Usage:
  divisheet [--data-check] [page options]
  divisheet --pdf FILE [options] [page options]
  divisheet --help

Without --pdf, Divisheet opens its window; --data-check adds the data-check panel's
switch to the settings panel.

With --pdf, Divisheet writes worksheets to the PDF file FILE without opening a window:
the problems pages of every sheet, then (unless --no-answers) the answers pages in the
same order. Each page shows its sheet code, which brings that sheet back (--code).

Options:
  --pdf FILE        write the sheets to FILE
  --sheets N        a class set of N different sheets, 1 to 100 (default 1)
  --divisor CLASS   fixed:F (F from 1 to 9), 1..9, 10..90, 11..99, 100..900,
                    101..909, 110..990, 111..999 or 1000..9999 (default fixed:2)
  --quotient CLASS  1..9, 10..90, 11..99, 100..900, 101..909, 110..990 or
                    111..999 (default 1..9)
  --remainder       problems with a remainder (default: none)
  --no-frames       no place-value frame lines
  --no-answers      no answers pages
  --code CODE       make the sheet of a sheet code such as #40B1B-6B4N9 again,
                    with the settings it records; leave out the # (or quote
                    the code): a shell takes # for the start of a comment
  --force           replace FILE if it exists as a file or a link (default:
                    keep it and stop), never a folder, device or FIFO
  --help            show this text

Page options:
  --numbered        number the problems 1, 2, 3 ... in reading order
  --score           a score box at the end of the date-and-name line
  --title TEXT      the page's own title, up to 40 characters; the settings line
                    then moves to the page foot
  --more            more problems on the page, in a smaller size: half as many
                    again to twice as many; a setting with fewer problems than
                    that gets all of them, in the largest size that holds them

Not every quotient class goes with every divisor class: 1000..9999 takes only
quotients 1..9; 100..900 to 111..999 take quotients 1..9, 10..90 and 11..99;
a fixed divisor takes every quotient class.

Exit status: 0 done, 1 the file could not be written, 2 bad usage or FILE kept.
)"_s;
}

} // namespace divisheet
