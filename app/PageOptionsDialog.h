#pragma once

#include "app/PageOptions.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

// The page's options as the teacher sets them: numbers, a score box, an own title (cut to
// its limit with a note that says so) and a fuller page.
class TPageOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TPageOptionsDialog(const divisheet::PageOptions &options, QWidget *parent = nullptr);

    divisheet::PageOptions options() const;

private:
    void titleEdited(const QString &text);

    QCheckBox *m_numbered;
    QCheckBox *m_scoreBox;
    QLineEdit *m_title;
    QLabel *m_titleCut;
    QCheckBox *m_more;
};
