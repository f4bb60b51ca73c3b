#pragma once

#include <QSize>

namespace divisheet {

// The size at which an image of `image` pixels is drawn from the top-left corner of a
// page of `page` device pixels so that it fills the page in one dimension and keeps
// its aspect ratio: w = W x pageHeight / H (rounded to nearest); if w < pageWidth then
// h = pageHeight, otherwise w = pageWidth and h = H x pageWidth / W.
QSize printToFitSize(QSize image, QSize page);

} // namespace divisheet
