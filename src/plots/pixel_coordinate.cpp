#include "plots/pixel_coordinate.h"

#include <cmath>
#include <limits>

namespace modelcheck {

std::optional<std::int16_t> PixelCoordinate(int origin, int direction, double offset) {
  // Guard the conversion: NaN or out-of-range doubles have no integer value.
  constexpr double kLimit = 65536.0;
  if (!(std::fabs(offset) < kLimit)) return std::nullopt;
  const long truncated = static_cast<long>(offset);  // toward zero, in range
  const long coordinate = origin + direction * truncated;
  if (coordinate < std::numeric_limits<std::int16_t>::min() || coordinate > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(coordinate);
}

PixelPoint MakePixelPoint(std::optional<std::int16_t> x, std::optional<std::int16_t> y) {
  if (!x || !y) return PixelPoint{};
  return PixelPoint{.x = *x, .y = *y, .valid = true};
}

}  // namespace modelcheck
