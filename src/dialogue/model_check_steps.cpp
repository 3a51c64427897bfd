// One model check: the test segment when it is due, then the evaluation
// steps in their fixed order, then the finished picture for the platform.
#include "dialogue/dialogue_run.h"
#include "dialogue/series_file.h"
#include "model/model_phase_orbit.h"
#include "platform/plot_window_view.h"
#include "plots/plot_window.h"
#include "predict/direct_test.h"
#include "predict/iterative_test.h"

namespace modelcheck {

namespace {

void LoadTestArrays(DialogueRun& run) {
  ModelCheck& check = run.check;
  const auto Ltest = static_cast<std::size_t>(check.settings.Ltest);
  check.test_segment.assign(static_cast<std::size_t>(Ntest(check.settings)), 0.0);
  LoadTestSegment(run.series, check.settings.Ntrain, check.test_segment);
  check.iterative_errors.assign(Ltest, 0.0);
  check.direct_errors.assign(Ltest, 0.0);
  run.loaded = true;
}

}  // namespace

void RunModelCheck(DialogueRun& run, bool settings_changed) {
  if (settings_changed || !run.loaded) LoadTestArrays(run);
  SetUpPlotWindow(run.check);
  ModelPhaseOrbit(run.check);
  IterativePredictionTest(run.check);
  DirectPredictionTest(run.check);
  FinishPlotPicture(run.surface, *run.window);
}

}  // namespace modelcheck
