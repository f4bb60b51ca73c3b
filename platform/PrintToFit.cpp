#include "platform/PrintToFit.h"

#include <cstdint>

namespace divisheet {

namespace {

// a x b / c in 64 bits, rounded to the nearest integer with halves to the even
// neighbour, the program's one rounding rule. Page sizes in printer pixels times
// image sizes overflow 32 bits, hence the wide intermediate.
int mulDivNearest(std::int64_t a, std::int64_t b, std::int64_t c)
{
    const std::int64_t product = a * b;
    std::int64_t quotient = product / c;
    const std::int64_t twiceRemainder = 2 * (product % c);
    if (twiceRemainder > c || (twiceRemainder == c && quotient % 2 != 0))
        ++quotient;
    return static_cast<int>(quotient);
}

} // namespace

QSize printToFitSize(QSize image, QSize page)
{
    // Nothing to draw, or nowhere to draw it: an empty picture rather than a division
    // by zero.
    if (image.width() <= 0 || image.height() <= 0 || page.width() <= 0 || page.height() <= 0)
        return {0, 0};

    const int width = mulDivNearest(image.width(), page.height(), image.height());
    if (width < page.width())
        return {width, page.height()};
    return {page.width(), mulDivNearest(image.height(), page.width(), image.width())};
}

} // namespace divisheet
