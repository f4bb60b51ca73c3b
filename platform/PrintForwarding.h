#pragma once

#include <QSize>

class QPainter;
class QPicture;
class QTransform;
class QWidget;

namespace divisheet {

// Plays `picture`, recorded on a surface of `size` pixels, onto `target` under
// `transform`, one drawing operation at a time: text and lines stay vectors at the
// target's resolution instead of a bitmap stretched to it. On the way every pen goes
// through printPen and every font through printFont (at the picture's own resolution);
// the picture's own transforms and clips apply in its coordinates, before `transform`.
// The target painter's state is the same afterwards as before.
void playForPrinting(const QPicture &picture, QSize size, QPainter *target, const QTransform &transform);

// Paints `widget` and its children as shown (as QWidget::render does) onto `target`
// under `transform`, with no recording in between: the same drawing operations as playing
// a recording of it through playForPrinting, the same pens and fonts, the text in the
// same places.
void renderForPrinting(QWidget *widget, QPainter *target, const QTransform &transform);

} // namespace divisheet
