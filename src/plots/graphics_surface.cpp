#include "plots/graphics_surface.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace modelcheck {

// Four colours a row, as the palette is usually shown.
// clang-format off
const std::array<Rgb, 16> kPalette = {{
    {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128},
    {128, 0, 0},     {128, 0, 128},   {128, 128, 0},   {192, 192, 192},
    {128, 128, 128}, {0, 0, 255},     {0, 255, 0},     {0, 255, 255},
    {255, 0, 0},     {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
}};
// clang-format on

bool IsPaletteIndex(int index) { return index >= 0 && index < static_cast<int>(kPalette.size()); }

bool IsCoordinate(int value) {
  return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

namespace {

bool InsideRaster(const GraphicsSurface& surface, int x, int y) {
  return !surface.pixels.empty() && x >= 0 && x < kSurfaceWidth && y >= 0 && y < kSurfaceHeight;
}

std::size_t PixelIndex(int x, int y) {
  return static_cast<std::size_t>(y) * kSurfaceWidth + static_cast<std::size_t>(x);
}

// Points outside the raster are dropped one by one, so a line that leaves the
// window keeps the pixels it has inside.
void Plot(GraphicsSurface& surface, int x, int y) {
  if (InsideRaster(surface, x, y)) surface.pixels[PixelIndex(x, y)] = static_cast<std::uint8_t>(surface.colour);
}

// Integer line walk that sets both end points and every pixel between them.
void DrawLine(GraphicsSurface& surface, int x0, int y0, int x1, int y1) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int step_x = x0 < x1 ? 1 : -1;
  const int step_y = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    Plot(surface, x0, y0);
    if (x0 == x1 && y0 == y1) return;
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x0 += step_x;
    }
    if (doubled <= dx) {
      error += dx;
      y0 += step_y;
    }
  }
}

}  // namespace

void Refresh(const GraphicsSurface& surface) {
  if (surface.view.refresh != nullptr) surface.view.refresh(surface);
}

void ShowAll(const GraphicsSurface& surface) {
  if (surface.view.show_all != nullptr) surface.view.show_all(surface);
}

int OpenPlotWindow(GraphicsSurface& surface, std::string_view title) {
  if (!surface.is_open) {
    surface.pixels.assign(PixelIndex(0, kSurfaceHeight), static_cast<std::uint8_t>(surface.background));
    surface.is_open = true;
  }
  surface.title = std::string(title);
  if (surface.view.show != nullptr) surface.view.show(surface);
  return 1;
}

// The raster keeps its fixed size, large enough for every frame, label and
// title; the platform's window shows it, scrolled where it is smaller.
int SetWindowPlacement(GraphicsSurface& surface, int column, int row, int rows, int columns) {
  if (!surface.is_open) return 0;
  if (surface.view.place != nullptr) surface.view.place(column, row, rows, columns);
  return 1;
}

int SetActiveWindow(GraphicsSurface& surface) { return surface.is_open ? 1 : 0; }

int SetBackgroundColour(GraphicsSurface& surface, int index) {
  if (!IsPaletteIndex(index)) return 0;
  surface.background = index;
  return 1;
}

int ClearWindow(GraphicsSurface& surface) {
  if (!surface.is_open) return 0;
  std::fill(surface.pixels.begin(), surface.pixels.end(), static_cast<std::uint8_t>(surface.background));
  Refresh(surface);
  return 1;
}

int SetDrawingColour(GraphicsSurface& surface, int index) {
  if (!IsPaletteIndex(index)) return -1;
  return std::exchange(surface.colour, index);
}

int MoveTo(GraphicsSurface& surface, int x, int y) {
  surface.x = x;
  surface.y = y;
  return 1;
}

int LineTo(GraphicsSurface& surface, int x, int y) {
  const bool drawable = IsCoordinate(surface.x) && IsCoordinate(surface.y) && IsCoordinate(x) && IsCoordinate(y);
  if (drawable) DrawLine(surface, surface.x, surface.y, x, y);
  MoveTo(surface, x, y);
  if (drawable) Refresh(surface);
  return drawable && surface.is_open ? 1 : 0;
}

int SetPixel(GraphicsSurface& surface, int x, int y) {
  if (!InsideRaster(surface, x, y)) return 0;
  Plot(surface, x, y);
  Refresh(surface);
  return 1;
}

int RectangleOutline(GraphicsSurface& surface, int x1, int y1, int x2, int y2) {
  if (!IsCoordinate(x1) || !IsCoordinate(y1) || !IsCoordinate(x2) || !IsCoordinate(y2)) return 0;
  DrawLine(surface, x1, y1, x2, y1);
  DrawLine(surface, x2, y1, x2, y2);
  DrawLine(surface, x2, y2, x1, y2);
  DrawLine(surface, x1, y2, x1, y1);
  Refresh(surface);
  return surface.is_open ? 1 : 0;
}

int BringToFront(GraphicsSurface& surface) {
  surface.in_front = surface.is_open;
  if (surface.is_open && surface.view.bring_to_front != nullptr) surface.view.bring_to_front(surface);
  return surface.is_open ? 1 : 0;
}

std::uint8_t PixelAt(const GraphicsSurface& surface, int x, int y) {
  if (!InsideRaster(surface, x, y)) return static_cast<std::uint8_t>(surface.background);
  return surface.pixels[PixelIndex(x, y)];
}

}  // namespace modelcheck
