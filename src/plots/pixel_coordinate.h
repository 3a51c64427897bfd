// Pixel coordinates computed from values: truncation toward zero into the
// window's 16-bit coordinates, with defined results for every double.
//
// A coordinate is origin + direction * trunc(offset). When the offset is not a
// number, or the truncated offset or the sum does not fit 16 bits, there is no
// coordinate: such a point lies far outside every frame and is never drawn,
// nor is any segment that touches it (it is never wrapped into the window).
#pragma once

#include <cstdint>
#include <optional>

namespace modelcheck {

struct PixelPoint {
  std::int16_t x = 0;
  std::int16_t y = 0;
  bool valid = false;  // false: a coordinate had no 16-bit value
};

// origin + direction * trunc(offset), direction +1 (rightward) or -1 (upward).
std::optional<std::int16_t> PixelCoordinate(int origin, int direction, double offset);

// A point from two coordinates; invalid when either is missing.
PixelPoint MakePixelPoint(std::optional<std::int16_t> x, std::optional<std::int16_t> y);

}  // namespace modelcheck
