// One training pass: question 1), the training values and their statistics,
// the model passes, and question 7).
#include "dialogue/dialogue_run.h"
#include "dialogue/prompts.h"
#include "dialogue/questions.h"
#include "modelcheck/settings_ranges.h"
#include "text/fixed_field.h"

namespace modelcheck {

namespace {

void StartTrainingPart(DialogueRun& run) {
  const std::int32_t Ntrain = run.settings.Ntrain;
  OpenReport(run.report, run.window());
  WriteReportLine(run.report, "The number of values in a training time series: Ntrain = " + FormatCount(Ntrain, 6));
  WriteReportEmptyLine(run.report);
  run.training.emplace(run.series, Ntrain);
  run.plot_range = {.lower = run.training->training_minimum(), .upper = run.training->training_maximum()};
}

}  // namespace

char RunTrainingPass(DialogueRun& run) {
  run.settings.Ntrain = AskInteger(run.window(), kCountFormat, "1) Length of a training series: Ntrain = ",
                                   [&](std::int32_t Ntrain) { return NtrainAccepted(Ntrain, run.value_count); });
  StartTrainingPart(run);
  while (RunModelPass(run) == 'y') {}
  const char answer = AskYesNo(run.window(), "7) Different length Ntrain? (y/n) ");
  run.model.reset();
  run.training.reset();
  return answer;
}

}  // namespace modelcheck
