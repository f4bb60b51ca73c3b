#include "platform/Fonts.h"

#include "platform/Numeric.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace divisheet {

void installFontSubstitutions()
{
    // BIZ UDGothic is made for school material and writes 0 plainly, as pupils do;
    // IPAGothic's 0 is slashed, so it only stands in where BIZ UDGothic is missing.
    QFont::removeSubstitutions(designFaceName);
    QFont::insertSubstitutions(designFaceName,
                               {QStringLiteral("BIZ UDGothic"), QStringLiteral("BIZ UDゴシック"),
                                QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("monospace")});
}

QFont designFont(int height, bool underline)
{
    QFont font(designFaceName);
    font.setPixelSize(std::max(1, std::abs(height)));
    font.setUnderline(underline);
    return font;
}

int pointsToPixels(int points)
{
    return nearest(points * 96 / 72.0);
}

InkRows digitInkRows(const QFont &font)
{
    const QFontMetrics metrics(font);
    InkRows rows{INT_MAX, INT_MIN};
    for (char digit = '0'; digit <= '9'; ++digit) {
        const QRect ink = metrics.boundingRect(QLatin1Char(digit));
        rows.first = std::min(rows.first, metrics.ascent() + ink.top());
        rows.last = std::max(rows.last, metrics.ascent() + ink.bottom());
    }
    return rows;
}

void setFontHeight(QWidget *widget, int height)
{
    QFont font = widget->font();
    font.setPixelSize(std::max(1, std::abs(height)));
    widget->setFont(font);
}

int fontHeight(const QWidget *widget)
{
    const QFont &font = widget->font();
    const int pixels = font.pixelSize();
    return pixels > 0 ? pixels : QFontInfo(font).pixelSize();
}

} // namespace divisheet
