// Peak memory of one whole model check on a series file, holding what the
// console program holds: model_check_memory <series file> <eps>. D = 2,
// Ltest = 30, Ktest = 100, Ntrain = the value count - 200 (beyond what the
// dialogue's six-digit field can take, so 10^7 values can be measured).
// Prints the peak resident size and the bytes it costs per value.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "dialogue/report_log.h"
#include "dialogue/series_file.h"
#include "model/model_check.h"
#include "model/model_phase_orbit.h"
#include "model/neighbour_grid.h"
#include "platform/plot_image.h"
#include "plots/graphics_surface.h"
#include "plots/plot_window.h"
#include "predict/direct_test.h"
#include "predict/iterative_test.h"

namespace modelcheck {
namespace {

constexpr std::int32_t kD = 2;
constexpr std::int32_t kTestValues = 200;

struct Run {
  std::vector<double> series;
  ModelCheck check;
  GraphicsSurface surface;
  ReportLog report;
  std::ostringstream dialogue_text;
  DialogueWindow dialogue{.in = nullptr, .out = &dialogue_text};
};

// The training pass and the model pass, as the dialogue runs them.
void PrepareCheck(Run& run, double eps) {
  ModelCheck& check = run.check;
  check.value_count = static_cast<std::int32_t>(run.series.size());
  check.settings = ModelSettings{.Ntrain = check.value_count - kTestValues, .D = kD, .eps = eps};
  const auto Ntrain = static_cast<std::size_t>(check.settings.Ntrain);
  check.training.assign(Ntrain, 0.0);
  LoadTrainingValues(run.series, check.training);
  check.grid.points.assign(Ntrain, 0);
  check.neighbours.assign(Ntrain, 0);
  const TrainingStatistics statistics = ComputeStatistics(check.training);
  check.plot_range = {.lower = statistics.minimum, .upper = statistics.maximum};
  check.variance = statistics.variance;
  BuildNeighbourGrid(check.settings.Ntrain, check.training, kD - 1, eps, check.grid);
  check.state.assign(kD, 0.0);
  check.test_segment.assign(static_cast<std::size_t>(Ntest(check.settings)), 0.0);
  LoadTestSegment(run.series, check.settings.Ntrain, check.test_segment);
  check.iterative_errors.assign(static_cast<std::size_t>(check.settings.Ltest), 0.0);
  check.direct_errors.assign(static_cast<std::size_t>(check.settings.Ltest), 0.0);
}

bool RunWholeCheck(Run& run) {
  ModelCheck& check = run.check;
  OpenReport(run.report, run.dialogue);
  check.surface = &run.surface;
  check.report = &run.report;
  check.dialogue = &run.dialogue;
  SetUpPlotWindow(check);
  ModelPhaseOrbit(check);
  IterativePredictionTest(check);
  DirectPredictionTest(check);
  std::string error;
  return WritePlotImage(run.surface, kPlotImageFileName, error);
}

}  // namespace
}  // namespace modelcheck

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: model_check_memory <series file> <eps>\n");
    return 2;
  }
  modelcheck::Run run;
  modelcheck::SeriesCount count = modelcheck::CountValuesInFile(argv[1]);
  if (count.outcome != modelcheck::CountOutcome::kCounted || count.values.size() <= 400) {
    std::fprintf(stderr, "model_check_memory: \"%s\" is no series of more than 400 values\n", argv[1]);
    return 1;
  }
  run.series = std::move(count.values);
  modelcheck::PrepareCheck(run, std::atof(argv[2]));
  if (!modelcheck::RunWholeCheck(run)) return 1;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double bytes = static_cast<double>(usage.ru_maxrss) * 1024.0;
  std::printf("%zu values: peak memory %.1f MB, %.1f bytes per value\n", run.series.size(), bytes / 1e6,
              bytes / static_cast<double>(run.series.size()));
  return 0;
}
