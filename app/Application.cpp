#include "app/Application.h"

#include "app/UnitDivisheet.h"
#include "platform/Fonts.h"

#include <QApplication>

int runDivisheet(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Divisheet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Divisheet"));
    divisheet::installFontSubstitutions();

    TFormDivisheet::Options options;
    options.dataCheck = QApplication::arguments().contains(QStringLiteral("--data-check"));

    TFormDivisheet form(options);
    form.show();
    return QApplication::exec();
}
