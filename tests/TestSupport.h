#pragma once

// Helpers that several tests share: reading painted pixels and counting digits.

#include <QCoreApplication>
#include <QImage>
#include <QTest>
#include <QWidget>

namespace divisheet::test {

// The number of decimal digits of a non-negative n (1 for 0).
inline int digitCount(int n)
{
    int count = 1;
    while (n >= 10) {
        n /= 10;
        ++count;
    }
    return count;
}

inline bool isDark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// Dark pixels in the rectangle from (x1, y1) to (x2, y2), both corners included.
inline int darkCount(const QImage &image, int x1, int y1, int x2, int y2)
{
    int count = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            count += isDark(image, x, y) ? 1 : 0;
    return count;
}

// Dark pixels in the whole image.
inline int darkCount(const QImage &image)
{
    return darkCount(image, 0, 0, image.width() - 1, image.height() - 1);
}

// Shows the widget; whether its window came up.
inline bool shown(QWidget &widget)
{
    widget.show();
    return QTest::qWaitForWindowExposed(&widget);
}

// The widget as the window shows it. A digit-frame figure takes its final width while it
// paints, so the first grab lets every figure paint and the second shows the result.
inline QImage render(QWidget &widget)
{
    if (!shown(widget))
        return {};
    QCoreApplication::processEvents();
    widget.grab();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace divisheet::test
