#include "platform/SpinEdit.h"

#include "platform/Conversions.h"
#include "platform/ErrorRelay.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// Text that may still become an integer as the user goes on typing.
bool isIntegerPrefix(const QString &text)
{
    return text.isEmpty() || text == u"-" || text == u"+";
}

} // namespace

TSpinEdit::TSpinEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setKeyboardTracking(true);
    lineEdit()->setText(QStringLiteral("0"));
    m_lastText = lineEdit()->text();

    // Change follows the text, so a write of the text already shown runs nothing.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text == m_lastText)
            return;
        m_lastText = text;
        divisheet::ErrorRelay::run([this] { emit Change(); });
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_typed = true; });
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        // Called from Qt's focus and key handling: nothing may be thrown back into it.
        divisheet::ErrorRelay::run([this] { commitTyped(); });
    });
}

int TSpinEdit::clamped(qint64 value) const
{
    // A minimum above the maximum wins, rather than leaving the result undefined.
    value = std::min<qint64>(value, m_max);
    value = std::max<qint64>(value, m_min);
    return int(value);
}

void TSpinEdit::setMinValue(int value)
{
    m_min = value; // no clamping of the current value: see the class comment
    update();
}

void TSpinEdit::setMaxValue(int value)
{
    m_max = value;
    update();
}

int TSpinEdit::value() const
{
    return divisheet::TryStrToInt(lineEdit()->text()).value_or(m_min);
}

void TSpinEdit::setValue(int value)
{
    const QString text = QString::number(clamped(value));
    if (lineEdit()->text() != text) {
        divisheet::ErrorRelay relay;
        lineEdit()->setText(text);
        relay.rethrow();
    }
    update(); // the arrows' enabled state may have changed
}

void TSpinEdit::commitTyped()
{
    if (!m_typed)
        return;
    m_typed = false;
    setValue(value());
}

void TSpinEdit::stepBy(int steps)
{
    m_typed = false;
    // Qt calls this for the arrows and keys: an error of the Change handler is shown
    // here rather than thrown back into Qt.
    divisheet::ErrorRelay::run([this, steps] { setValue(clamped(qint64(value()) + steps)); });
    if (hasFocus())
        selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    const int current = value();
    StepEnabled enabled = StepNone;
    if (current < m_max)
        enabled |= StepUpEnabled;
    if (current > m_min)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State TSpinEdit::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos);
    if (divisheet::TryStrToInt(input))
        return QValidator::Acceptable;
    return isIntegerPrefix(input) ? QValidator::Intermediate : QValidator::Invalid;
}

void TSpinEdit::fixup(QString &input) const
{
    input = QString::number(clamped(divisheet::TryStrToInt(input).value_or(m_min)));
}
