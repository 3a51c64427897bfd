// The measured curves that the red model curves are judged against, drawn
// in the current drawing colour when the plot window is set up:
// - "Original phase orbit": the pixel (35 + V(T(i)), 250 - V(T(i+1))) for
//   every pair, set only strictly inside the frame's border;
// - "Direct" and "Iterative time series prediction": the polyline of
//   T(D), ..., T(D + Ltest) at n = 0..Ltest, a segment drawn only when both of
//   its ends lie strictly between the frame's top and bottom edges.
// V and N are the offsets of plot_scale.h; T(m) is T[m - 1] and T holds at
// least Ltest + Ktest + D - 1 values (Ltest, Ktest, D >= 1), else the program
// stops with file and line.
#pragma once

#include <span>

#include "modelcheck/engine.h"
#include "plots/graphics_surface.h"
#include "plots/plot_scale.h"
#include "plots/vector_surface.h"

namespace modelcheck {

// Surface: GraphicsSurface (the raster) or VectorSurface (a recorded picture).
template <typename Surface>
void DrawReferenceCurves(Surface& surface, const ModelSettings& settings, std::span<const double> T,
                         const PlotRange& range);

}  // namespace modelcheck
