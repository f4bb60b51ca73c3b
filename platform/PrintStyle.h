#pragma once

#include <QFont>
#include <QPen>

namespace divisheet {

// Lines on screen are whole pixels: a 1-pixel dotted line is one pixel on, two off. On
// paper, one screen pixel becomes a dozen printer pixels, and Qt's pens do not follow: a
// cosmetic pen stays one printer pixel wide (a hairline, and its dots so fine that it
// reads as solid), and a 1-wide pen's square caps lengthen every dot into a dash. So a
// thin pen is printed as what the screen shows: one screen pixel wide, its pattern in
// screen pixels, its dots without caps. Other pens pass unchanged.
QPen printPen(QPen pen);

// A font in points would be resolved against the printer's resolution and then scaled
// again; turned into pixels of a surface of `dpi` dots per inch, it is scaled once.
// A font already in pixels passes unchanged.
QFont printFont(QFont font, int dpi);

} // namespace divisheet
