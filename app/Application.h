#pragma once

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QApplication;
class QLocale;
class TFormDivisheet;

// Names, fonts and everything else the application object needs before the first
// window is made.
void prepareApplication(QApplication &app);

// Loads Qt's own translations (qtbase) for `locale` from Qt's translations folder, so
// that Qt's dialogs speak the user's language. Returns false when none are installed
// for it; the dialogs then stay in English.
bool installQtTranslations(QApplication &app, const QLocale &locale);

// The main form for a command line that opens the window: --data-check makes the
// data-check panel's check box reachable in the settings panel.
std::unique_ptr<TFormDivisheet> createMainForm(const QStringList &arguments);

namespace divisheet {
struct CommandLineOptions;
struct Sheet;
struct SheetRequest;

// The sheets a command line with --pdf asks for: its code's sheet, or a new class set seeded
// from the clock.
SheetRequest commandLineRequest(const CommandLineOptions &options);

// What runs `divisheet serve`: the server, a layer above this one, hands it to runDivisheet().
using ServeFunction = int (*)(int &argc, char *argv[], const CommandLineOptions &options);
} // namespace divisheet

// Writes the PDF file of a command line with --pdf, with an application object made already,
// and says what went wrong on stderr; `written`, where given, is told the sheets once the file
// is complete. Returns the exit status: 0 done, 1 the file could not be written (nothing is
// left behind), 2 FILE kept as it is (see --force).
int writeSheetsFile(const divisheet::CommandLineOptions &options,
                    const std::function<void(const std::vector<divisheet::Sheet> &)> &written = {});

// Starts the program as its command line asks (see commandLineHelp()): the window with
// its message loop, the PDF file of --pdf without a window, the help text, or `serve`
// through `serve` (without one, serve is refused as not built in). A bad
// command line, and a FILE that is kept as it is (see --force), are said on stderr with
// exit status 2; a PDF file that cannot be written with exit status 1, leaving nothing
// behind.
// Returns the program's exit code.
int runDivisheet(int argc, char *argv[], divisheet::ServeFunction serve = nullptr);
