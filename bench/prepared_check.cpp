#include "prepared_check.h"

namespace modelcheck {

CheckInput PreparedCheck::Input() const { return MakeCheckInput(run->series, run->settings, statistics, *grid); }

void PrepareCheck(PreparedCheck& prepared, double eps) {
  DialogueRun& run = *prepared.run;
  run.front_end = &prepared.front_end;
  run.value_count = static_cast<std::int32_t>(run.series.size());
  run.settings = ModelSettings{.Ntrain = run.value_count - kBenchmarkTestValues, .D = kBenchmarkD, .eps = eps};
  run.training.emplace(run.series, run.settings.Ntrain);
  run.plot_range = {.lower = run.training->training_minimum(), .upper = run.training->training_maximum()};
  run.model.emplace(run.training->Model(kBenchmarkD, eps));
  prepared.training = std::span<const double>(run.series).first(static_cast<std::size_t>(run.settings.Ntrain));
  prepared.statistics = ComputeStatistics(prepared.training);
  BuildNeighbourGrid(run.settings.Ntrain, prepared.training, kBenchmarkD - 1, eps, *prepared.grid);
  OpenReport(run.report, prepared.front_end.dialogue);
}

void RunWholeCheck(PreparedCheck& prepared, int threads) {
  prepared.run->threads = threads;
  RunEvaluation(*prepared.run);
}

}  // namespace modelcheck
