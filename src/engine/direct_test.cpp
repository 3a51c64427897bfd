#include "predict/direct_test.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "dialogue/report_log.h"
#include "model/local_model.h"
#include "model/neighbour_grid.h"
#include "platform/dialogue_window.h"
#include "predict/horizon_errors.h"
#include "predict/neighbour_counts_file.h"
#include "predict/prediction_curves.h"
#include "predict/result_lines.h"
#include "predict/test_pieces.h"

namespace modelcheck {

namespace {

constexpr int kPanelOrigin = 275;

// The admissible neighbours of the piece's state; returns their count M.
std::int32_t SearchPieceNeighbours(ModelCheck& check) {
  const ModelSettings& settings = check.settings;
  // Bound Ntrain - Ltest keeps every target up to horizon Ltest inside the training series.
  check.neighbour_count =
      FindNeighbours(settings.Ntrain, settings.Ntrain - settings.Ltest, check.training, check.state,
                     settings.D - 1, settings.eps, check.grid, check.neighbours);
  return check.neighbour_count;
}

// One model per horizon, all from the one neighbour list of the piece.
void RunPiece(ModelCheck& check, std::int32_t k, const PredictionScale& scale,
              std::vector<std::int32_t>& counts, LocalFitWork& work) {
  LoadPieceState(check, k);
  const std::int32_t M = SearchPieceNeighbours(check);
  counts[static_cast<std::size_t>(k - 1)] = M;
  StartPredictionCurve(check, kPanelOrigin, scale);
  const std::span<const std::int32_t> list =
      std::span<const std::int32_t>(check.neighbours).first(static_cast<std::size_t>(M));
  const std::int32_t D = check.settings.D;
  // The design matrix is the same for every horizon: one factor serves them all.
  const bool fit = M >= D + 1;
  if (fit) FactoriseLocalFit(check.training, D, list, M, work);
  for (std::int32_t i = 1; i <= check.settings.Ltest; ++i) {
    check.prediction = fit ? PredictFromFactor(check.training, check.state, D, list, M, i, work)
                           : PredictLocal(check.training, check.state, D, list, M, i, work,
                                          MeanRule::kMultiplyByReciprocal);
    AddSquaredError(check.direct_errors, i, check.prediction, PieceTarget(check, k, i));
    if (k == 1) PlotPrediction(check, kPanelOrigin, i, check.prediction, scale);
  }
}

void ReportResult(ModelCheck& check, std::int32_t prediction_time) {
  const std::string line = DirectResultLine(prediction_time);
  WriteReportLine(*check.report, line);
  WriteReportEmptyLine(*check.report);
  WriteDialogueLine(*check.dialogue, line);
}

}  // namespace

void DirectPredictionTest(ModelCheck& check) {
  RequirePredictionInputs(check, check.direct_errors);
  const std::int32_t piece_count = PieceCount(check.settings);
  std::vector<std::int32_t> counts(static_cast<std::size_t>(piece_count));
  ClearHorizonErrors(check.direct_errors);
  const PredictionScale scale = MakePredictionScale(check.plot_range);
  // One set of work arrays for every fit of the test; each fit resizes it to its M.
  LocalFitWork work;
  for (std::int32_t k = 1; k <= piece_count; ++k) RunPiece(check, k, scale, counts, work);
  NormaliseHorizonErrors(check.direct_errors, piece_count, check.variance);
  DrawErrorCurve(check, kPanelOrigin, check.direct_errors);
  ReportResult(check, PredictionTime(check.direct_errors));
  WriteNeighbourCounts(std::string(kNeighbourCountsFileName), counts, *check.dialogue);
}

}  // namespace modelcheck
