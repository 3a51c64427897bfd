// The plot window "Model efficiency" set up at the beginning of every model
// check: opened (or reused) and cleared, the six frames and the measured
// reference curves drawn in black, drawing colour 12 left selected for the
// model's curves that follow.
#pragma once

#include <span>

#include "modelcheck/engine.h"
#include "plots/graphics_surface.h"
#include "plots/plot_scale.h"
#include "plots/vector_surface.h"

namespace modelcheck {

// Draws on `surface` for `settings` and the test segment T(1..Ntest) (at
// least Ntest values, else the program stops with file and line), and
// returns the plot range: T's range widened by a tenth of its spread at each
// end, which scales every value drawn in this check. When no font can be
// selected the labels and titles are missing and everything else is drawn.
// Surface: GraphicsSurface (the raster) or VectorSurface (a recorded picture).
template <typename Surface>
PlotRange SetUpPlotWindow(Surface& surface, const ModelSettings& settings, std::span<const double> T);

}  // namespace modelcheck
