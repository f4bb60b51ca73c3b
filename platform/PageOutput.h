#pragma once

#include <QSize>

class QPainter;
class QWidget;

namespace divisheet {

// Paints `form`'s client area as currently shown (hidden controls absent) onto `painter`
// from its origin, scaled by printToFitSize to a page of `page` device pixels. The widgets
// are drawn as vectors at the device's resolution; thin pens keep one screen pixel's width
// and their dots. This is the one way a page of the worksheet is drawn, on a printer or
// into a PDF file.
void paintFormImage(QWidget *form, QPainter *painter, QSize page);

} // namespace divisheet

// A run of pages being written: a print job or a PDF file. Each page is the image of a
// form, laid out by divisheet::paintFormImage.
class TPageOutput
{
public:
    virtual ~TPageOutput() = default;

    // Adds a page showing `form`'s image; raises EDivisheetError when the output fails.
    virtual void addFormPage(QWidget *form) = 0;
};
