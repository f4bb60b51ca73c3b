#pragma once

#include "figures/FigureTypes.h"

#include <array>
#include <optional>

// The geometry of one digit-frame figure, computed without painting. Rectangles and
// lines use the drawing surface's own conventions: a rectangle's right and bottom
// edges are exclusive and a line leaves out its end point, so the numbers are the
// pixel coordinates the figure paints at.
namespace divisheet {

struct FigureRect
{
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0; // exclusive
    friend bool operator==(const FigureRect &, const FigureRect &) = default;
};

// A horizontal or vertical stroke from (x1, y1) towards (x2, y2), the end point left out.
struct FigureLine
{
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    friend bool operator==(const FigureLine &, const FigureLine &) = default;
};

// Number of characters of the decimal text of `value`.
int decimalLength(int value);

// Columns the sign adds to the digit boxes, and how many of them lie right of the boxes.
int signExtraColumns(TTypeSign sign);
int signRightShift(TTypeSign sign);
// Columns left of the first digit box.
int signLeadingColumns(TTypeSign sign);

// The width a figure of `digits` digits gives itself when it paints.
int frameFigureWidth(int fontSize, int digits, TTypeSign sign);
// The height of every line of a figure, the box height included.
int frameFigureHeight(int fontSize);

// Box k (1 = units, 2 = tens, ...) of a figure with `digits` digits: the area the digit
// is written in (the text rectangle), and the rectangle handed to the frame call, whose
// outline lies one pixel left of and above the text area so that neighbours share a line.
FigureRect digitTextRect(int fontSize, int digits, TTypeSign sign, int k);
FigureRect digitFrameRect(int fontSize, int digits, TTypeSign sign, int k);

// How far below the top of its text rectangle a digit's line of text starts (negative:
// above it), for a face whose digits' ink covers the rows `inkFirst` to `inkLast` of the
// line. A face whose ink lies inside the box's frame lines on the top line stays there, as
// designed (0); the ink of any other face, such as one with a taller ascent, is centred
// between the frame lines.
int digitLineDrop(int fontSize, int inkFirst, int inkLast);

// The division bracket: the ellipse whose right half shows in the leftmost column, and
// the bar over the dividend.
FigureRect bracketEllipse(int fontSize);
FigureLine bracketBar(int fontSize, int width);

// The three dots of the remainder mark, left to right.
std::array<FigureRect, 3> remainderDots(int fontSize);

// The rule a sign draws: the bar of the bracket, the underline of a product or the
// overline of a difference; none for a plain number or a remainder.
std::optional<FigureLine> signRule(int fontSize, int digits, TTypeSign sign);

} // namespace divisheet
