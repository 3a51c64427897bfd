#include "presentation/scan_charts_colours.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace modelcheck {

namespace {

// Nine evenly spaced stops of a perceptually uniform purple-teal-yellow ramp.
constexpr std::array<ChartColour, 9> kRampStops = {
    Rgb255(68, 1, 84),    Rgb255(72, 40, 120),  Rgb255(62, 74, 137),  Rgb255(49, 104, 142), Rgb255(38, 130, 142),
    Rgb255(31, 158, 137), Rgb255(53, 183, 121), Rgb255(109, 205, 89), Rgb255(253, 231, 37),
};

double Mix(double from, double to, double f) { return from + (to - from) * f; }

}  // namespace

ChartColour RampColour(double t) {
  if (!(t > 0.0)) return kRampStops.front();  // also catches NaN
  if (t >= 1.0) return kRampStops.back();
  const double position = t * static_cast<double>(kRampStops.size() - 1);
  const double lower = std::floor(position);
  const auto index = static_cast<std::size_t>(lower);
  const double f = position - lower;
  const ChartColour& a = kRampStops[index];
  const ChartColour& b = kRampStops[index + 1];
  return {Mix(a.red, b.red, f), Mix(a.green, b.green, f), Mix(a.blue, b.blue, f)};
}

double Lightness(const ChartColour& colour) { return 0.299 * colour.red + 0.587 * colour.green + 0.114 * colour.blue; }

}  // namespace modelcheck
