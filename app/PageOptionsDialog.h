#pragma once

#include "sheet/PageOptions.h"
#include "sheet/ProblemClasses.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

// The page's options as the teacher sets them: numbers, a score box, an own title (cut to
// its limit with a note that says so) and a fuller page, with how many problems the
// settings of the next sheet have in all (a fuller page never holds more than that).
class TPageOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    TPageOptionsDialog(const divisheet::PageOptions &options, const divisheet::ProblemSettings &settings,
                       QWidget *parent = nullptr);

    divisheet::PageOptions options() const;

private:
    void titleEdited(const QString &text);

    QCheckBox *m_numbered;
    QCheckBox *m_scoreBox;
    QLineEdit *m_title;
    QLabel *m_titleCut;
    QCheckBox *m_more;
};
