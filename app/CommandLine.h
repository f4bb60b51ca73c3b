#pragma once

#include "sheet/ProblemClasses.h"
#include "sheet/SheetCode.h"
#include "platform/Errors.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace divisheet {

// What the command line asks for. Without --pdf the window opens (with the data-check
// panel's switch when --data-check is given); --help only prints commandLineHelp();
// `divisheet serve` answers worksheet requests over HTTP.
struct CommandLineOptions
{
    enum class Mode { Window, Pdf, Help, Serve };

    Mode mode = Mode::Window;
    bool dataCheck = false;
    // --numbered, --score, --title TEXT, --more: for the window and the PDF alike.
    PageOptions page;

    // Mode::Pdf; the defaults are the window's start-up settings.
    QString pdfFile;
    int sheets = 1;
    ProblemSettings settings;
    bool framesShown = true;
    bool answersIncluded = true;
    bool force = false;
    std::optional<SheetRecipe> code; // --code: this one sheet, with its own settings

    // Mode::Serve: --listen ADDR:PORT (an IPv4 or IPv6 address, or localhost) and --workers N,
    // 0 for one per core.
    QString listenAddress = QStringLiteral("127.0.0.1");
    int listenPort = 8080;
    int workers = 0;

    CommandLineOptions();
};

// The options, or an error text naming what is wrong (for the caller to print with
// exit status 2).
struct CommandLineResult
{
    CommandLineOptions options;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// `arguments` as main() gets them: the program's name first. Each is read as a file name
// is (QFile::decodeName); one whose bytes that text does not give back (not UTF-8) is
// an error, for it would name another file. Options take their value as the next
// argument or after "=" (--sheets=5).
CommandLineResult parseCommandLine(const QList<QByteArray> &arguments);

// The command line's words for a FILE it leaves as it is (exit status 2).
QString keptFileText(const EFileTaken &taken);

// `text` with every character that a terminal would not show as itself (controls, escape
// sequences, direction marks) written as \xHH, \uHHHH or \UHHHHHHHH.
QString printableText(const QString &text);

// The --help text.
QString commandLineHelp();

// The options that say which sheets to make (their settings, page, focus, or a code), not
// where they go or how the program runs: for requests that carry them in another form.
struct SheetOptionName
{
    QString name; // "--divisor"
    bool takesValue;
};
std::vector<SheetOptionName> sheetOptionNames();

} // namespace divisheet
