#pragma once

#include <QObject>

class QWidget;

// The system's printer-setup dialog as a non-visual component of a form: Execute()
// shows it modally over the owning window; a confirmed choice becomes the printer of
// later jobs.
class TPrinterSetupDialog : public QObject
{
    Q_OBJECT

public:
    explicit TPrinterSetupDialog(QWidget *owner);

    bool Execute();
};
