#include "platform/PageOutput.h"

#include "platform/PrintForwarding.h"
#include "platform/PrintToFit.h"

#include <QPainter>
#include <QWidget>

namespace divisheet {

void paintFormImage(QWidget *form, QPainter *painter, QSize page)
{
    const QSize image = form->size();
    const QSize target = printToFitSize(image, page);
    if (target.isEmpty())
        return;
    // The widgets paint themselves through the print forwarding onto the device under the
    // print-to-fit scale: text and lines stay vectors at the device's resolution instead
    // of a stretched screen bitmap. (Rendered onto a printer directly, QWidget::render
    // goes through a bitmap of its own.)
    const QTransform scale = QTransform::fromScale(qreal(target.width()) / image.width(),
                                                   qreal(target.height()) / image.height());
    renderForPrinting(form, painter, scale);
}

} // namespace divisheet
