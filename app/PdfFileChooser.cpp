#include "app/PdfFileChooser.h"

#include "sheet/Sheet.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace divisheet {

QString choosePdfFile(QWidget *parent, const QString &caption, const QString &suggested)
{
    QFileDialog dialog(parent, caption, suggested, QStringLiteral("PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggested);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString suggestedPdfPath(const QString &code)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(pdfFileName(code));
}

} // namespace divisheet
