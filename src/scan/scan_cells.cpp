#include "scan/scan_cells.h"

#include "text/shortest_number.h"

namespace modelcheck {

bool DimensionFits(const ScanSettings& settings, std::size_t value_count, std::int32_t D) {
  const std::int64_t R = static_cast<std::int64_t>(value_count) - settings.Ntrain;
  return std::int64_t{settings.Ltest} + settings.Ktest + D - 1 <= R;
}

std::string CellProblem(const ScanSettings& settings, std::size_t value_count, double training_width, std::int32_t D,
                        double eps) {
  if (!DimensionFits(settings, value_count, D)) {
    const std::int64_t R = static_cast<std::int64_t>(value_count) - settings.Ntrain;
    const std::int64_t needed = std::int64_t{settings.Ltest} + settings.Ktest + D - 1;
    return "the test segment of D = " + std::to_string(D) + " needs " + std::to_string(needed) +
           " values after Ntrain; there are " + std::to_string(R);
  }
  // The same comparison the interactive program makes; NaN accepts nothing.
  if (!(eps <= training_width)) {
    return "eps = " + ShortestNumberText(eps) + " is above the width of the training values, " +
           ShortestNumberText(training_width);
  }
  return {};
}

}  // namespace modelcheck
