#include "predict/iterative_test.h"

#include "dialogue/report_log.h"
#include "model/free_run_step.h"
#include "model/local_model.h"
#include "plots/graphics_surface.h"
#include "platform/dialogue_window.h"
#include "predict/horizon_errors.h"
#include "predict/prediction_curves.h"
#include "predict/result_lines.h"
#include "predict/test_pieces.h"

namespace modelcheck {

namespace {

constexpr int kPanelOrigin = 525;

void RunPiece(ModelCheck& check, std::int32_t k, const PredictionScale& scale, LocalFitWork& work) {
  LoadPieceState(check, k);
  StartPredictionCurve(check, kPanelOrigin, scale);
  for (std::int32_t i = 1; i <= check.settings.Ltest; ++i) {
    check.prediction = PredictNextValue(check, work);
    AddSquaredError(check.iterative_errors, i, check.prediction, PieceTarget(check, k, i));
    if (k == 1) PlotPrediction(check, kPanelOrigin, i, check.prediction, scale);
    ShiftState(check.state, check.prediction);
  }
}

void ReportResult(ModelCheck& check, std::int32_t prediction_time) {
  const auto lines = IterativeResultLines({.Ltest = check.settings.Ltest,
                                           .Ktest = check.settings.Ktest,
                                           .one_step_error = check.iterative_errors.front(),
                                           .prediction_time = prediction_time});
  for (const std::string& line : lines) WriteReportLine(*check.report, line);
  WriteDialogueLine(*check.dialogue, lines[2]);
  WriteDialogueLine(*check.dialogue, lines[3]);
}

}  // namespace

void IterativePredictionTest(ModelCheck& check) {
  RequirePredictionInputs(check, check.iterative_errors);
  ClearHorizonErrors(check.iterative_errors);
  const std::int32_t piece_count = PieceCount(check.settings);
  const PredictionScale scale = MakePredictionScale(check.plot_range);
  LocalFitWork work;
  for (std::int32_t k = 1; k <= piece_count; ++k) RunPiece(check, k, scale, work);
  NormaliseHorizonErrors(check.iterative_errors, piece_count, check.variance);
  DrawErrorCurve(check, kPanelOrigin, check.iterative_errors);
  const std::int32_t prediction_time = PredictionTime(check.iterative_errors);
  ReportResult(check, prediction_time);
  check.graphics_status = BringToFront(*check.surface);
}

}  // namespace modelcheck
