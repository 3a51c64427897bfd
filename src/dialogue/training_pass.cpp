// One training pass: question 1), the training values and their statistics,
// the model passes, and question 7).
#include "dialogue/dialogue_run.h"
#include "dialogue/fixed_field.h"
#include "dialogue/questions.h"
#include "dialogue/series_file.h"
#include "dialogue/settings_ranges.h"

namespace modelcheck {

namespace {

void StartTrainingPart(DialogueRun& run) {
  ModelCheck& check = run.check;
  const std::int32_t Ntrain = check.settings.Ntrain;
  const auto size = static_cast<std::size_t>(Ntrain);
  check.training.assign(size, 0.0);
  OpenReport(run.report, *run.window);
  WriteReportLine(run.report, "The number of values in a training time series: Ntrain = " + FormatInteger(Ntrain, 6));
  WriteReportEmptyLine(run.report);
  LoadTrainingValues(run.series, check.training);
  check.grid.points.assign(size, 0);
  check.neighbours.assign(size, 0);
  const TrainingStatistics statistics = ComputeStatistics(check.training);
  check.plot_range = {.lower = statistics.minimum, .upper = statistics.maximum};
  check.variance = statistics.variance;
}

}  // namespace

char RunTrainingPass(DialogueRun& run) {
  ModelCheck& check = run.check;
  check.settings.Ntrain = AskInteger(*run.window, "(I6)", "1) Length of a training series: Ntrain = ",
                                     [&](std::int32_t Ntrain) { return NtrainAccepted(Ntrain, check.value_count); });
  StartTrainingPart(run);
  while (RunModelPass(run) == 'y') {
  }
  const char answer = AskYesNo(*run.window, "7) Different length Ntrain? (y/n) ");
  check.training = {};
  check.grid.points = {};
  check.neighbours = {};
  return answer;
}

}  // namespace modelcheck
