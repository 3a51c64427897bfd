// The curves that the prediction tests add to the plot window: the
// predictions of the first test piece and the normalised error per horizon.
//
// A test's two panels share its origin x0 (275 direct, 525 iterative). Its
// prediction panel spans heights 250 (the plot range's lower end) to 50 (its
// upper end); its error panel spans 550 (error 0) to 350 (error 1). Horizon i
// of Ltest lies at x0 + trunc(200 * i / Ltest). Lines go through MoveTo and
// LineTo on the plot window in the colour left selected. Points whose
// coordinates do not fit the window's 16-bit coordinates (NaN, huge values)
// are never drawn.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "plots/graphics_surface.h"
#include "plots/pixel_coordinate.h"
#include "plots/plot_scale.h"

namespace modelcheck {

// Scale of the prediction panels: s = 1/(Ymax - Ymin), formed once per test.
struct PredictionScale {
  double lower = 0.0;
  double reciprocal_width = 0.0;
};

PredictionScale MakePredictionScale(const PlotRange& range);

// 250 - trunc(200 * (v - Ymin) * s), the product formed left to right.
std::optional<std::int16_t> ValueHeight(const PredictionScale& scale, double value);

// x0 + trunc(200 * i / Ltest).
std::int16_t HorizonPosition(int x0, std::int32_t horizon, std::int32_t Ltest);

// 550 - trunc(200 * e).
std::optional<std::int16_t> ErrorHeight(double error);

// Clipping of the two kinds of curve, applied to both ends of a segment.
bool InsidePredictionPanel(const PixelPoint& point);  // 50 < y < 250
bool InsideErrorPanel(const PixelPoint& point);       // 350 < y <= 550

// The pen of a curve: its previous and its current point.
struct Pen {
  PixelPoint previous;
  PixelPoint current;
};

// Puts the pen at (x0, height of the piece's newest state value Z(D)).
void StartPredictionCurve(Pen& pen, int x0, double newest, const PredictionScale& scale);

// Moves the pen to horizon i of Ltest at the height of p and draws the
// segment from the previous point when both ends lie inside the prediction panel.
template <typename Surface>
void PlotPrediction(Surface& surface, Pen& pen, int x0, std::int32_t horizon, std::int32_t Ltest, double prediction,
                    const PredictionScale& scale);

// Draws the segments between horizons i-1 and i, i = 2..Ltest, of the
// normalised errors, each when both its ends lie inside the error panel.
template <typename Surface>
void DrawErrorCurve(Surface& surface, int x0, std::span<const double> errors);

}  // namespace modelcheck
