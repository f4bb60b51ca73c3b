#include "app/Application.h"

#include "platform/Fonts.h"

#include <QApplication>

int runDivisheet(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Divisheet"));
    divisheet::installFontSubstitutions();
    return 0; // the main form comes with the form
}
