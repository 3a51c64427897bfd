#include "prepared_check.h"

#include "engine/neighbour_grid.h"
#include "engine/training_statistics.h"

namespace modelcheck {

CheckInput PreparedCheck::Input() const {
  return MakeCheckInput(run->series, run->settings, run->statistics, run->grid);
}

void PrepareCheck(PreparedCheck& prepared, double eps) {
  DialogueRun& run = *prepared.run;
  run.front_end = &prepared.front_end;
  run.window = &prepared.front_end.dialogue;
  run.value_count = static_cast<std::int32_t>(run.series.size());
  run.settings = ModelSettings{.Ntrain = run.value_count - kBenchmarkTestValues, .D = kBenchmarkD, .eps = eps};
  run.training = std::span<const double>(run.series).first(static_cast<std::size_t>(run.settings.Ntrain));
  run.statistics = ComputeStatistics(run.training);
  run.plot_range = {.lower = run.statistics.minimum, .upper = run.statistics.maximum};
  BuildNeighbourGrid(run.settings.Ntrain, run.training, kBenchmarkD - 1, eps, run.grid);
  OpenReport(run.report, prepared.front_end.dialogue);
}

void RunWholeCheck(PreparedCheck& prepared, int threads) {
  prepared.run->threads = threads;
  RunEvaluation(*prepared.run);
}

}  // namespace modelcheck
