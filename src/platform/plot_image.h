// The plot window written to a PNG image: on a console there is no window to
// look at, so the picture of each completed model check is kept as a file.
#pragma once

#include <string>

#include "plots/graphics_surface.h"

namespace modelcheck {

inline constexpr const char* kPlotImageFileName = "model-efficiency.png";

// Writes the raster as an indexed-colour PNG, replacing an existing file.
// Returns false and sets `error` (naming the file and the cause) on failure.
bool WritePlotImage(const GraphicsSurface& surface, const std::string& path, std::string& error);

}  // namespace modelcheck
