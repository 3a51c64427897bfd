// One step of the local model run freely: the model fed its own predictions.
//
// PredictNextValue searches the neighbours of the state Z(1..D) with bound
// Ntrain - 1, so every one-step successor lies inside the training series,
// and predicts one step ahead from them. It needs settings, training with
// its grid built for the current D and eps, state holding D values and
// neighbours at least Ntrain entries; it leaves neighbours and
// neighbour_count as the search set them and returns p (the caller stores
// it). ShiftState then takes p into the state as its newest value.
#pragma once

#include <span>

#include "model/local_model.h"
#include "model/model_check.h"

namespace modelcheck {

double PredictNextValue(ModelCheck& check, LocalFitWork& work);

// Z(l) := Z(l+1) for l = 1..D-1, then Z(D) := p.
void ShiftState(std::span<double> state, double prediction);

}  // namespace modelcheck
