#include "plots/frame_drawer.h"

#include <string_view>

#include "plots/vector_surface.h"
#include "text/fixed_field.h"

namespace modelcheck {

namespace {

template <typename Surface>
int WriteAt(Surface& surface, int x, int y, std::string_view text, std::size_t width) {
  MoveTo(surface, x, y);
  return TextOut(surface, FormatText(text, width));
}

// The count nx - 1 serves both axes, as the frames are square in divisions.
// Coordinates are formed in 32 bits: 16-bit products could wrap.
template <typename Surface>
void DrawTicks(Surface& surface, const FrameSpec& f) {
  const int dx = f.x2 - f.x1;
  const int dy = f.y2 - f.y1;
  for (int k = 1; k <= f.nx - 1; ++k) {
    const int tx = f.x1 + (k * dx) / f.nx;
    MoveTo(surface, tx, f.y2 - 3);
    LineTo(surface, tx, f.y2 + 3);
    if (f.ny == 0) continue;  // no divisions to place left-edge ticks by
    const int ty = f.y1 + (k * dy) / f.ny;
    MoveTo(surface, f.x1 - 3, ty);
    LineTo(surface, f.x1 + 3, ty);
  }
}

template <typename Surface>
int DrawTexts(Surface& surface, const FrameSpec& f) {
  const int below = f.y2 + 5;
  const int left = f.x1 - 30;
  WriteAt(surface, f.x1, below, f.labels[0], kLabelWidth);
  WriteAt(surface, (f.x1 + f.x2) / 2 - 12, below, f.labels[1], kLabelWidth);
  WriteAt(surface, f.x2 - 24, below, f.labels[2], kLabelWidth);
  WriteAt(surface, left, f.y2 - 16, f.labels[3], kLabelWidth);
  WriteAt(surface, left, (f.y1 + f.y2) / 2 - 8, f.labels[4], kLabelWidth);
  WriteAt(surface, left, f.y1, f.labels[5], kLabelWidth);
  return WriteAt(surface, f.x1 + 10, f.y1 - 20, f.title, kTitleWidth);
}

}  // namespace

template <typename Surface>
int DrawFrame(Surface& surface, const FrameSpec& frame) {
  RectangleOutline(surface, frame.x1, frame.y1, frame.x2, frame.y2);
  DrawTicks(surface, frame);
  return DrawTexts(surface, frame);
}

// The two drawing targets: the raster and the recorded picture.
template int DrawFrame(GraphicsSurface&, const FrameSpec&);
template int DrawFrame(VectorSurface&, const FrameSpec&);

}  // namespace modelcheck
