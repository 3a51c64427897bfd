// The spread of the direct pieces' neighbour counts, as the outputs show it.
#pragma once

#include <cstdint>
#include <span>

namespace modelcheck {

struct NeighbourSummary {
  std::int32_t minimum = 0;
  double median = 0.0;  // the mean of the middle two for an even count
  std::int32_t maximum = 0;
};

// All zero for an empty list.
NeighbourSummary SummariseNeighbours(std::span<const std::int32_t> counts);

}  // namespace modelcheck
