// The ranges a scan's settings are checked against, and the names of the
// settings and outcomes that messages and tables show.
#include <cfloat>
#include <cmath>
#include <string>

#include "modelcheck/scan.h"
#include "scan/scan_cells.h"
#include "text/shortest_number.h"

namespace modelcheck {

namespace {

// The largest D the interactive program's two-digit answer field takes.
constexpr std::int64_t kLargestDimension = 99;

std::string Range(std::int64_t low, std::int64_t high) { return std::to_string(low) + " to " + std::to_string(high); }

ScanSettingProblem Problem(ScanSetting setting, std::int64_t value, std::string allowed) {
  return {.setting = setting, .value = std::to_string(value), .allowed = std::move(allowed)};
}

}  // namespace

const char* ScanSettingName(ScanSetting setting) {
  switch (setting) {
    case ScanSetting::kNtrain:
      return "Ntrain";
    case ScanSetting::kDimension:
      return "D";
    case ScanSetting::kBoxSize:
      return "eps";
    case ScanSetting::kLtest:
      return "Ltest";
    case ScanSetting::kKtest:
      return "Ktest";
    case ScanSetting::kThreshold:
      return "threshold";
  }
  return "?";
}

const char* CellStatusName(CellStatus status) {
  switch (status) {
    case CellStatus::kFinished:
      return "finished";
    case CellStatus::kSingular:
      return "singular";
    case CellStatus::kInfeasible:
      return "infeasible";
    case CellStatus::kNotRun:
      return "not run";
  }
  return "?";
}

std::optional<ScanSettingProblem> CheckScanSettings(const ScanSettings& settings, std::size_t value_count) {
  const auto count = static_cast<std::int64_t>(value_count);
  if (count < 4 || count - 1 > INT32_MAX) {
    return ScanSettingProblem{
        .setting = ScanSetting::kNtrain,
        .value = std::to_string(settings.Ntrain),
        .allowed = "none: a series needs 4 to 2147483648 values, this one has " + std::to_string(count)};
  }
  if (settings.dimensions.empty()) return ScanSettingProblem{ScanSetting::kDimension, "none", "at least one D"};
  if (settings.box_sizes.empty()) return ScanSettingProblem{ScanSetting::kBoxSize, "none", "at least one eps"};
  std::int64_t smallest_D = kLargestDimension;
  for (const std::int32_t D : settings.dimensions) {
    if (D < 1 || D > kLargestDimension) return Problem(ScanSetting::kDimension, D, Range(1, kLargestDimension));
    smallest_D = std::min<std::int64_t>(smallest_D, D);
  }
  // Ntrain must leave one test piece of one step for the smallest D.
  const std::int64_t most_training = count - 1 - smallest_D;
  if (settings.Ntrain < 2 || settings.Ntrain > most_training) {
    return Problem(ScanSetting::kNtrain, settings.Ntrain, Range(2, most_training));
  }
  for (const std::int32_t D : settings.dimensions) {
    if (D > settings.Ntrain - 1) {
      return Problem(ScanSetting::kDimension, D,
                     Range(1, std::min<std::int64_t>(kLargestDimension, settings.Ntrain - 1)));
    }
  }
  for (const double eps : settings.box_sizes) {
    if (!(eps > 0.0) || !std::isfinite(eps)) {
      return ScanSettingProblem{ScanSetting::kBoxSize, ShortestNumberText(eps), "a positive finite number"};
    }
  }
  const std::int64_t R = count - settings.Ntrain;
  if (settings.Ltest < 1 || R - settings.Ltest < smallest_D) {
    return Problem(ScanSetting::kLtest, settings.Ltest, Range(1, R - smallest_D));
  }
  const std::int64_t most_pieces = R - settings.Ltest + 1 - smallest_D;
  if (settings.Ktest < 1 || settings.Ktest > most_pieces) {
    return Problem(ScanSetting::kKtest, settings.Ktest, Range(1, most_pieces));
  }
  // Held in single precision: the value must have a positive float.
  const double t = settings.threshold;
  if (!(t > 0.0 && t <= FLT_MAX) || static_cast<float>(t) == 0.0f) {
    return ScanSettingProblem{ScanSetting::kThreshold, ShortestNumberText(t),
                              "a positive number from 1.4E-45 to 3.4E+38"};
  }
  return std::nullopt;
}

}  // namespace modelcheck
