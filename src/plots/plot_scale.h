// The plot range and the offsets that place values and time steps in a frame.
//
// Offsets are doubles in pixels from a frame's origin, evaluated in the order
// written here so that every machine truncates them to the same pixel; turn
// them into window coordinates with PixelCoordinate (which truncates toward
// zero and refuses what does not fit 16 bits). With a zero-width range the
// scale is not finite and every value offset is NaN: nothing is placed.
#pragma once

#include <span>

namespace modelcheck {

inline constexpr int kFrameSize = 200;  // pixels per frame side

// The values that the value axes span, lower bound at the bottom.
struct PlotRange {
  double lower = 0.0;
  double upper = 0.0;
};

// The range of `values` widened by a tenth of its spread at each end. Each
// scan keeps the first value and replaces it only by a strictly larger
// (respectively smaller) one. `values` must not be empty.
PlotRange WidenedRange(std::span<const double> values);

// s = 1 / (upper - lower), formed once per drawing step.
double ValueScale(const PlotRange& range);

// V(v) = ((v - lower) · s) · 200: 0 at the lower bound, 200 at the upper.
double ValueOffset(double value, const PlotRange& range, double scale);

// N(k) = (k · (1/Ltest)) · 200 with the reciprocal formed first: 0 at k = 0,
// 200 at k = Ltest. `reciprocal` is 1/Ltest.
double TimeOffset(int k, double reciprocal);

}  // namespace modelcheck
