#include "predict/iterative_test.h"

#include <algorithm>
#include <cstddef>
#include <span>

#include "dialogue/report_log.h"
#include "model/local_model.h"
#include "model/neighbour_grid.h"
#include "plots/graphics_surface.h"
#include "platform/dialogue_window.h"
#include "predict/horizon_errors.h"
#include "predict/prediction_curves.h"
#include "predict/result_lines.h"
#include "predict/test_pieces.h"

namespace modelcheck {

namespace {

constexpr int kPanelOrigin = 525;

// One step of the free-running predictor: search, predict at lead 1.
double PredictNextValue(ModelCheck& check, LocalFitWork& work) {
  const ModelSettings& settings = check.settings;
  const std::span<std::int32_t> list(check.neighbours);
  // Bound Ntrain - 1 keeps every one-step successor inside the training series.
  check.neighbour_count = FindNeighbours(settings.Ntrain, settings.Ntrain - 1, check.training,
                                         check.state, settings.D - 1, settings.eps, check.grid, list);
  return PredictLocal(check.training, check.state, settings.D,
                      list.first(static_cast<std::size_t>(check.neighbour_count)),
                      check.neighbour_count, 1, work);
}

// The state takes the prediction in as its newest value, dropping the oldest.
void ShiftState(std::span<double> state, double prediction) {
  std::shift_left(state.begin(), state.end(), 1);
  state.back() = prediction;
}

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
