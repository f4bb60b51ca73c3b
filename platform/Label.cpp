#include "platform/Label.h"

#include "platform/Fonts.h"

#include <QEvent>

TLabel::TLabel(QWidget *parent) : QLabel(parent)
{
    // Rich text, because QLabel underlines a mnemonic only in plain text with a buddy,
    // and these labels have none.
    setTextFormat(Qt::RichText);
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    setText(captionToRichText(caption));
    growWithText();
}

int TLabel::fontHeight() const
{
    return divisheet::fontHeight(this);
}

void TLabel::setFontHeight(int height)
{
    divisheet::setFontHeight(this, height);
    growWithText(); // also done by changeEvent; harmless twice
}

QString TLabel::captionToRichText(const QString &caption)
{
    // Every space, tab and ideographic space keeps its width, as in a plain caption:
    // the captions lay out columns and blanks to be filled in with spaces.
    QString html = QStringLiteral("<span style=\"white-space:pre\">");
    html.reserve(caption.size() * 2 + 48);
    auto append = [&html](QChar c) {
        switch (c.unicode()) {
        case u'<': html += u"&lt;"; break;
        case u'>': html += u"&gt;"; break;
        case u'&': html += u"&amp;"; break;
        case u'"': html += u"&quot;"; break;
        case u'\n': html += u"<br>"; break;
        default: html += c;
        }
    };
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (c != u'&') {
            append(c);
            continue;
        }
        if (i + 1 >= caption.size())
            break; // a trailing "&" marks nothing and is not shown
        const QChar next = caption[++i];
        if (next == u'&') {
            append(next);
        } else {
            html += u"<u>";
            append(next);
            html += u"</u>";
        }
    }
    html += u"</span>";
    return html;
}

void TLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        growWithText();
}

void TLabel::growWithText()
{
    // The label keeps its left and top and takes the size its text needs.
    resize(sizeHint());
}
