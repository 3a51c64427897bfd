#include "prepared_check.h"

#include "engine/neighbour_grid.h"
#include "engine/training_statistics.h"

namespace modelcheck {

CheckInput PreparedCheck::Input() const {
  const DialogueRun& r = *run;
  return CheckInput{.settings = r.settings,
                    .training = r.training,
                    .test_segment = std::span<const double>(r.series).subspan(
                        static_cast<std::size_t>(r.settings.Ntrain), static_cast<std::size_t>(Ntest(r.settings))),
                    .variance = r.variance,
                    .error_scale = r.error_scale,
                    .grid = &r.grid};
}

void PrepareCheck(PreparedCheck& prepared, double eps) {
  DialogueRun& run = *prepared.run;
  run.window = &prepared.dialogue;
  run.value_count = static_cast<std::int32_t>(run.series.size());
  run.settings = ModelSettings{.Ntrain = run.value_count - kBenchmarkTestValues, .D = kBenchmarkD, .eps = eps};
  run.training = std::span<const double>(run.series).first(static_cast<std::size_t>(run.settings.Ntrain));
  const TrainingStatistics statistics = ComputeStatistics(run.training);
  run.variance = statistics.variance;
  run.error_scale = statistics.error_scale;
  run.plot_range = {.lower = statistics.minimum, .upper = statistics.maximum};
  BuildNeighbourGrid(run.settings.Ntrain, run.training, kBenchmarkD - 1, eps, run.grid);
  OpenReport(run.report, prepared.dialogue);
}

void RunWholeCheck(PreparedCheck& prepared, int threads) {
  prepared.run->threads = threads;
  RunEvaluation(*prepared.run);
}

}  // namespace modelcheck
