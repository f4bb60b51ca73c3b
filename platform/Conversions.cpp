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

std::optional<int> TryStrToInt(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;

    // Accumulate negatively so that the most negative int fits.
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 - (c - u'0');
        if (value < qint64(std::numeric_limits<int>::min()))
            return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return int(value);
}

int StrToInt(const QString &text)
{
    if (const std::optional<int> value = TryStrToInt(text))
        return *value;
    throw EConvertError(notAnIntegerMessage(text));
}

} // namespace divisheet
