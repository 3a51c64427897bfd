// One model pass: D and eps, their report lines, the neighbour grid, the
// evaluation passes, and question 6).
#include "dialogue/dialogue_run.h"
#include "dialogue/fixed_field.h"
#include "dialogue/questions.h"
#include "dialogue/settings_ranges.h"
#include "model/neighbour_grid.h"

namespace modelcheck {

namespace {

void AskDimensionAndBoxSize(DialogueRun& run) {
  ModelSettings& settings = run.check.settings;
  const PlotRange range = run.check.plot_range;
  settings.D = AskInteger(*run.window, "(I2)", "2) Dimension of a model map: D = ",
                          [&](std::int32_t D) { return DAccepted(D, settings.Ntrain); });
  settings.eps = AskReal(*run.window, "(F20.10)", "   Box size: eps = ",
                         [&](double eps) { return EpsAccepted(eps, range.lower, range.upper); });
}

void ReleaseModelArrays(DialogueRun& run) {
  run.check.test_segment = {};
  run.check.iterative_errors = {};
  run.check.direct_errors = {};
  run.check.state = {};
  run.loaded = false;
}

}  // namespace

char RunModelPass(DialogueRun& run) {
  ModelCheck& check = run.check;
  run.loaded = false;
  // With a zero-width plot range no eps is accepted: offer a new Ntrain instead.
  if (!BoxSizeFits(check.plot_range.lower, check.plot_range.upper)) {
    WriteDialogueLine(*run.window, "No box size eps fits: all values in the plot range are equal.");
    return 'n';
  }
  AskDimensionAndBoxSize(run);
  WriteReportLine(run.report, "Dimension of a model map: D = " + FormatInteger(check.settings.D, 2));
  WriteReportLine(run.report, "Box size: eps = " + FormatFixed(check.settings.eps, 9, 5));
  BuildNeighbourGrid(check.settings.Ntrain, check.training, check.settings.D - 1, check.settings.eps, check.grid);
  check.state.assign(static_cast<std::size_t>(check.settings.D), 0.0);
  RunEvaluationPasses(run);
  const char answer = AskYesNo(*run.window, "6) Different dimension or box size? (y/n) ");
  ReleaseModelArrays(run);
  return answer;
}

}  // namespace modelcheck
