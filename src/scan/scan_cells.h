// Whether one cell of a scan fits the series, and why not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "modelcheck/scan.h"

namespace modelcheck {

// Empty when D and eps fit: the test segment of D (Ltest + Ktest + D - 1
// values) fits after Ntrain and eps is at most the width of the training
// values, as the interactive program accepts it. Otherwise the reason.
std::string CellProblem(const ScanSettings& settings, std::size_t value_count, double training_width, std::int32_t D,
                        double eps);

// Whether a test segment of D fits after Ntrain (the baselines need no eps).
bool DimensionFits(const ScanSettings& settings, std::size_t value_count, std::int32_t D);

}  // namespace modelcheck
