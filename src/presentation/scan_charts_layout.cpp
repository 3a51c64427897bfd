#include "presentation/scan_charts_layout.h"

#include <cmath>

namespace modelcheck {

namespace {

// Edge `index` of `count` equal parts of [from, to), on a whole pixel.
int Edge(int from, int to, std::size_t index, std::size_t count) {
  const double fraction = static_cast<double>(index) / static_cast<double>(count);
  return from + static_cast<int>(std::lround(fraction * (to - from)));
}

}  // namespace

PixelBox HeatMapCellBox(std::size_t rows, std::size_t columns, std::size_t row, std::size_t column) {
  const PixelBox& grid = kHeatMapGrid;
  return {.left = Edge(grid.left, grid.right, column, columns),
          .top = Edge(grid.bottom, grid.top, row + 1, rows),
          .right = Edge(grid.left, grid.right, column + 1, columns),
          .bottom = Edge(grid.bottom, grid.top, row, rows)};
}

}  // namespace modelcheck
