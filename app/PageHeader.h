#pragma once

#include <QRect>
#include <QSize>

// Where the page's extras go around the grid of figures, in the window's pixels (the
// printed page is the window's image): the score box at the end of the date-and-name
// line, the own title on a line of its own under the header, and the settings line at
// the page foot while an own title takes its place.
namespace divisheet {

// Text to be drawn inside `rect` with a font of `pixelSize` pixels.
struct TextPlace
{
    QRect rect;
    int pixelSize = 0;
};

// The date-and-name line of the header, as the window is designed.
inline constexpr QRect kDateNameLine{440, 8, 570, 29};

// The score box covers the right end of the date-and-name line, where the blank after
// the name runs out; its mark 点 stands inside it at the right, the rest is left free
// for the score.
struct ScoreBoxPlace
{
    QRect box;
    TextPlace mark;
};
ScoreBoxPlace scoreBoxPlace();

// A line across the page under the header, in a face large enough to stand out and
// small enough that kTitleMaxLength full-width characters fit.
TextPlace ownTitlePlace(QSize page);

// The settings line in small print along the bottom of the page.
TextPlace footLinePlace(QSize page);

// The band of the page that the grid of figures may use, top to bottom (bottom
// exclusive): below the header line, or below the own title when one is set; down to
// the page's bottom edge, or to above the foot line when the title moved it there.
int sheetTop(bool hasTitle);
int sheetBottom(QSize page, bool hasTitle);

} // namespace divisheet
