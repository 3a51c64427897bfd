// Whether one cell of a scan fits the series, and why not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "modelcheck/scan.h"

namespace modelcheck {

// Empty when D, tau and eps fit: a state of span W = (D - 1) tau + 1 fits
// in the training part with a value after it, its test segment (Ltest +
// Ktest + W - 1 values) fits after Ntrain, and the box eps * eps_unit is at
// most the width of the training values, as the interactive program accepts
// it (eps_unit: 1, or the training part's standard deviation for box sizes
// given relative to it). Otherwise the reason.
std::string CellProblem(const ScanSettings& settings, std::size_t value_count, double training_width, std::int32_t D,
                        std::int32_t tau, double eps, double eps_unit);

// Whether D with delay tau fits, as for CellProblem (the baselines need no eps).
bool DimensionFits(const ScanSettings& settings, std::size_t value_count, std::int32_t D, std::int32_t tau);

}  // namespace modelcheck
