#pragma once

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

// A push button; its caption's "&" marks the accelerator (Alt+letter).
class TButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(int FontHeight READ fontHeight WRITE setFontHeight)

public:
    explicit TButton(QWidget *parent = nullptr);

    int fontHeight() const;
    void setFontHeight(int height);
};

// A check box whose Click runs whenever its state changes: on a user's click, and at
// once, inside the call, when the program sets Checked to a different state.
class TCheckBox : public QCheckBox
{
    Q_OBJECT
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)

public:
    explicit TCheckBox(QWidget *parent = nullptr);

    // Hides QAbstractButton::setChecked so that an error raised by the Click handler
    // it runs ends the caller without passing through Qt (see ErrorRelay.h).
    // @warning Not virtual: called through a QAbstractButton pointer (or as a slot of
    // QAbstractButton) the base setter runs; Click still runs, but its error is shown
    // at once instead of ending the caller.
    void setChecked(bool checked);

signals:
    void Click();
};

// A radio button; buttons with the same parent exclude each other. Click runs when the
// button becomes checked, by a user's click or arrow key, or at once when the program
// sets Checked to true while it was not checked. A disabled button can't be clicked
// and keeps its state.
class TRadioButton : public QRadioButton
{
    Q_OBJECT
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)

public:
    explicit TRadioButton(QWidget *parent = nullptr);

    // As TCheckBox::setChecked.
    // @warning As there: through a QAbstractButton pointer the base setter runs.
    void setChecked(bool checked);

signals:
    void Click();
};
