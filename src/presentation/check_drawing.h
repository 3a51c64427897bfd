// The model's curves of one check result, drawn in red over the frames and
// reference curves that SetUpPlotWindow left (drawing colour 12 selected):
// - the orbit points (Z(D), p) as pixels of the "Model phase orbit" frame,
//   (35 + V(Z(D)), 550 - V(p)) with V(v) = trunc(((v - lower) * s) * 200),
//   s = 1/(upper - lower), set only strictly inside the frame's border;
// - per test, the predictions of the first piece as a polyline starting at
//   (x0, height of T(D)), and the error curve when the test finished.
// A value without a 16-bit pixel (huge, infinite, not a number, or a
// zero-width range) is never drawn.
#pragma once

#include <cstdint>
#include <span>

#include "modelcheck/engine.h"
#include "plots/graphics_surface.h"
#include "plots/plot_scale.h"
#include "plots/vector_surface.h"

namespace modelcheck {

// Panel origins x0 of the two tests' frames.
inline constexpr int kDirectPanel = 275;
inline constexpr int kIterativePanel = 525;

// Surface: GraphicsSurface (the raster) or VectorSurface (a recorded picture).
template <typename Surface>
void DrawModelOrbit(Surface& surface, std::span<const OrbitPoint> orbit, const PlotRange& range);

// `newest` is T(D), the newest value of the first piece's initial state.
template <typename Surface>
void DrawTestCurves(Surface& surface, int x0, double newest, std::int32_t Ltest, const PredictionTestResult& test,
                    const PlotRange& range);

}  // namespace modelcheck
