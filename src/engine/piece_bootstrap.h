// Bootstrap intervals of a prediction test from its pieces' squared errors
// (see BootstrapSettings in modelcheck/engine.h for what is drawn and how).
#pragma once

#include <cstdint>
#include <span>

#include "modelcheck/engine.h"

namespace modelcheck {

// `squared` holds the squared errors of `piece_count` >= 1 pieces,
// piece-major, Ltest per piece; `variance` is the training part's. Runs the
// resamples on `threads` threads (0: every hardware thread).
BootstrapInterval BootstrapPieces(std::span<const double> squared, std::int32_t piece_count, std::int32_t Ltest,
                                  double variance, const BootstrapSettings& settings, int threads);

}  // namespace modelcheck
