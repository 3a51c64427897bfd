// The ranges a scan's settings are checked against, and the names of the
// settings and outcomes that messages and tables show.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

#include "modelcheck/scan.h"
#include "modelcheck/settings_ranges.h"
#include "scan/scan_cells.h"
#include "text/shortest_number.h"

namespace modelcheck {

namespace {

std::string Range(WholeRange range) { return std::to_string(range.low) + " to " + std::to_string(range.high); }

ScanSettingProblem Problem(ScanSetting setting, std::int64_t value, WholeRange allowed) {
  return {.setting = setting, .value = std::to_string(value), .allowed = Range(allowed)};
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
    case ScanSetting::kDelay:
      return "tau";
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
  if (count < kFewestSeriesValues || count - 1 > INT32_MAX) {
    return ScanSettingProblem{.setting = ScanSetting::kNtrain,
                              .value = std::to_string(settings.Ntrain),
                              .allowed = "none: a series needs " + std::to_string(kFewestSeriesValues) +
                                         " to 2147483648 values, this one has " + std::to_string(count)};
  }
  if (settings.D.empty()) return ScanSettingProblem{ScanSetting::kDimension, "none", "at least one D"};
  if (settings.eps.empty()) return ScanSettingProblem{ScanSetting::kBoxSize, "none", "at least one eps"};
  if (settings.tau.empty()) return ScanSettingProblem{ScanSetting::kDelay, "none", "at least one tau"};
  const WholeRange any_tau{1, INT32_MAX};
  for (const std::int32_t tau : settings.tau) {
    if (!any_tau.Contains(tau)) return Problem(ScanSetting::kDelay, tau, any_tau);
  }
  // Each setting is judged as a single check judges it, for the smallest D:
  // a larger D that leaves no test segment makes its cells infeasible only.
  // No D can exceed that of the tightest check of this series: Ntrain = D + 1
  // and D + 1 values after it.
  const WholeRange any_D{1, (count - 2) / 2};
  for (const std::int32_t D : settings.D) {
    if (!any_D.Contains(D)) return Problem(ScanSetting::kDimension, D, any_D);
  }
  // Ntrain must leave one test piece of one step for the smallest D and delay.
  const std::int64_t smallest_D = *std::min_element(settings.D.begin(), settings.D.end());
  const std::int64_t smallest_tau = *std::min_element(settings.tau.begin(), settings.tau.end());
  const std::int64_t smallest_W = StateSpan(smallest_D, smallest_tau);
  const WholeRange Ntrain{NtrainRange(count).low, NtrainRange(count).high - smallest_W};
  if (!Ntrain.Contains(settings.Ntrain) && smallest_D > 1 && smallest_tau > 1) {
    // Where Ntrain would fit with consecutive values, or no Ntrain fits at
    // all, the delay is what leaves no room: it is named, with the delays that fit.
    const WholeRange undelayed{Ntrain.low, NtrainRange(count).high - StateSpan(smallest_D, 1)};
    const bool undelayed_fits = undelayed.Contains(settings.Ntrain);
    if (undelayed_fits || Ntrain.high < Ntrain.low) {
      const std::int64_t room = NtrainRange(count).high - (undelayed_fits ? settings.Ntrain : Ntrain.low) - 1;
      return Problem(ScanSetting::kDelay, smallest_tau, WholeRange{1, room / (smallest_D - 1)});
    }
  }
  if (!Ntrain.Contains(settings.Ntrain)) return Problem(ScanSetting::kNtrain, settings.Ntrain, Ntrain);
  for (const std::int32_t D : settings.D) {
    if (!DAccepted(D, settings.Ntrain)) return Problem(ScanSetting::kDimension, D, DRange(settings.Ntrain));
  }
  const std::int64_t R = count - settings.Ntrain;
  for (const double eps : settings.eps) {
    if (!EpsUsable(eps))
      return ScanSettingProblem{ScanSetting::kBoxSize, ShortestNumberText(eps), "a positive finite number"};
  }
  const WholeRange Ltest = LtestRange(R, smallest_W);
  if (!Ltest.Contains(settings.Ltest)) return Problem(ScanSetting::kLtest, settings.Ltest, Ltest);
  const WholeRange Ktest = KtestRange(settings.Ltest, R, smallest_W);
  if (!Ktest.Contains(settings.Ktest)) return Problem(ScanSetting::kKtest, settings.Ktest, Ktest);
  // Held in single precision: the value must have a positive float.
  const double t = settings.threshold;
  if (!(t > 0.0 && t <= FLT_MAX) || static_cast<float>(t) == 0.0f) {
    return ScanSettingProblem{ScanSetting::kThreshold, ShortestNumberText(t),
                              "a positive number from 1.4E-45 to 3.4E+38"};
  }
  return std::nullopt;
}

std::int64_t ScanReadSpan(const ScanSettings& settings) {
  std::int64_t largest_D = 1, largest_tau = 1;
  for (const std::int32_t D : settings.D) largest_D = std::max<std::int64_t>(largest_D, D);
  for (const std::int32_t tau : settings.tau) largest_tau = std::max<std::int64_t>(largest_tau, tau);
  return std::int64_t{settings.Ntrain} + settings.Ltest + settings.Ktest + (largest_D - 1) * largest_tau;
}

}  // namespace modelcheck
