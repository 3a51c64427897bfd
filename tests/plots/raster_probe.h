// Helpers that look at a raster: where pixels of one colour are.
#pragma once

#include <algorithm>
#include <climits>

#include "plots/graphics_surface.h"

namespace modelcheck {

struct InkBox {
  bool any = false;
  int pixels = 0;
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
};

// A rectangle of the raster, both corners included.
struct Region {
  int left, top, right, bottom;
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The pixels of `colour` inside `region` (the whole raster by default).
inline InkBox FindInk(const GraphicsSurface& surface, int colour,
                      Region region = {0, 0, kSurfaceWidth - 1, kSurfaceHeight - 1}) {
  InkBox box;
  for (int y = region.top; y <= region.bottom; ++y) {
    for (int x = region.left; x <= region.right; ++x) {
      if (PixelAt(surface, x, y) != colour) continue;
      box.any = true;
      ++box.pixels;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

}  // namespace modelcheck
