#include "scan/scan_cells.h"

#include "modelcheck/settings_ranges.h"
#include "text/shortest_number.h"

namespace modelcheck {

namespace {

// "D = 3" or "D = 3, tau = 5": a cell's state as its reasons name it.
std::string StateName(std::int32_t D, std::int32_t tau) {
  return "D = " + std::to_string(D) + (tau == 1 ? "" : ", tau = " + std::to_string(tau));
}

}  // namespace

bool DimensionFits(const ScanSettings& settings, std::size_t value_count, std::int32_t D, std::int32_t tau) {
  const std::int64_t R = static_cast<std::int64_t>(value_count) - settings.Ntrain;
  return TauRange(settings.Ntrain, D).Contains(tau) &&
         std::int64_t{settings.Ltest} + settings.Ktest + StateSpan(D, tau) - 1 <= R;
}

std::string CellProblem(const ScanSettings& settings, std::size_t value_count, double training_width, std::int32_t D,
                        std::int32_t tau, double eps, double eps_unit) {
  if (!TauRange(settings.Ntrain, D).Contains(tau)) {
    return "a state of " + StateName(D, tau) + " spans " + std::to_string(StateSpan(D, tau)) +
           " values; the training part has room for " + std::to_string(settings.Ntrain - 1);
  }
  if (!DimensionFits(settings, value_count, D, tau)) {
    const std::int64_t R = static_cast<std::int64_t>(value_count) - settings.Ntrain;
    const std::int64_t needed = std::int64_t{settings.Ltest} + settings.Ktest + StateSpan(D, tau) - 1;
    return "the test segment of " + StateName(D, tau) + " needs " + std::to_string(needed) +
           " values after Ntrain; there are " + std::to_string(R);
  }
  // The same comparison the interactive program makes; NaN accepts nothing.
  const double box = eps * eps_unit;
  if (!(box <= training_width)) {
    const std::string given = eps_unit == 1.0
                                  ? ShortestNumberText(eps)
                                  : ShortestNumberText(eps) + " standard deviations, " + ShortestNumberText(box) + ",";
    return "eps = " + given + " is above the width of the training values, " + ShortestNumberText(training_width);
  }
  return {};
}

}  // namespace modelcheck
