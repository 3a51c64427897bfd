// Where the parts of the scan charts lie on their 960 x 640 image, in whole
// pixels, so that fills and outlines land on pixel edges.
#pragma once

#include <cstddef>

namespace modelcheck {

// Pixels x in [left, right), y in [top, bottom).
struct PixelBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

// The heat map's grid of cells, and the curves' plot frame.
inline constexpr PixelBox kHeatMapGrid = {.left = 100, .top = 76, .right = 760, .bottom = 520};
inline constexpr PixelBox kCurvesFrame = {.left = 96, .top = 70, .right = 930, .bottom = 462};

// The cell of row `row` (0 at the bottom) and column `column` of a grid of
// `rows` x `columns` cells over kHeatMapGrid, its gap included. Edges are
// rounded, so neighbouring cells share them and the cells tile the grid.
PixelBox HeatMapCellBox(std::size_t rows, std::size_t columns, std::size_t row, std::size_t column);

}  // namespace modelcheck
