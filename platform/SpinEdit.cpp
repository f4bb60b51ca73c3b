#include "platform/SpinEdit.h"

#include "platform/ErrorRelay.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// The integer written in `text`: optional sign, ASCII digits, 32-bit range.
std::optional<int> parseInteger(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > qint64(1) << 31)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

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
        if (!m_typed)
            return;
        m_typed = false;
        // Called from Qt's focus and key handling: nothing may be thrown back into it.
        divisheet::ErrorRelay::run([this] { setValue(value()); });
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
    return parseInteger(lineEdit()->text()).value_or(m_min);
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
    if (parseInteger(input))
        return QValidator::Acceptable;
    return isIntegerPrefix(input) ? QValidator::Intermediate : QValidator::Invalid;
}

void TSpinEdit::fixup(QString &input) const
{
    input = QString::number(clamped(parseInteger(input).value_or(m_min)));
}
