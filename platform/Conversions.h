#pragma once

#include <QString>

#include <optional>

namespace divisheet {

// Decimal text of an integer: a leading "-" for negatives, no leading zeros.
QString IntToStr(qint64 value);

// The integer written in `text`: an optional "+" or "-" followed by ASCII digits only,
// within the signed 32-bit range. Anything else (empty text, spaces, letters,
// full-width digits, an overflow) raises EConvertError with the message
// "'<text>' は整数ではありません".
int StrToInt(const QString &text);

// The same test without raising: the integer, or nothing.
std::optional<int> TryStrToInt(const QString &text);

// The conversion error's message for `text`.
QString notAnIntegerMessage(const QString &text);

} // namespace divisheet
