// A white 960 x 640 image to draw a scan chart on, its PNG bytes, and the
// text helpers both charts share. Coordinates are pixels from the top left;
// an integer coordinate is a pixel's edge, so a rectangle on integers fills
// whole pixels. Text is Liberation Sans, grey anti-aliased, placed by its
// baseline. Text is passed as UTF-8; invalid bytes are drawn as '?'.
#pragma once

#include <cairo.h>

#include <string>
#include <string_view>

#include "presentation/scan_charts_colours.h"

namespace modelcheck {

inline constexpr int kChartWidth = 960;
inline constexpr int kChartHeight = 640;

class ChartCanvas {
 public:
  ChartCanvas();  // throws std::runtime_error when the image cannot be made
  ~ChartCanvas();
  ChartCanvas(const ChartCanvas&) = delete;
  ChartCanvas& operator=(const ChartCanvas&) = delete;

  cairo_t* context() const { return context_; }

  // The PNG file contents. Throws std::runtime_error when any drawing or the
  // encoding failed.
  std::string Png() const;

 private:
  cairo_surface_t* surface_ = nullptr;
  cairo_t* context_ = nullptr;
};

struct TextStyle {
  double size = 13.0;  // pixels
  bool bold = false;
  ChartColour colour = kInk;
};

enum class Anchor { kLeft, kCentre, kRight };  // which point of the text lies at x

void SetColour(cairo_t* cr, const ChartColour& colour);
void FillRectangle(cairo_t* cr, double x, double y, double width, double height, const ChartColour& colour);

// The advance width of `text` in `style`.
double TextWidth(cairo_t* cr, std::string_view text, const TextStyle& style);

// Draws `text` with its baseline at y.
void DrawText(cairo_t* cr, std::string_view text, double x, double y, Anchor anchor, const TextStyle& style);

// Draws `text` turned a quarter anticlockwise, reading upwards, centred on
// (x, y) along its length, with its baseline on x.
void DrawUpwardText(cairo_t* cr, std::string_view text, double x, double y, const TextStyle& style);

// `text`, or as much of its start as fits `width` with "…" after it.
std::string FitText(cairo_t* cr, std::string_view text, double width, const TextStyle& style);

// `text` with every byte that is not part of a valid UTF-8 character (or is
// a control character) replaced by '?', since the text renderer refuses them.
std::string DrawableText(std::string_view text);

}  // namespace modelcheck
