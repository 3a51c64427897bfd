// The iterative prediction test: the one-step model fed its own predictions
// for Ltest steps from each of the Ktest test pieces.
#pragma once

#include "model/model_check.h"

namespace modelcheck {

void IterativePredictionTest(ModelCheck& check);

}  // namespace modelcheck
