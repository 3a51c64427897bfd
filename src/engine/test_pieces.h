// The test pieces: K = Ktest overlapping pieces of the test segment T.
//
// Piece k (1 <= k <= K) starts from the state (T(k), ..., T(k+D-1)), oldest
// value first, and its target at horizon i (1 <= i <= Ltest) is T(k+D+i-1).
// Indices k and i are one-based, as in the model check's record.
#pragma once

#include <cstdint>
#include <span>

#include "model/model_check.h"

namespace modelcheck {

// K = Ntest - D - Ltest + 1, which equals Ktest.
std::int32_t PieceCount(const ModelSettings& settings);

// Overwrites the shared state Z(1..D) with piece k's initial state.
void LoadPieceState(ModelCheck& check, std::int32_t k);

// T(k+D+i-1), the value i steps after the newest component of piece k.
double PieceTarget(const ModelCheck& check, std::int32_t k, std::int32_t i);

// Stops the program with file and line when the record does not have the
// shape that the prediction tests rely on (array sizes, window pointers).
void RequirePredictionInputs(const ModelCheck& check, std::span<const double> errors);

}  // namespace modelcheck
