#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace divisheet {

// Asks for the name of a file to write: the parent window, the dialog's caption and the
// suggested file (a path). Returns an empty text when the user cancels.
using SaveFileChooser = std::function<QString(QWidget *, const QString &, const QString &)>;

// The standard file dialog for a PDF file; it asks before replacing a file.
QString choosePdfFile(QWidget *parent, const QString &caption, const QString &suggested);

// Where a sheet's PDF file is suggested: pdfFileName(code) in the documents folder, or in the
// home folder without one.
QString suggestedPdfPath(const QString &code);

} // namespace divisheet
