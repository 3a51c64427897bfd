#include "engine/test_pieces.h"

#include <algorithm>
#include <cstddef>

namespace modelcheck {

std::int32_t PieceCount(const ModelSettings& settings) {
  return Ntest(settings) - StateSpan(settings) - settings.Ltest + 1;
}

void LoadPieceHistory(std::span<const double> T, std::int32_t k, std::span<double> history) {
  std::copy_n(T.subspan(static_cast<std::size_t>(k - 1)).begin(), history.size(), history.begin());
}

void TakeState(std::span<const double> history, std::int32_t tau, std::span<double> state) {
  const auto step = static_cast<std::size_t>(tau);
  for (std::size_t l = 0; l < state.size(); ++l) state[l] = history[l * step];
}

void LoadPieceState(std::span<const double> T, std::int32_t k, std::int32_t tau, std::span<double> state) {
  TakeState(T.subspan(static_cast<std::size_t>(k - 1)), tau, state);
}

double PieceTarget(std::span<const double> T, std::int32_t W, std::int32_t k, std::int32_t i) {
  const std::int32_t m = k + W + i - 1;
  return T[static_cast<std::size_t>(m - 1)];
}

void RecordPrediction(const CheckInput& input, std::int32_t k, std::int32_t i, double p, PieceRecord& record) {
  const double target = PieceTarget(input.test_segment, StateSpan(input.settings), k, i);
  // The scale is one but for extreme values; times one changes no bit.
  const double difference = p * input.error_scale - target * input.error_scale;
  record.squared_errors[static_cast<std::size_t>(i - 1)] = difference * difference;
  if (record.predictions != nullptr) record.predictions->push_back(p);
  record.steps_done = i;
}

void ShiftState(std::span<double> state, double prediction) {
  std::shift_left(state.begin(), state.end(), 1);
  state.back() = prediction;
}

}  // namespace modelcheck
