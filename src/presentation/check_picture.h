// A finished model check as a picture: what the plot window "Model
// efficiency" shows, drawn again from the check's figures, on the raster or
// on a recorded picture (plots/vector_surface.h) for SVG and PDF.
#pragma once

#include <vector>

#include "modelcheck/engine.h"
#include "plots/graphics_surface.h"
#include "plots/vector_surface.h"

namespace modelcheck {

struct CheckPicture {
  ModelSettings settings;
  std::vector<double> test_segment;  // T(1..Ntest)
  CheckResult result;
};

// The plot set-up (frames, titles, labels, measured curves), the model's
// orbit and both tests' curves, in the order and colours the dialogue draws
// them; after a stop, only what the dialogue drew before it.
template <typename Surface>
void DrawCheckPicture(Surface& surface, const CheckPicture& picture);

}  // namespace modelcheck
