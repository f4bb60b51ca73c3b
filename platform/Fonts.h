#pragma once

#include <QFont>
#include <QString>

namespace divisheet {

// The face every text of the program is written in. It does not exist outside
// Windows; installFontSubstitutions() maps it to a fixed-pitch Japanese Gothic whose
// half-width digits have its widths.
inline const QString designFaceName = QStringLiteral("ＭＳ ゴシック");

// Call once after the application object exists, before any widget is created. A
// later call puts the design face's substitutes back after a change.
void installFontSubstitutions();

// A font of that face whose characters are `height` pixels high (a negative height
// means the same, as the forms give their font heights). Fonts are given in pixels,
// never in points, so that a widget tree painted onto a printer under a scaling
// transform is scaled exactly once.
QFont designFont(int height, bool underline = false);

// The pixel height of a font of `points` points at the 96 pixels per inch the forms
// are laid out in.
int pointsToPixels(int points);

// The rows that the ink of the digits 0 to 9 of `font` covers, first and last, counted
// from the top of a line of text written by the font's ascent.
struct InkRows
{
    int first = 0;
    int last = 0;
};
InkRows digitInkRows(const QFont &font);

// Sets the pixel height of `widget`'s font, keeping its family and style.
void setFontHeight(QWidget *widget, int height);

// The pixel height of `widget`'s font; a font given in points is measured on the screen.
int fontHeight(const QWidget *widget);

} // namespace divisheet
