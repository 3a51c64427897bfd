// One frame of the plot window: outline, tick marks, six axis labels, title.
//
// Corners are window pixels, (x1, y1) top left and (x2, y2) bottom right.
// Labels are written as fields of 10 characters and the title as a field of
// 100, blank-padded on the right (longer texts are cut to the field); blanks
// paint nothing. Everything is drawn in the current drawing colour.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "plots/graphics_surface.h"
#include "plots/vector_surface.h"

namespace modelcheck {

inline constexpr std::size_t kLabelWidth = 10;
inline constexpr std::size_t kTitleWidth = 100;

struct FrameSpec {
  std::int16_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::int16_t nx = 10, ny = 10;  // divisions of each axis
  // L1, L2, L3 under the horizontal axis (left, middle, right);
  // L4, L5, L6 left of the vertical axis (bottom, middle, top).
  std::array<std::string, 6> labels{};
  std::string title{};
};

// Draws the outline through both corners; when nx >= 2, nx - 1 ticks 7 pixels
// long across the bottom edge at x1 + (k·dx)/nx and across the left edge at
// y1 + (k·dy)/ny (divisions truncating toward zero); then the labels and the
// title. Returns the status of the last operation.
// Surface: GraphicsSurface (the raster) or VectorSurface (a recorded picture).
template <typename Surface>
int DrawFrame(Surface& surface, const FrameSpec& frame);

}  // namespace modelcheck
