// Positions of the elements of a strided vector, and of a column-major
// matrix, inside their spans.
//
// Element i (zero-based) of a vector of n elements with increment inc lies at
// first + i * inc, where first is 0 for inc >= 0 and (n - 1) * |inc| for
// inc < 0: a negative increment walks the vector from its far end.
#pragma once

#include <cstddef>

namespace modelcheck {

struct StridedIndex {
  std::ptrdiff_t first;
  std::ptrdiff_t inc;

  StridedIndex(int n, int increment) : first(increment < 0 ? (std::ptrdiff_t{1} - n) * increment : 0), inc(increment) {}

  std::size_t operator()(int i) const { return static_cast<std::size_t>(first + i * inc); }
};

// Element (i, j), one-based, of a column-major matrix with leading dimension
// ld lies at (j - 1) * ld + (i - 1).
inline std::size_t ColumnMajorIndex(int i, int j, int ld) {
  return static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(ld) + static_cast<std::size_t>(i - 1);
}

}  // namespace modelcheck
