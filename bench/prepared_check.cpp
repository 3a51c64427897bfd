#include "prepared_check.h"

#include <string>

#include "dialogue/series_file.h"
#include "model/model_phase_orbit.h"
#include "model/neighbour_grid.h"
#include "platform/plot_image.h"
#include "plots/plot_window.h"
#include "predict/direct_test.h"
#include "predict/iterative_test.h"

namespace modelcheck {

void PrepareCheck(PreparedCheck& run, double eps) {
  ModelCheck& check = run.check;
  check.value_count = static_cast<std::int32_t>(run.series.size());
  check.settings = ModelSettings{.Ntrain = check.value_count - kBenchmarkTestValues, .D = kBenchmarkD, .eps = eps};
  const auto Ntrain = static_cast<std::size_t>(check.settings.Ntrain);
  check.training.assign(Ntrain, 0.0);
  LoadTrainingValues(run.series, check.training);
  check.test_segment.assign(static_cast<std::size_t>(Ntest(check.settings)), 0.0);
  LoadTestSegment(run.series, check.settings.Ntrain, check.test_segment);
  const TrainingStatistics statistics = ComputeStatistics(check.training);
  check.variance = statistics.variance;
  check.plot_range = {.lower = statistics.minimum, .upper = statistics.maximum};
  check.state.assign(kBenchmarkD, 0.0);
  check.grid.points.assign(Ntrain, 0);
  check.neighbours.assign(Ntrain, 0);
  check.iterative_errors.assign(static_cast<std::size_t>(check.settings.Ltest), 0.0);
  check.direct_errors.assign(static_cast<std::size_t>(check.settings.Ltest), 0.0);
  BuildNeighbourGrid(check.settings.Ntrain, check.training, kBenchmarkD - 1, eps, check.grid);
  OpenReport(run.report, run.dialogue);
  check.surface = &run.surface;
  check.report = &run.report;
  check.dialogue = &run.dialogue;
  SetUpPlotWindow(check);
}

bool RunWholeCheck(PreparedCheck& run) {
  SetUpPlotWindow(run.check);
  ModelPhaseOrbit(run.check);
  IterativePredictionTest(run.check);
  DirectPredictionTest(run.check);
  std::string error;
  return WritePlotImage(run.surface, kPlotImageFileName, error);
}

}  // namespace modelcheck
