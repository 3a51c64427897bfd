// The six frames of the plot window "Model efficiency", in drawing order:
// phase orbits on the left, direct prediction in the middle, iterative
// prediction on the right; each column has its series above, its error below.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "plots/frame_drawer.h"
#include "plots/plot_scale.h"

namespace modelcheck {

inline constexpr std::size_t kFrameCount = 6;

// A value-axis bound in 5 columns with 1 decimal, then 5 blanks; five
// asterisks when it needs more columns (from 999.95 up, from -99.95 down).
std::string BoundLabel(double bound);

// Ltest right-aligned in 6 columns, then 4 blanks.
std::string LtestLabel(std::int32_t Ltest);

// The frames with their corners, 10 divisions per axis, labels and titles.
std::array<FrameSpec, kFrameCount> PlotFrames(const PlotRange& range, std::int32_t Ltest);

}  // namespace modelcheck
