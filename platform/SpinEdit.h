#pragma once

#include <QAbstractSpinBox>

// An integer edit with up/down arrows.
//  - Value reads the text as an integer; a text that is no integer reads as MinValue.
//  - Writing Value clamps it to MinValue..MaxValue and writes it as text.
//  - Writing MinValue or MaxValue does not clamp the current value: a value of 1 stays
//    1 when the minimum becomes 2. The edit clamps only when the user steps it or
//    leaves it after typing.
//  - Change runs only when the text changes, whoever changed it.
class TSpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
    Q_PROPERTY(int MinValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int Value READ value WRITE setValue)

public:
    explicit TSpinEdit(QWidget *parent = nullptr);

    int minValue() const { return m_min; }
    void setMinValue(int value);
    int maxValue() const { return m_max; }
    void setMaxValue(int value);

    int value() const;
    void setValue(int value);

    void stepBy(int steps) override;

    // Commits text the user has typed and not yet left, exactly as leaving the field
    // does: clamped to MinValue..MaxValue and written back (running Change if the text
    // changes). Does nothing when nothing was typed since the last commit or step.
    void commitTyped();

signals:
    void Change();

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    int clamped(qint64 value) const;

    int m_min = 0;
    int m_max = 100;
    QString m_lastText;
    bool m_typed = false; // the user has typed since the last step or leave
};
