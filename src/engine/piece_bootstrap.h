// Bootstrap intervals of a prediction test from its pieces' squared errors
// (see BootstrapSettings in modelcheck/engine.h for what is drawn and how).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "modelcheck/engine.h"

namespace modelcheck {

// The zero-based positions, among `count` >= 1 sorted values, of the ends of
// their central 90 %: the ceil(count/20)-th and ceil(19 count/20)-th
// smallest (nearest rank; with fewer than 20 values, the smallest and the
// largest).
struct CentralRanks {
  std::size_t low = 0;
  std::size_t high = 0;
};
CentralRanks CentralNinetyPercent(std::size_t count);

// `squared` holds the squared errors of `piece_count` >= 1 pieces,
// piece-major, Ltest per piece; `variance` is the training part's. Runs the
// resamples on `threads` threads (0: every hardware thread).
BootstrapInterval BootstrapPieces(std::span<const double> squared, std::int32_t piece_count, std::int32_t Ltest,
                                  double variance, const BootstrapSettings& settings, int threads);

}  // namespace modelcheck
