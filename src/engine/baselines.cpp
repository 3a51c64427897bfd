#include "engine/baselines.h"

#include <cstddef>
#include <numeric>
#include <utility>
#include <vector>

#include "engine/global_affine_fit.h"
#include "engine/horizon_errors.h"
#include "engine/local_model.h"
#include "engine/model_check.h"
#include "engine/test_pieces.h"
#include "errors/message_sink.h"

namespace modelcheck {

namespace {

std::size_t Size(std::int32_t count) { return count > 0 ? static_cast<std::size_t>(count) : 0; }

// How a piece's state moves from horizon to horizon: not at all (each
// horizon predicted from the piece's own state), or iterated (each
// prediction joins the values the next state is drawn from).
enum class Steps { kFromPieceState, kIterated };

// Runs `predict(i, state)` for every piece k and horizon i, in piece order,
// and scores it as the check scores its tests.
template <typename Predict>
PredictionTestResult ScorePieces(const CheckInput& input, Steps steps, Predict predict) {
  const ModelSettings& settings = input.settings;
  const std::int32_t K = PieceCount(settings);
  const std::size_t L = Size(settings.Ltest);
  std::vector<double> squared(Size(K) * L);
  PredictionTestResult result;
  std::vector<double> history(Size(StateSpan(settings)));
  std::vector<double> state(Size(settings.D));
  for (std::int32_t k = 1; k <= K; ++k) {
    PieceRecord record{.squared_errors = std::span<double>(squared).subspan(Size(k - 1) * L, L),
                       .neighbour_counts = {},
                       .predictions = k == 1 ? &result.first_piece : nullptr};
    LoadPieceHistory(input.test_segment, k, history);
    TakeState(history, settings.tau, state);
    for (std::int32_t i = 1; i <= settings.Ltest; ++i) {
      const double p = predict(i, std::as_const(state));
      RecordPrediction(input, k, i, p, record);
      if (steps == Steps::kIterated) {
        ShiftState(history, p);
        TakeState(history, settings.tau, state);
      }
    }
  }
  result.errors.assign(L, 0.0);
  SumSquaredErrors(squared, K, result.errors);
  NormaliseHorizonErrors(result.errors, K, input.variance);
  result.prediction_time = PredictionTime(result.errors);
  return result;
}

// Start indices 1..count, the neighbour list of a global model too small to fit.
std::vector<std::int32_t> EveryState(std::int32_t count) {
  std::vector<std::int32_t> Nb(Size(count));
  std::iota(Nb.begin(), Nb.end(), 1);
  return Nb;
}

PredictionTestResult GlobalIterative(const CheckInput& input, int threads) {
  const std::int32_t D = input.settings.D;
  const std::int32_t tau = input.settings.tau;
  // Every state with a successor: o + W - 1 + 1 <= Ntrain.
  const std::int32_t M = input.settings.Ntrain - StateSpan(input.settings);
  if (M < D + 1) {
    const std::vector<std::int32_t> Nb = EveryState(M);
    LocalFitWork work;
    return ScorePieces(input, Steps::kIterated, [&](std::int32_t, const std::vector<double>& state) {
      return PredictLocal(input.training, state, D, tau, Nb, M, 1, work);
    });
  }
  const GlobalAffineFit fit = FitGlobalAffine(input.training, D, tau, M, 1, threads, GlobalFitBlockRows(D, 1));
  return ScorePieces(input, Steps::kIterated, [&](std::int32_t, const std::vector<double>& state) {
    return ApplyAffineMap(fit.Lead(1), state, D);
  });
}

PredictionTestResult GlobalDirect(const CheckInput& input, int threads) {
  const ModelSettings& settings = input.settings;
  const std::int32_t D = settings.D;
  const std::int32_t tau = settings.tau;
  const std::int32_t L = settings.Ltest;
  // Every state whose successors up to horizon Ltest exist: o + W - 1 + L <= Ntrain.
  const std::int32_t M = settings.Ntrain - L - StateSpan(settings) + 1;
  if (M < D + 1) {
    const std::vector<std::int32_t> Nb = EveryState(M);
    LocalFitWork work;
    return ScorePieces(input, Steps::kFromPieceState, [&](std::int32_t i, const std::vector<double>& state) {
      return PredictLocal(input.training, state, D, tau, Nb, M, i, work, MeanRule::kMultiplyByReciprocal);
    });
  }
  // One affine map per horizon, all from one fit.
  const GlobalAffineFit fit = FitGlobalAffine(input.training, D, tau, M, L, threads, GlobalFitBlockRows(D, L));
  return ScorePieces(input, Steps::kFromPieceState, [&](std::int32_t i, const std::vector<double>& state) {
    return ApplyAffineMap(fit.Lead(i), state, D);
  });
}

}  // namespace

BaselineResult RunBaselines(const CheckInput& input, int threads) {
  BaselineResult result;
  const std::int32_t D = input.settings.D;
  result.persistence = ScorePieces(input, Steps::kFromPieceState,
                                   [D](std::int32_t, const std::vector<double>& state) { return state[Size(D - 1)]; });
  StopCapture capture;
  CheckPhase phase = CheckPhase::kIterative;
  try {
    result.global_iterative = GlobalIterative(input, threads);
    phase = CheckPhase::kDirect;
    result.global_direct = GlobalDirect(input, threads);
  } catch (CapturedStop& captured) {
    result.global_stop = MakeCheckStop(phase, 0, 1, std::move(captured));
  }
  return result;
}

}  // namespace modelcheck
