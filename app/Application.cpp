#include "app/Application.h"

#include "app/UnitDivisheet.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void prepareApplication(QApplication &app)
{
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

int runDivisheet(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app);
    const std::unique_ptr<TFormDivisheet> form = createMainForm(QApplication::arguments());
    form->show();
    return QApplication::exec();
}
