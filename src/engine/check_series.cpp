// The library's entry: settings checked, the training part prepared, one check.
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/baselines.h"
#include "engine/model_check.h"
#include "engine/neighbour_grid.h"
#include "engine/tiny_series.h"
#include "engine/training_statistics.h"
#include "modelcheck/engine.h"
#include "modelcheck/settings_ranges.h"

namespace modelcheck {

namespace {

std::string OutsideRange(const char* name, std::int64_t value, WholeRange range) {
  return std::string(name) + " = " + std::to_string(value) + " is outside its range " + std::to_string(range.low) +
         ".." + std::to_string(range.high);
}

}  // namespace

const char* CheckPhaseName(CheckPhase phase) {
  switch (phase) {
    case CheckPhase::kOrbit:
      return "orbit";
    case CheckPhase::kIterative:
      return "iterative";
    case CheckPhase::kDirect:
      return "direct";
  }
  return "?";
}

const char* StopReasonName(StopReason reason) {
  switch (reason) {
    case StopReason::kSingularFit:
      return "singular_fit";
  }
  return "?";
}

std::string SettingsProblem(const ModelSettings& settings, std::size_t value_count) {
  const auto count = static_cast<std::int64_t>(value_count);
  if (count < kFewestSeriesValues) {
    return "a series needs at least " + std::to_string(kFewestSeriesValues) + " values; this one has " +
           std::to_string(count);
  }
  if (count - 1 > INT32_MAX) return "a series may hold at most 2147483648 values";
  const WholeRange Ntrain = NtrainRange(count);
  if (!Ntrain.Contains(settings.Ntrain)) return OutsideRange("Ntrain", settings.Ntrain, Ntrain);
  const WholeRange D = DRange(settings.Ntrain);
  if (!D.Contains(settings.D)) return OutsideRange("D", settings.D, D);
  if (!EpsUsable(settings.eps)) return "eps = " + std::to_string(settings.eps) + " must be a positive finite number";
  const std::int64_t R = count - settings.Ntrain;
  if (!TestPieceFits(R, settings.D)) return "no test piece fits: the values after Ntrain must outnumber D";
  const WholeRange Ltest = LtestRange(R, settings.D);
  if (!Ltest.Contains(settings.Ltest)) return OutsideRange("Ltest", settings.Ltest, Ltest);
  const WholeRange Ktest = KtestRange(settings.Ltest, R, settings.D);
  if (!Ktest.Contains(settings.Ktest)) return OutsideRange("Ktest", settings.Ktest, Ktest);
  return {};
}

CheckResult CheckSeries(std::span<const double> given, const ModelSettings& given_settings,
                        const CheckOptions& options) {
  const std::string problem = SettingsProblem(given_settings, given.size());
  if (!problem.empty()) throw std::invalid_argument(problem);
  const FittedSeries fitted(given);
  const int k = fitted.k;
  const std::span<const double> series = fitted.values;
  ModelSettings settings = given_settings;
  settings.eps = std::ldexp(settings.eps, k);
  const auto Ntrain = static_cast<std::size_t>(settings.Ntrain);
  const std::span<const double> training = series.first(Ntrain);
  // The grid's 64 KiB cell table stays off the caller's stack.
  auto grid = std::make_unique<NeighbourGrid>();
  BuildNeighbourGrid(settings.Ntrain, training, settings.D - 1, settings.eps, *grid);
  CheckResult result = RunModelCheck(MakeCheckInput(series, settings, ComputeStatistics(training), *grid), options);
  ScaleBack(result, k);
  return result;
}

BaselineResult CheckBaselines(std::span<const double> given, const ModelSettings& settings) {
  const std::string problem = SettingsProblem(settings, given.size());
  if (!problem.empty()) throw std::invalid_argument(problem);
  const FittedSeries fitted(given);
  const std::span<const double> series = fitted.values;
  const TrainingStatistics statistics = ComputeStatistics(series.first(static_cast<std::size_t>(settings.Ntrain)));
  BaselineResult result = RunBaselines(MakeCheckInput(series, settings, statistics));
  ScaleBack(result, fitted.k);
  return result;
}

}  // namespace modelcheck
