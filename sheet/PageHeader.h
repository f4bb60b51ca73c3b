#pragma once

#include <QRect>
#include <QSize>
#include <QString>

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
// How far the settings line may run in the header: up to the date-and-name line's first
// character, which follows the blank as wide as that line is high that it opens with. A
// longer settings line, as a practice focus makes it, goes to the page's foot.
inline constexpr int kSettingsLineEnd = kDateNameLine.left() + kDateNameLine.height();
// Where the window's button panel stands over the header. An own title keeps clear of it on
// paper too, so that a page looks the same whichever way it was made.
inline constexpr QRect kButtonPanelPlace{8, 24, 305, 28};

// The score box covers the right end of the date-and-name line, where the blank after
// the name runs out; its mark 点 stands inside it at the right, the rest is left free
// for the score.
struct ScoreBoxPlace
{
    QRect box;
    TextPlace mark;
};
ScoreBoxPlace scoreBoxPlace();

// The band across the page under the header that the own title may use.
QRect ownTitleBand(QSize page);

// The own title as it is drawn: its text (two lines where one does not fit), the face's
// pixel size and where it goes inside ownTitleBand(). One line in the largest face from
// 24 down to 14 pixels that fits, centred on the page, or, where that would reach under
// `control` (the button panel, which stands over the band's left end on screen), started
// to its right; failing that, two lines in the 14-pixel face, the second one elided if
// even that is too long. The place is the same on screen and on paper.
struct TitlePlace
{
    QString text;
    QRect rect;
    int pixelSize = 0;
};
TitlePlace ownTitlePlace(const QString &title, QSize page, const QRect &control);

// The settings line in small print along the bottom of the page, left of the sheet code.
TextPlace footLinePlace(QSize page);

// The sheet code (and "k/N" of a class set) at the page's foot, right, in a face that reads
// back at about ten points on an A4 page; right-aligned in the rect.
TextPlace sheetCodePlace(QSize page);

// The band of the page that the grid of figures may use, top to bottom (bottom
// exclusive): below the header line, or below the own title when one is set; down to the
// page's bottom edge, or, where the foot is kept for the settings line and the sheet
// code, to above it. A page with every option off keeps the cells it has always had: its
// figures end above the foot all the same.
int sheetTop(bool hasTitle);
int sheetBottom(QSize page, bool keepFoot);

} // namespace divisheet
