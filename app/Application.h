#pragma once

#include <QStringList>

#include <memory>

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

// The main form for a command line. The only switch is --data-check, which makes the
// data-check panel's check box reachable in the settings panel; nothing else on the
// command line changes anything.
std::unique_ptr<TFormDivisheet> createMainForm(const QStringList &arguments);

// Starts the program: the application object, the main form and the message loop.
// Returns the program's exit code.
int runDivisheet(int argc, char *argv[]);
