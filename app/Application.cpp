#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/SheetPages.h"
#include "app/UnitDivisheet.h"
#include "platform/ErrorBoundary.h"
#include "platform/Errors.h"
#include "platform/Fonts.h"
#include "platform/Random.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

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

void printError(const QString &message)
{
    std::fprintf(stderr, "divisheet: %s\n", message.toLocal8Bit().constData());
}

// The sheets of the command line into the PDF file, through the same form and pages as the
// window's; returns the exit status.
int writePdf(int &argc, char *argv[], const CommandLineOptions &options)
{
    if (!options.force && QFileInfo::exists(options.pdfFile)) {
        printError(QStringLiteral("%1 exists; it is kept (--force replaces it)").arg(options.pdfFile));
        return 2;
    }
    // No display needed: the pages are drawn by a form that is never shown.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepareApplication(app);
    bool failed = false;
    const MessageSink previous = setMessageSink([&failed](const QString &message) {
        printError(message);
        failed = true;
    });
    try {
        SheetJob job;
        if (options.code) {
            SheetRecipe recipe = *options.code;
            recipe.page.title = options.page.title; // free text, never part of a code
            job = codeJob(recipe);
        } else {
            SheetRecipe base;
            base.settings = options.settings;
            base.page = options.page;
            base.framesShown = options.framesShown;
            base.answersIncluded = options.answersIncluded;
            TRandom &random = TRandom::global();
            random.randomize();
            job = classSetJob(base, random.seed(), options.sheets);
        }
        writeJobPdf(job, options.pdfFile);
    } catch (const EFileError &error) {
        printError(QStringLiteral("cannot write %1: %2").arg(error.fileName(), error.reason()));
        failed = true;
    } catch (...) {
        printError(messageOf(std::current_exception()));
        failed = true;
    }
    setMessageSink(previous);
    return failed ? 1 : 0;
}

} // namespace

int runDivisheet(int argc, char *argv[])
{
    // Read before the application object exists, which takes Qt's own options out of argv.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineResult parsed = parseCommandLine(arguments);
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
    case CommandLineOptions::Mode::Window:
        break;
    }
    QApplication app(qtArgc, argv);
    prepareApplication(app);
    const std::unique_ptr<TFormDivisheet> form = createMainForm(arguments);
    if (!parsed.options.page.isDefault()) {
        // The start-up sheet was made with the plain page; the options ask for another.
        form->setPageOptions(parsed.options.page);
        runHandler([&form] { form->ButtonKoushinClick(form.get()); });
    }
    form->show();
    return QApplication::exec();
}
