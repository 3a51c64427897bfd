// A recorded picture (plots/vector_surface.h) painted with Qt: on a PDF page
// here, and on any other paint device the same way, scaled as the device is.
#pragma once

#include <QPainter>
#include <QString>

#include "plots/vector_surface.h"

namespace modelcheck {

// Paints the 800 x 600 picture into `painter`'s current coordinates.
void PaintVectorPicture(QPainter& painter, const VectorSurface& picture);

// Writes the picture as a one-page PDF document; the problem, or empty.
QString SavePdf(const VectorSurface& picture, const QString& path);

}  // namespace modelcheck
