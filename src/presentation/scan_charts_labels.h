// The words and numbers of the scan charts, and where their axis labels go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "modelcheck/scan.h"

namespace modelcheck {

// eps as an axis shows it: its shortest round-trip text when that is short
// ("0.01", "1e-06"), else 3 significant digits ("0.00255").
std::string BoxSizeLabel(double eps);

// "1 step", "19 steps".
std::string StepsText(std::int32_t steps);

// "1 dimension", "6 dimensions": the count and the noun, plural unless 1.
std::string CountText(std::size_t count, const std::string& noun);

// The threshold as it was set: the single-precision value's shortest text
// ("0.05") when it is one, else the double's.
std::string ThresholdText(double threshold);

// "Ntrain = 9865, Ltest = 30, Ktest = 100, threshold 0.05".
std::string SettingsText(const ScanSettings& settings);

// "D = 2, eps = 0.01", eps as the axis labels it.
std::string CellName(const ScanCell& cell);

// "best: D = 2, eps = 0.01: iterative 19 steps, direct 9 steps", or that
// there is none.
std::string BestCellCaption(const ScanResult& result, std::optional<std::size_t> best);

// The smallest k such that labels of these widths, centred `spacing` apart,
// keep at least `gap` between them when only every k-th is shown (at least 1).
std::size_t LabelStride(std::span<const double> widths, double spacing, double gap);

// Integer tick values from `first` (0 or more) to `last`: the multiples of the smallest
// round step (1, 2 or 5 times a power of ten) that leaves at least `room`
// units between ticks, with `first` and `last` added where that leaves the
// room (`last` replaces a multiple too close to it, so both ends show).
std::vector<std::int32_t> IntegerTicks(std::int32_t first, std::int32_t last, double room);

}  // namespace modelcheck
