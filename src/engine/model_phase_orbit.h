// The local model run freely from the first D test values: the model's
// orbit in the delay plane.
//
// Runs Ltest + Ktest steps; each searches the neighbours of the state with
// bound Ntrain - 1, predicts one step ahead, appends the point (Z(D), p) to
// `points` and takes p into the state. An exactly singular fit throws the
// CapturedStop of the caller's StopCapture, with `points` holding every step
// before the stopping one.
#pragma once

#include <vector>

#include "engine/check_input.h"

namespace modelcheck {

void RunModelOrbit(const CheckInput& input, PieceWork& work, std::vector<OrbitPoint>& points);

// One step of the model fed its own predictions, in two halves: the
// neighbours of `work`'s state with bound Ntrain - 1 (left in `work`, their
// count returned), then the prediction one step ahead from them. The state
// is not shifted.
std::int32_t FindOneStepNeighbours(const CheckInput& input, PieceWork& work);
double PredictOneStep(const CheckInput& input, PieceWork& work);

}  // namespace modelcheck
