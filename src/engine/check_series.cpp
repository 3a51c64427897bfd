// The library's entry: settings checked, the training part prepared, one check.
#include <cmath>
#include <stdexcept>
#include <string>

#include "modelcheck/engine.h"
#include "modelcheck/prepared_training.h"
#include "modelcheck/settings_ranges.h"

namespace modelcheck {

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
  if (!Ntrain.Contains(settings.Ntrain)) return OutsideRangeText("Ntrain", settings.Ntrain, Ntrain);
  const WholeRange D = DRange(settings.Ntrain);
  if (!D.Contains(settings.D)) return OutsideRangeText("D", settings.D, D);
  const WholeRange tau = TauRange(settings.Ntrain, settings.D);
  if (!tau.Contains(settings.tau)) return OutsideRangeText("tau", settings.tau, tau);
  if (!EpsUsable(settings.eps)) return EpsUnusableText(settings.eps);
  const std::int64_t R = count - settings.Ntrain;
  const std::int64_t W = StateSpan(settings.D, settings.tau);
  if (!TestPieceFits(R, W)) {
    return settings.tau == 1 ? "no test piece fits: the values after Ntrain must outnumber D"
                             : "no test piece fits: the values after Ntrain must outnumber (D - 1) tau + 1";
  }
  const WholeRange Ltest = LtestRange(R, W);
  if (!Ltest.Contains(settings.Ltest)) return OutsideRangeText("Ltest", settings.Ltest, Ltest);
  const WholeRange Ktest = KtestRange(settings.Ltest, R, W);
  if (!Ktest.Contains(settings.Ktest)) return OutsideRangeText("Ktest", settings.Ktest, Ktest);
  return {};
}

CheckResult CheckSeries(std::span<const double> series, const ModelSettings& settings, const CheckOptions& options) {
  const std::string problem = SettingsProblem(settings, series.size());
  if (!problem.empty()) throw std::invalid_argument(problem);
  return PreparedTraining(series, settings.Ntrain).Check(settings, options);
}

BaselineResult CheckBaselines(std::span<const double> series, const ModelSettings& settings, int threads) {
  const std::string problem = SettingsProblem(settings, series.size());
  if (!problem.empty()) throw std::invalid_argument(problem);
  return PreparedTraining(series, settings.Ntrain).Baselines(settings, threads);
}

}  // namespace modelcheck
