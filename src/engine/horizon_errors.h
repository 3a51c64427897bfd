// The error measure shared by the prediction tests.
//
// HorizonErrors E(1..Ltest) are stored zero-based, E(i) at [i - 1]. While a
// test runs, E(i) is the sum over the test pieces of the squared errors at
// horizon i; after NormaliseHorizonErrors it is the root-mean-square error at
// horizon i in units of the training series' standard deviation.
#pragma once

#include <cstdint>
#include <span>

#include "modelcheck/engine.h"

namespace modelcheck {

// E(i) = sum over pieces k = 1..K, in that order, of squared[(k-1)*Ltest + i-1],
// starting from zero: bit for bit the sums that adding each piece's squared
// errors as it is made would give. Ltest = errors.size().
void SumSquaredErrors(std::span<const double> squared, std::int32_t piece_count, std::span<double> errors);

// Sets every E(i) to zero.
void ClearHorizonErrors(std::span<double> errors);

// E(i) = E(i) + (p - target)^2.
void AddSquaredError(std::span<double> errors, std::int32_t horizon, double prediction, double target);

// E(i) = sqrt((E(i) * (1/K)) * (1/variance)) for every horizon; K >= 1 pieces.
void NormaliseHorizonErrors(std::span<double> errors, std::int32_t piece_count, double variance);

}  // namespace modelcheck
