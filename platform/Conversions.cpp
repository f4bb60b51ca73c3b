#include "platform/Conversions.h"

#include "platform/Errors.h"

#include <limits>

namespace divisheet {

QString IntToStr(qint64 value)
{
    return QString::number(value);
}

QString notAnIntegerMessage(const QString &text)
{
    return QStringLiteral("'%1' は整数ではありません").arg(text);
}

int StrToInt(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        throw EConvertError(notAnIntegerMessage(text));

    // Accumulate negatively so that the most negative int fits.
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            throw EConvertError(notAnIntegerMessage(text));
        value = value * 10 - (c - u'0');
        if (value < qint64(std::numeric_limits<int>::min()))
            throw EConvertError(notAnIntegerMessage(text));
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max())
            throw EConvertError(notAnIntegerMessage(text));
    }
    return int(value);
}

} // namespace divisheet
