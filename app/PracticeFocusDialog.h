#pragma once

#include "sheet/PracticeFocus.h"
#include "sheet/ProblemClasses.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QListWidget;

// What the next sheet drills: a lesson, which brings its own classes, or the choices one by
// one for the panel's classes. A choice that no problem of those classes can have is
// disabled with the reason beside it, and a combination that none has keeps the dialog open
// with the reason under the choices, so that the window only ever gets a focus it can make
// a sheet of.
class TPracticeFocusDialog : public QDialog
{
    Q_OBJECT

public:
    TPracticeFocusDialog(const divisheet::PracticeFocus &focus, const divisheet::ProblemSettings &panel,
                         QWidget *parent = nullptr);

    divisheet::PracticeFocus focus() const;
    // The settings of the lesson picked, with the chosen focus (and a remainder where it
    // mixes); none while the panel's classes hold.
    std::optional<divisheet::ProblemSettings> lessonSettings() const;

    // Does nothing while the chosen focus has no problem.
    void accept() override;

private:
    divisheet::ProblemSettings baseSettings() const;
    divisheet::ProblemSettings withFocus(const divisheet::PracticeFocus &focus) const;
    void lessonPicked(int row);
    void showFocus(const divisheet::PracticeFocus &focus);
    void disableImpossibleChoices();
    void disableImpossibleItems(std::size_t choice);
    void choiceChanged();

    divisheet::ProblemSettings m_panel;
    divisheet::PracticeFocus m_opened; // the focus the dialog was opened with
    QListWidget *m_lessons;
    QLabel *m_lessonClasses;
    std::vector<QComboBox *> m_combos; // in the order of the choices
    std::vector<QLabel *> m_reasons;
    QCheckBox *m_mixed;
    QLabel *m_mixedReason;
    QLabel *m_fault;
    QLabel *m_fewer; // says how many problems a focus leaves where a page holds more
    QDialogButtonBox *m_buttons;
    bool m_showing = false; // the choices are being set together: judge them once, after
};
