// The cell of a value in the 128 x 128 neighbour grid.
//
// cell(v) = trunc(v * u) AND 127, u = 1/eps formed once by the caller: the
// product is truncated toward zero to a 32-bit signed integer and its low
// seven two's-complement bits are kept (-1 -> 127, -128 -> 0, 128 -> 0).
// A product that is not a number or lies outside the 32-bit range counts as
// -2147483648, whose cell is 0, so every double has a defined cell.
#pragma once

#include <cstdint>

namespace modelcheck {

inline constexpr int kGridCells = 128;

inline int GridCell(double value, double reciprocal_eps) {
  const double product = value * reciprocal_eps;
  // The negated range test is also false for NaN.
  if (!(product > -2147483649.0 && product < 2147483648.0)) return 0;
  const auto truncated = static_cast<std::int32_t>(product);
  return static_cast<int>(static_cast<std::uint32_t>(truncated) & (kGridCells - 1));
}

}  // namespace modelcheck
