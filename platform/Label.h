#pragma once

#include <QLabel>

// A label whose caption marks its accelerator letter with "&": the "&" is not shown
// and the next letter is underlined, with or without a buddy ("&&" shows one "&").
// The label grows with its text.
class TLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int FontHeight READ fontHeight WRITE setFontHeight)

public:
    explicit TLabel(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // Pixel height of the characters; negative values mean the same as positive ones.
    int fontHeight() const;
    void setFontHeight(int height);

    // The caption as rich text: escaped, accelerator letter underlined.
    static QString captionToRichText(const QString &caption);

protected:
    void changeEvent(QEvent *event) override;

private:
    void growWithText();

    QString m_caption;
};
