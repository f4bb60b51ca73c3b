#include "platform/PrintStyle.h"

#include <QtMath>

namespace divisheet {

QPen printPen(QPen pen)
{
    if (pen.style() == Qt::NoPen)
        return pen;
    const bool thin = pen.isCosmetic() || pen.widthF() <= 1.0;
    if (pen.isCosmetic()) {
        pen.setCosmetic(false);
        pen.setWidthF(qMax(1.0, pen.widthF()));
    } else if (pen.widthF() <= 0.0) {
        pen.setWidthF(1.0);
    }
    if (thin && pen.style() != Qt::SolidLine)
        pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QFont printFont(QFont font, int dpi)
{
    if (font.pixelSize() <= 0 && font.pointSizeF() > 0)
        font.setPixelSize(qMax(1, qRound(font.pointSizeF() * dpi / 72.0)));
    return font;
}

} // namespace divisheet
