#include "figures/FrameFigureGeometry.h"

#include "platform/Numeric.h"

namespace divisheet {

namespace {

constexpr int boxTop = 1;

} // namespace

int decimalLength(int value)
{
    int length = value < 0 ? 2 : 1;
    for (long long rest = value < 0 ? -static_cast<long long>(value) : value; rest >= 10; rest /= 10)
        ++length;
    return length;
}

int signExtraColumns(TTypeSign sign)
{
    switch (sign) {
    case sNone:
        return 0;
    case sAmari:
        return 1;
    case sWarareru:
    case sKaketa:
    case sHiita:
        return 2;
    }
    return 0;
}

int signRightShift(TTypeSign sign)
{
    switch (sign) {
    case sWarareru:
    case sKaketa:
    case sHiita:
        return 1;
    case sNone:
    case sAmari:
        return 0;
    }
    return 0;
}

int signLeadingColumns(TTypeSign sign)
{
    return signExtraColumns(sign) - signRightShift(sign);
}

int frameFigureWidth(int fontSize, int digits, TTypeSign sign)
{
    return fontSize * (digits + signExtraColumns(sign)) + 1;
}

int frameFigureHeight(int fontSize)
{
    return nearest(1.5 * fontSize);
}

FigureRect digitTextRect(int fontSize, int digits, TTypeSign sign, int k)
{
    // Boxes are counted from the right edge, so the digits stay anchored to it.
    const int width = frameFigureWidth(fontSize, digits, sign);
    const int s = signRightShift(sign);
    return {width - (k + s) * fontSize, boxTop, width - (k - 1 + s) * fontSize,
            frameFigureHeight(fontSize)};
}

FigureRect digitFrameRect(int fontSize, int digits, TTypeSign sign, int k)
{
    const FigureRect text = digitTextRect(fontSize, digits, sign, k);
    return {text.left - 1, text.top - 1, text.right, text.bottom - 1};
}

int digitLineDrop(int fontSize, int inkFirst, int inkLast)
{
    // The rows between the frame lines at the box's top and bottom.
    const int innerRows = frameFigureHeight(fontSize) - 3;
    if (inkFirst >= 0 && inkLast < innerRows)
        return 0;
    return nearest((innerRows - (inkLast - inkFirst + 1)) / 2.0) - inkFirst;
}

FigureRect bracketEllipse(int fontSize)
{
    return {nearest(-3.0 * fontSize / 4), -nearest(fontSize / 2.0), nearest(3.0 * fontSize / 4),
            nearest(1.6 * fontSize)};
}

FigureLine bracketBar(int fontSize, int width)
{
    return {nearest(0.63 * fontSize), 0, width - nearest(fontSize / 2.0), 0};
}

std::array<FigureRect, 3> remainderDots(int fontSize)
{
    const int r = nearest(fontSize / 16.0);
    const int centreY = nearest(3.0 * fontSize / 4);
    std::array<FigureRect, 3> dots;
    for (int i = 1; i <= 3; ++i) {
        const int centreX = nearest(i * fontSize / 4.0);
        dots[i - 1] = {centreX - r, centreY - r, centreX + r, centreY + r};
    }
    return dots;
}

std::optional<FigureLine> signRule(int fontSize, int digits, TTypeSign sign)
{
    const int width = frameFigureWidth(fontSize, digits, sign);
    const int inset = nearest(fontSize / 2.0);
    switch (sign) {
    case sWarareru:
        return bracketBar(fontSize, width);
    case sKaketa: {
        const int ruleY = frameFigureHeight(fontSize) - 2;
        return FigureLine{inset, ruleY, width - inset, ruleY};
    }
    case sHiita:
        return FigureLine{inset, 0, width - inset, 0};
    case sNone:
    case sAmari:
        break;
    }
    return std::nullopt;
}

} // namespace divisheet
