#include "platform/Buttons.h"

#include "platform/ErrorRelay.h"
#include "platform/Fonts.h"

TButton::TButton(QWidget *parent) : QPushButton(parent)
{
    setAutoDefault(false);
}

int TButton::fontHeight() const
{
    return divisheet::fontHeight(this);
}

void TButton::setFontHeight(int height)
{
    divisheet::setFontHeight(this, height);
}

TCheckBox::TCheckBox(QWidget *parent) : QCheckBox(parent)
{
    // toggled() is emitted inside setChecked() only when the state really changes,
    // and for a user's click alike: exactly when Click must run.
    connect(this, &QAbstractButton::toggled, this, [this] {
        divisheet::ErrorRelay::run([this] { emit Click(); });
    });
}

void TCheckBox::setChecked(bool checked)
{
    divisheet::ErrorRelay relay;
    QCheckBox::setChecked(checked);
    relay.rethrow();
}

TRadioButton::TRadioButton(QWidget *parent) : QRadioButton(parent)
{
    setAutoExclusive(true);
    // The button that loses its check emits toggled(false) before this one emits
    // toggled(true), so the siblings are already unchecked when Click runs.
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked)
            divisheet::ErrorRelay::run([this] { emit Click(); });
    });
}

void TRadioButton::setChecked(bool checked)
{
    divisheet::ErrorRelay relay;
    QRadioButton::setChecked(checked);
    relay.rethrow();
}
