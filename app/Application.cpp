#include "app/Application.h"

#include "app/UnitDivisheet.h"
#include "platform/Fonts.h"

#include <QApplication>

void prepareApplication(QApplication &)
{
    QApplication::setApplicationName(QStringLiteral("Divisheet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Divisheet"));
    QApplication::setDesktopFileName(QStringLiteral("divisheet"));
    divisheet::installFontSubstitutions();
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
