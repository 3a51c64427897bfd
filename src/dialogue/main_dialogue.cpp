#include "dialogue/main_dialogue.h"

#include <new>

#include "dialogue/dialogue_run.h"
#include "dialogue/questions.h"
#include "errors/orderly_stop.h"

namespace modelcheck {

namespace {

constexpr std::string_view kClosingBanner = "!****************************************************!";

// One series pass; returns the answer to question 8), or 'q' when the user
// ended the program at the file chooser. A front-end that ends the pass at a
// question answers 8) with y.
char RunSeriesPass(DialogueRun& run) {
  if (!LoadSeries(run)) return 'q';
  char answer = 'y';
  try {
    while (RunTrainingPass(run) == 'y') {}
    answer = AskYesNo(run.window(), "8) Different time series? (y/n) ");
  } catch (const SeriesPassEnded&) {
    answer = 'y';
  }
  WriteReportLine(run.report, kClosingBanner);
  WriteReportEmptyLine(run.report);
  CloseReport(run.report);
  run.series = {};
  return answer;
}

}  // namespace

int RunMainDialogue(FrontEnd& front_end) {
  DialogueRun run;
  run.front_end = &front_end;
  run.surface.view = front_end.plot_window;
  DialogueWindow& window = front_end.dialogue;
  try {
    while (RunSeriesPass(run) == 'y') {}
  } catch (const std::bad_alloc&) {
    // The run state still lives, so the report is closed with every line.
    WriteDialogueLine(window, "Not enough memory for this step; the program ends.");
    StopProgram();
  }
  return 0;
}

}  // namespace modelcheck
