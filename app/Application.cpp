#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/SheetPages.h"
#include "app/UnitDivisheet.h"
#include "platform/ErrorBoundary.h"
#include "platform/Errors.h"
#include "platform/Fonts.h"
#include "platform/Random.h"
#include "platform/WholeFile.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace divisheet;

void prepareApplication(QApplication &app)
{
    QApplication::setOrganizationName(QStringLiteral("Divisheet")); // where QSettings keeps the dialogs' choices
    QApplication::setApplicationName(QStringLiteral("Divisheet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Divisheet"));
    QApplication::setDesktopFileName(QStringLiteral("divisheet"));
    divisheet::installFontSubstitutions();
    installQtTranslations(app, QLocale::system());
}

bool installQtTranslations(QApplication &app, const QLocale &locale)
{
    // Qt's own dialogs and buttons (printer setup, file dialog, message boxes) speak the
    // user's language only with Qt's translations loaded; without them they stay English.
    auto *translator = new QTranslator(&app);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

std::unique_ptr<TFormDivisheet> createMainForm(const QStringList &arguments)
{
    TFormDivisheet::Options options;
    options.dataCheck = arguments.contains(QStringLiteral("--data-check"));
    return std::make_unique<TFormDivisheet>(options);
}

namespace {

// Arguments echoed in a message reach the terminal as text, never as its commands.
void printError(const QString &message)
{
    std::fprintf(stderr, "divisheet: %s\n", printableText(message).toLocal8Bit().constData());
}

// The command line's PDF file, with the application object made for it: no display is
// needed, the pages are drawn on a page that is never shown.
int writePdf(int &argc, char *argv[], const CommandLineOptions &options)
{
#ifdef __GLIBC__
    // Every page of the file is compressed on its own, and each compression takes a few hundred
    // kilobytes that the allocator would hand back to the system and fault in afresh page after
    // page. This process is short-lived: it keeps freed memory for the next page instead.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepareApplication(app);
    return writeSheetsFile(options);
}

} // namespace

SheetRequest divisheet::commandLineRequest(const CommandLineOptions &options)
{
    return options.code ? codeRequest(*options.code, options.page.title)
                        : classSetRequest(options.settings, options.page, options.framesShown,
                                          options.answersIncluded, TRandom::clockSeed(), options.sheets);
}

int writeSheetsFile(const CommandLineOptions &options, const std::function<void(const std::vector<Sheet> &)> &written)
{
    const auto existing = options.force ? TWholeFile::Existing::Replace : TWholeFile::Existing::Keep;
    int status = 0;
    const MessageSink previous = setMessageSink([&status](const QString &message) {
        printError(message);
        status = 1;
    });
    try {
        TWholeFile::checkName(options.pdfFile, existing); // before any work
        const std::vector<Sheet> sheets = makeSheets(commandLineRequest(options));
        writeSheetsPdf(sheets, options.pdfFile, existing);
        if (written)
            written(sheets);
        if (const QString note = shortSheetNote(sheets.front()); !note.isEmpty())
            std::fprintf(stderr, "divisheet: %s\n", note.toLocal8Bit().constData());
    } catch (const EFileTaken &taken) {
        printError(keptFileText(taken)); // kept before the work, or taken while the sheets were made
        status = 2;
    } catch (const EFileError &error) {
        printError(QStringLiteral("cannot write %1: %2").arg(error.fileName(), error.reason()));
        status = 1;
    } catch (...) {
        printError(messageOf(std::current_exception()));
        status = 1;
    }
    setMessageSink(previous);
    return status;
}

int runDivisheet(int argc, char *argv[], ServeFunction serve)
{
    // Read before the application object exists, which takes Qt's own options out of argv.
    QList<QByteArray> bytes;
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        bytes << QByteArray(argv[i]);
        arguments << QFile::decodeName(bytes.last());
    }
    const CommandLineResult parsed = parseCommandLine(bytes);
    // Qt reads some of the same words itself (--title would rename the window): the
    // application object sees the program's name alone, everything else is ours.
    static int qtArgc = 1;
    if (!parsed.ok()) {
        printError(parsed.error);
        return 2;
    }
    switch (parsed.options.mode) {
    case CommandLineOptions::Mode::Help:
        std::fputs(commandLineHelp().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLineOptions::Mode::Pdf:
        return writePdf(qtArgc, argv, parsed.options);
    case CommandLineOptions::Mode::Serve:
        if (!serve) {
            printError(QStringLiteral("serve is not built into this program"));
            return 2;
        }
        return serve(qtArgc, argv, parsed.options);
    case CommandLineOptions::Mode::Window:
        break;
    }
    QApplication app(qtArgc, argv);
    prepareApplication(app);
    const std::unique_ptr<TFormDivisheet> form = createMainForm(arguments);
    const PracticeFocus &focus = parsed.options.settings.focus;
    if (!parsed.options.page.isDefault() || focus.isSet()) {
        // The start-up sheet was made with the plain page and no focus; the options ask for another.
        form->setPageOptions(parsed.options.page);
        form->setPracticeFocus(focus);
        runHandler([&form] { form->ButtonKoushinClick(form.get()); });
    }
    form->show();
    return QApplication::exec();
}
