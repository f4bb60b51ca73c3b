#pragma once

#include "app/PdfFileChooser.h"
#include "sheet/Sheet.h"
#include "sheet/SheetCode.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace divisheet {

// What the class-set dialog asks for.
struct ClassSetRequest
{
    int count = 10;                  // sheets in the set, 1 .. 100
    bool answersIncluded = true;     // answers pages after the problems pages
    std::optional<SheetRecipe> code; // instead of a set: the one sheet of this code
    QString fileName;                // the PDF file; empty: the printer
};

} // namespace divisheet

// まとめて作成: a class set of different sheets of the current settings, or the one sheet
// of a code, to a PDF file or to the printer. A code that cannot be read and a PDF file
// that cannot be used are said in the dialog, which stays open, until their cause goes;
// nothing is made. The number of sheets, the answers and the PDF file's folder are kept
// for the next time, in this run and the next.
class TClassSetDialog : public QDialog
{
    Q_OBJECT

public:
    // `answersIncluded` is the window's choice, taken until the dialog has kept one of its own.
    TClassSetDialog(QWidget *parent, divisheet::SaveFileChooser chooseFile, QString suggestedFile,
                    bool answersIncluded);

    divisheet::ClassSetRequest request() const { return m_request; }

    void accept() override;

private:
    enum class Cause { None, Code, File };

    void chooseFile();
    // Puts the controls in their rows, with the OK and Cancel buttons under them.
    void layOut(QRadioButton *toPrinter, QPushButton *browse);
    QString codeProblem() const;
    QString fileProblem() const;
    // The typed file as a whole path: a bare name goes to the suggested folder, ".pdf" is added.
    QString typedFile() const;
    bool mayReplace(const QString &file);
    void say(Cause cause, const QString &text);
    // A message stays while its cause does: the control that caused it judges again when changed.
    void causeEdited(Cause cause);
    void remember() const;

    divisheet::SaveFileChooser m_chooseFile;
    QString m_suggestedFile;
    QString m_chosenFile; // the file dialog's choice, which it asked before replacing
    divisheet::ClassSetRequest m_request;
    Cause m_cause = Cause::None;
    QSpinBox *m_count;
    QCheckBox *m_answers;
    QLineEdit *m_code;
    QRadioButton *m_toPdf;
    QLineEdit *m_file;
    QLabel *m_error;
};

namespace divisheet {

// The sheets of まとめて作成 into the PDF file `fileName` (the dialog has asked before replacing
// it) or, where that is empty, to the printer as two jobs titled after `caption`; then says how
// many sheets and pages went where, and offers to open the file or its folder.
void deliverClassSet(QWidget *parent, const std::vector<Sheet> &sheets, const QString &fileName,
                     const QString &caption);

} // namespace divisheet
