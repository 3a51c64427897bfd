// Positions of the elements of a strided vector inside its span.
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

  StridedIndex(int n, int increment)
      : first(increment < 0 ? (std::ptrdiff_t{1} - n) * increment : 0), inc(increment) {}

  std::size_t operator()(int i) const { return static_cast<std::size_t>(first + i * inc); }
};

}  // namespace modelcheck
