// The local model run freely from the first D test values, drawn as pixels of
// the delay plane in the "Model phase orbit" frame.
#pragma once

#include "model/model_check.h"

namespace modelcheck {

void ModelPhaseOrbit(ModelCheck& check);

}  // namespace modelcheck
