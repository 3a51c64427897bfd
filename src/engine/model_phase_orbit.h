// The local model run freely from the first D test values, drawn as pixels of
// the delay plane in the "Model phase orbit" frame.
//
// Needs: settings, training with its grid built for the current D and eps,
// test_segment T(1..D) at least, plot_range, and surface with the drawing
// colour selected. Runs Ltest + Ktest steps; each searches with bound
// Ntrain - 1, predicts one step, and sets the pixel
// (35 + trunc(((Z(D) - lower) * s) * 200), 550 - trunc(((p - lower) * s) * 200)),
// s = 1/(upper - lower), when it lies strictly inside the frame (35..235,
// 350..550). A value without a 16-bit pixel (huge, infinite, not a number,
// or a zero-width range) is not drawn. Leaves state, neighbours (grown to
// Ntrain entries if smaller), neighbour_count and prediction as the last step
// set them, current_point at the last position that had a pixel, and
// graphics_status as the last drawing returned it.
#pragma once

#include "model/model_check.h"

namespace modelcheck {

void ModelPhaseOrbit(ModelCheck& check);

}  // namespace modelcheck
