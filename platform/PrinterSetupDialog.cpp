#include "platform/PrinterSetupDialog.h"

#include "platform/Printer.h"

#include <QWidget>

TPrinterSetupDialog::TPrinterSetupDialog(QWidget *owner) : QObject(owner) {}

bool TPrinterSetupDialog::Execute()
{
    return TPrinter::global().execSetupDialog(qobject_cast<QWidget *>(parent()));
}
