// The test pieces: K = Ktest overlapping pieces of the test segment T.
//
// Piece k (1 <= k <= K) starts from the state (T(k), T(k+tau), ...,
// T(k+W-1)), W = (D-1) tau + 1, oldest value first, and its target at
// horizon i (1 <= i <= Ltest) is T(k+W+i-1). An iterated piece draws each
// state from its history: the last W values, measured, then predicted.
// What a piece leaves behind is its record: the squared error and the
// neighbour count of every step it finished, and for piece 1 its predictions.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/check_input.h"

namespace modelcheck {

// K = Ntest - W - Ltest + 1, which equals Ktest.
std::int32_t PieceCount(const ModelSettings& settings);

// Overwrites `history` (W values) with T(k..k+W-1).
void LoadPieceHistory(std::span<const double> T, std::int32_t k, std::span<double> history);

// Z(l) := history(1 + (l-1) tau) for l = 1..D (`state` holds D values).
void TakeState(std::span<const double> history, std::int32_t tau, std::span<double> state);

// Overwrites `state` (D values) with piece k's initial state.
void LoadPieceState(std::span<const double> T, std::int32_t k, std::int32_t tau, std::span<double> state);

// T(k+W+i-1), the value i steps after the newest component of piece k.
double PieceTarget(std::span<const double> T, std::int32_t W, std::int32_t k, std::int32_t i);

struct PieceRecord {
  std::span<double> squared_errors;  // Ltest entries: (p - target)^2 per horizon
  std::span<std::int32_t> neighbour_counts;
  std::vector<double>* predictions = nullptr;  // piece 1 only: p per horizon
  std::int32_t steps_done = 0;                 // horizons finished (Ltest when the piece is whole)
};

// Records the prediction p of piece k at horizon i: its squared error
// against T(k+W+i-1), in the units of input.error_scale, p itself for
// piece 1, and horizon i as done.
void RecordPrediction(const CheckInput& input, std::int32_t k, std::int32_t i, double p, PieceRecord& record);

// Z(l) := Z(l+1) for l = 1..n-1, then Z(n) := p: a state of consecutive
// values, or a history, moved on by the prediction.
void ShiftState(std::span<double> state, double prediction);

}  // namespace modelcheck
