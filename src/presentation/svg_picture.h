// A recorded picture (plots/vector_surface.h) as an SVG document: 800 x 600
// user units, one per raster pixel, the palette's colours, lines of one unit
// through the pixel centres with square ends (so both end pixels are
// covered, as on the raster), pixels as unit squares, frames as outlined
// rectangles, text as text in the font it was drawn with (its top-left
// corner where the raster puts the top of the line box), every element in
// drawing order.
#pragma once

#include <string>

#include "plots/vector_surface.h"

namespace modelcheck {

std::string SvgPicture(const VectorSurface& picture);

}  // namespace modelcheck
