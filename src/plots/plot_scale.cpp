#include "plots/plot_scale.h"

#include <limits>

namespace modelcheck {

PlotRange WidenedRange(std::span<const double> values) {
  double high = values.front();
  for (const double value : values) {
    if (value > high) high = value;
  }
  double low = values.front();
  for (const double value : values) {
    if (value < low) low = value;
  }
  const double margin = 0.1 * (high - low);
  return PlotRange{.lower = low - margin, .upper = high + margin};
}

double ValueScale(const PlotRange& range) {
  const double width = range.upper - range.lower;
  // A constant series has no spread to scale by; NaN keeps every offset unplaced.
  if (width == 0.0) return std::numeric_limits<double>::quiet_NaN();
  return 1.0 / width;
}

double ValueOffset(double value, const PlotRange& range, double scale) {
  return ((value - range.lower) * scale) * kFrameSize;
}

double TimeOffset(int k, double reciprocal) { return (k * reciprocal) * kFrameSize; }

}  // namespace modelcheck
