// VectorSurface: the plot window recorded as drawing operations instead of
// pixels, for pictures that scale (SVG, PDF). It takes the same operations
// as GraphicsSurface, with the same names, coordinates and colours, so the
// same drawing code (a template over the surface) draws on either, and the
// recorded picture has the raster's geometry: 800 x 600 units, origin top
// left, y downward, palette colours.
//
// Semantics follow the raster's where a picture can see them: a line or
// rectangle with a corner beyond the 16-bit coordinate range is not drawn, a
// pixel outside the picture is not set, text is drawn only with a font
// selected and starting inside the 16-bit range, ClearWindow forgets
// everything drawn. Nothing is drawn before OpenPlotWindow. The window
// operations (placement, activation, bringing to front) do nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plots/font_options.h"

namespace modelcheck {

enum class VectorShape { kLine, kPixel, kRectangle, kText };

struct VectorItem {
  VectorShape shape = VectorShape::kLine;
  int colour = 0;      // palette index
  int x1 = 0, y1 = 0;  // line start, pixel, rectangle corner, text's top left
  int x2 = 0, y2 = 0;  // line end (both ends drawn), opposite rectangle corner
  std::string text;    // kText: the characters, one byte each (Latin-1)
  FontOptions font;    // kText: the font the text was drawn with
};

struct VectorSurface {
  bool is_open = false;
  std::string title;
  int background = 15;
  int colour = 15;
  int x = 0;  // current position
  int y = 0;
  bool fonts_ready = false;
  bool has_font = false;
  FontOptions font;
  std::vector<VectorItem> items;  // in drawing order
};

int OpenPlotWindow(VectorSurface& surface, std::string_view title);
int SetWindowPlacement(VectorSurface& surface, int column, int row, int rows, int columns);
int SetActiveWindow(VectorSurface& surface);
int SetBackgroundColour(VectorSurface& surface, int index);
int ClearWindow(VectorSurface& surface);
int SetDrawingColour(VectorSurface& surface, int index);  // returns the previous index
int InitialiseFonts(VectorSurface& surface);
int SelectFont(VectorSurface& surface, std::string_view options);
int MoveTo(VectorSurface& surface, int x, int y);
int LineTo(VectorSurface& surface, int x, int y);
int SetPixel(VectorSurface& surface, int x, int y);
int RectangleOutline(VectorSurface& surface, int x1, int y1, int x2, int y2);
int TextOut(VectorSurface& surface, std::string_view text);
int BringToFront(VectorSurface& surface);

// A recorded text's size in pixels (its font's height; 14 when none was
// given) and the height of its baseline: the top of its line box plus a text
// face's ascent, so that every picture of the record puts it where the
// raster does.
double TextPixelSize(const VectorItem& text);
double TextBaseline(const VectorItem& text);

}  // namespace modelcheck
