// The direct prediction test: one local model per horizon 1..Ltest from the
// neighbours of each test piece's initial state; rewrites neighbors.txt.
#pragma once

#include "model/model_check.h"

namespace modelcheck {

void DirectPredictionTest(ModelCheck& check);

}  // namespace modelcheck
