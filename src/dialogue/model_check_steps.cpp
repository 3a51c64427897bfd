// One model check: computed by the engine, then presented in the order the
// steps happen: the plot set-up, the model's orbit, the iterative test, the
// direct test, and the finished picture for the platform.
#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dialogue/dialogue_run.h"
#include "dialogue/prompts.h"
#include "errors/message_sink.h"
#include "errors/orderly_stop.h"
#include "plots/plot_window.h"
#include "presentation/check_drawing.h"
#include "presentation/neighbour_counts_file.h"
#include "presentation/result_lines.h"

namespace modelcheck {

namespace {

void ShowProgramStep(const DialogueRun& run, std::string_view text) {
  if (run.front_end->show_program_step) run.front_end->show_program_step(text);
}

// What the user can do about an exactly singular local fit, said after the
// numerical core's message in words of the model.
constexpr std::string_view kSingularFitHint =
    "A local fit had identical or collinear neighbour states (typical of quantised data or of a box smaller "
    "than the quantisation step): try a larger eps or a smaller D.";

// The numerical core's message, what to try, and the orderly stop, when the
// check stopped in `phase`; a window on screen keeps the picture as far as it
// was drawn.
void StopIfStoppedIn(DialogueRun& run, const CheckResult& result, CheckPhase phase) {
  if (!result.stop || result.stop->phase != phase) return;
  const CheckStop& stop = *result.stop;
  ShowAll(run.surface);
  CapturedStop replay;
  replay.status = kErrorStopStatus;
  replay.messages = stop.message;
  // A line of the dialogue's layout, printed with the message it explains.
  if (stop.reason == StopReason::kSingularFit) replay.messages += " " + std::string(kSingularFitHint) + "\n";
  ReplayStop(replay);
}

void PresentIterativeTest(DialogueRun& run, const CheckResult& result) {
  const auto lines = IterativeResultLines({.Ltest = run.settings.Ltest,
                                           .Ktest = run.settings.Ktest,
                                           .one_step_error = result.one_step_error,
                                           .prediction_time = result.iterative.prediction_time.value()});
  for (const std::string& line : lines) WriteReportLine(run.report, line);
  WriteDialogueLine(run.window(), lines[2]);
  WriteDialogueLine(run.window(), lines[3]);
  BringToFront(run.surface);
}

void PresentDirectTest(DialogueRun& run, const CheckResult& result) {
  const std::string line = DirectResultLine(result.direct.prediction_time.value());
  WriteReportLine(run.report, line);
  WriteReportEmptyLine(run.report);
  WriteDialogueLine(run.window(), line);
  const std::string failure =
      ReplaceTextFile(std::string(kNeighbourCountsFileName), FormatNeighbourCounts(result.direct.neighbour_counts));
  if (failure.empty()) return;
  // neighbors.txt must describe the latest check; without it the session cannot go on.
  WriteDialogueLine(run.window(), failure);
  StopProgram();
}

void Present(DialogueRun& run, const CheckResult& result, std::span<const double> T) {
  const ModelSettings& settings = run.settings;
  const double newest = T[static_cast<std::size_t>(settings.D - 1)];
  run.plot_range = SetUpPlotWindow(run.surface, settings, T);
  DrawModelOrbit(run.surface, result.orbit, run.plot_range);
  StopIfStoppedIn(run, result, CheckPhase::kOrbit);
  DrawTestCurves(run.surface, kIterativePanel, newest, settings.Ltest, result.iterative, run.plot_range);
  StopIfStoppedIn(run, result, CheckPhase::kIterative);
  PresentIterativeTest(run, result);
  DrawTestCurves(run.surface, kDirectPanel, newest, settings.Ltest, result.direct, run.plot_range);
  StopIfStoppedIn(run, result, CheckPhase::kDirect);
  PresentDirectTest(run, result);
  if (run.front_end->finish_picture) run.front_end->finish_picture(run.surface, run.window());
}

// The check of the pass's settings over the model pass's grid. A tiny series
// is fitted in units a power of two larger; the result comes back in its own.
CheckResult Evaluate(const DialogueRun& run) {
  const FrontEnd& front_end = *run.front_end;
  const CheckOptions options{.threads = run.threads,
                             .progress = front_end.check_progress ? front_end.check_progress() : nullptr};
  return run.model->Check(run.settings.Ltest, run.settings.Ktest, options);
}

}  // namespace

void RunEvaluation(DialogueRun& run) {
  CheckResult result = Evaluate(run);
  if (result.cancelled) {
    // Only a user who quits the program stops a check early: it ends in
    // order, report.txt keeping every line written before the check.
    ShowProgramStep(run, "");
    WriteDialogueLine(run.window(), "The model check was stopped: the program ends.");
    StopProgram(kEndOfInputStatus);
  }
  ShowProgramStep(run, "Drawing the model check");
  // T(1..Ntest), the values after the training part.
  const std::span<const double> T =
      std::span<const double>(run.series)
          .subspan(static_cast<std::size_t>(run.settings.Ntrain), static_cast<std::size_t>(Ntest(run.settings)));
  Present(run, result, T);
  if (run.front_end->keep_picture)
    run.front_end->keep_picture(
        {.settings = run.settings, .test_segment = {T.begin(), T.end()}, .result = std::move(result)});
  ShowProgramStep(run, "");
}

}  // namespace modelcheck
