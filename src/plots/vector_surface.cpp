#include "plots/vector_surface.h"

#include <utility>

#include "plots/graphics_surface.h"

namespace modelcheck {

namespace {

void Record(VectorSurface& surface, VectorShape shape, int x1, int y1, int x2 = 0, int y2 = 0) {
  VectorItem item;
  item.shape = shape;
  item.colour = surface.colour;
  item.x1 = x1;
  item.y1 = y1;
  item.x2 = x2;
  item.y2 = y2;
  if (shape == VectorShape::kText) item.font = surface.font;
  surface.items.push_back(std::move(item));
}

}  // namespace

int OpenPlotWindow(VectorSurface& surface, std::string_view title) {
  surface.is_open = true;
  surface.title = std::string(title);
  return 1;
}

int SetWindowPlacement(VectorSurface& surface, int, int, int, int) { return surface.is_open ? 1 : 0; }

int SetActiveWindow(VectorSurface& surface) { return surface.is_open ? 1 : 0; }

int SetBackgroundColour(VectorSurface& surface, int index) {
  if (!IsPaletteIndex(index)) return 0;
  surface.background = index;
  return 1;
}

int ClearWindow(VectorSurface& surface) {
  if (!surface.is_open) return 0;
  surface.items.clear();
  return 1;
}

int SetDrawingColour(VectorSurface& surface, int index) {
  if (!IsPaletteIndex(index)) return -1;
  return std::exchange(surface.colour, index);
}

// The picture names its typeface; the reader's fonts draw it.
int InitialiseFonts(VectorSurface& surface) {
  surface.fonts_ready = true;
  return 1;
}

int SelectFont(VectorSurface& surface, std::string_view options) {
  const std::optional<FontOptions> request = ParseFontOptions(options);
  surface.has_font = surface.fonts_ready && request.has_value();
  if (surface.has_font) surface.font = *request;
  return surface.has_font ? 1 : 0;
}

int MoveTo(VectorSurface& surface, int x, int y) {
  surface.x = x;
  surface.y = y;
  return 1;
}

int LineTo(VectorSurface& surface, int x, int y) {
  const bool drawable =
      surface.is_open && IsCoordinate(surface.x) && IsCoordinate(surface.y) && IsCoordinate(x) && IsCoordinate(y);
  if (drawable) Record(surface, VectorShape::kLine, surface.x, surface.y, x, y);
  MoveTo(surface, x, y);
  return drawable ? 1 : 0;
}

int SetPixel(VectorSurface& surface, int x, int y) {
  if (!surface.is_open || x < 0 || x >= kSurfaceWidth || y < 0 || y >= kSurfaceHeight) return 0;
  Record(surface, VectorShape::kPixel, x, y);
  return 1;
}

int RectangleOutline(VectorSurface& surface, int x1, int y1, int x2, int y2) {
  if (!surface.is_open || !IsCoordinate(x1) || !IsCoordinate(y1) || !IsCoordinate(x2) || !IsCoordinate(y2)) return 0;
  Record(surface, VectorShape::kRectangle, x1, y1, x2, y2);
  return 1;
}

int TextOut(VectorSurface& surface, std::string_view text) {
  if (!surface.has_font || !surface.is_open || !IsCoordinate(surface.x) || !IsCoordinate(surface.y)) return 0;
  Record(surface, VectorShape::kText, surface.x, surface.y);
  surface.items.back().text = std::string(text);
  return 1;
}

int BringToFront(VectorSurface& surface) { return surface.is_open ? 1 : 0; }

double TextPixelSize(const VectorItem& text) { return text.font.height > 0 ? text.font.height : 14; }

// 0.905 em: the ascent of the Arial-metric faces the plot text asks for.
double TextBaseline(const VectorItem& text) { return text.y1 + 0.905 * TextPixelSize(text); }

}  // namespace modelcheck
