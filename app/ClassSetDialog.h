#pragma once

#include "app/SheetCode.h"
#include "app/UnitDivisheet.h"

#include <QDialog>

#include <optional>

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
// not chosen are said in the dialog, which stays open; nothing is made.
class TClassSetDialog : public QDialog
{
    Q_OBJECT

public:
    TClassSetDialog(QWidget *parent, divisheet::SaveFileChooser chooseFile, QString suggestedFile);

    void setAnswersIncluded(bool included);
    divisheet::ClassSetRequest request() const { return m_request; }

    void accept() override;

private:
    void chooseFile();
    // Puts the controls in their rows, with the OK and Cancel buttons under them.
    void layOut(QRadioButton *toPrinter, QPushButton *browse);

    divisheet::SaveFileChooser m_chooseFile;
    QString m_suggestedFile;
    divisheet::ClassSetRequest m_request;
    QSpinBox *m_count;
    QCheckBox *m_answers;
    QLineEdit *m_code;
    QRadioButton *m_toPdf;
    QLineEdit *m_file;
    QLabel *m_error;
};
