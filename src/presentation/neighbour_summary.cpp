#include "presentation/neighbour_summary.h"

#include <algorithm>
#include <vector>

namespace modelcheck {

NeighbourSummary SummariseNeighbours(std::span<const std::int32_t> counts) {
  if (counts.empty()) return {};
  std::vector<std::int32_t> sorted(counts.begin(), counts.end());
  std::sort(sorted.begin(), sorted.end());
  const std::size_t n = sorted.size();
  const double median = n % 2 == 1
                            ? static_cast<double>(sorted[n / 2])
                            : (static_cast<double>(sorted[n / 2 - 1]) + static_cast<double>(sorted[n / 2])) / 2.0;
  return {.minimum = sorted.front(), .median = median, .maximum = sorted.back()};
}

}  // namespace modelcheck
