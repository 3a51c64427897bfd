// The evaluation passes of one model pass: the test settings (questions 3)
// and 4)), one model check each, and question 5).
#include "dialogue/dialogue_run.h"
#include "dialogue/prompts.h"
#include "dialogue/questions.h"
#include "modelcheck/settings_ranges.h"
#include "text/fixed_field.h"

namespace modelcheck {

namespace {

void WriteCurrentSettings(DialogueRun& run) {
  const ModelSettings& settings = run.settings;
  WriteDialogueLine(run.window(), "3) Current settings are:");
  WriteDialogueLine(run.window(),
                    "   Ltest = " + FormatCount(settings.Ltest, 5) + ", Ktest = " + FormatCount(settings.Ktest, 4));
}

// Asks for Ltest and Ktest when the user wants to change them, or without
// the question when the current values do not fit the file.
void AskTestSettings(DialogueRun& run, std::int64_t R) {
  ModelSettings& settings = run.settings;
  DialogueWindow& window = run.window();
  if (SettingsFit(settings.Ltest, settings.Ktest, R, settings.D) &&
      AskYesNo(window, "   Change settings? (y/n) ") == 'n')
    return;
  settings.Ltest = AskInteger(window, kCountFormat, "4) The length of a test piece: Ltest = ", [&](std::int32_t Ltest) {
    return LtestAccepted(Ltest, R, settings.D);
  });
  settings.Ktest = AskInteger(window, kCountFormat, "    The number of test pieces: Ktest = ", [&](std::int32_t Ktest) {
    return KtestAccepted(Ktest, settings.Ltest, R, settings.D);
  });
}

}  // namespace

void RunEvaluationPasses(DialogueRun& run) {
  const ModelSettings& settings = run.settings;
  do {
    WriteCurrentSettings(run);
    const std::int64_t R = std::int64_t{run.value_count} - settings.Ntrain;
    // No Ltest could be accepted: leave for question 6) and a smaller D.
    if (!TestPieceFits(R, settings.D)) {
      WriteDialogueLine(run.window(), "No test piece fits: the values after Ntrain must outnumber D.");
      return;
    }
    AskTestSettings(run, R);
    RunEvaluation(run);
  } while (AskYesNo(run.window(), "5) Check model efficiency again? (y/n) ") == 'y');
}

}  // namespace modelcheck
