// GraphicsSurface: the plot window "Model efficiency" as an in-memory raster.
//
// Pixels hold indices into the 16-entry palette (0 black, 12 red, 15 white).
// Coordinates are pixels, origin at the top-left corner, y growing downward;
// pixels outside the raster are clipped one by one. A line or rectangle with a
// corner beyond the 16-bit coordinate range is not drawn at all. Lines are 1
// pixel wide and include both end points. Text is drawn with the selected font
// (one-bit glyphs, transparent background) with the top-left corner of its line
// at the current position, which it leaves unchanged; without a font it draws
// nothing. Every operation returns a status (1 = done, 0 = not done) that the
// program stores and never inspects; SetDrawingColour returns the previous
// index instead (-1 for an index outside the palette, which changes nothing).
// Nothing is drawn before the window is opened. Opening, placing, drawing and
// bringing to front tell the window that shows the raster, if any (`view`).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace modelcheck {

inline constexpr int kSurfaceWidth = 800;
inline constexpr int kSurfaceHeight = 600;

struct Rgb {
  std::uint8_t red, green, blue;
};

// The usual 16-colour palette; the PNG picture carries the same entries.
extern const std::array<Rgb, 16> kPalette;

struct FontFace;  // a selected typeface at a pixel size (FreeType)
struct FontFaceDeleter {
  void operator()(FontFace* face) const;
};

struct GraphicsSurface;

// How a window on screen follows the raster. Each member may be null: there
// is no window (a console, a batch run) or it does not care for that event.
struct SurfaceView {
  std::function<void(const GraphicsSurface& surface)> show;               // opened or reused, with its title
  std::function<void(int column, int row, int rows, int columns)> place;  // in text cells of the main window
  std::function<void(const GraphicsSurface& surface)> refresh;            // something was drawn
  std::function<void(const GraphicsSurface& surface)> bring_to_front;
  std::function<void(const GraphicsSurface& surface)> show_all;  // all drawn so far, at once
};

struct GraphicsSurface {
  SurfaceView view;
  bool is_open = false;
  std::string title;
  std::vector<std::uint8_t> pixels;  // row-major, kSurfaceWidth per row
  int background = 15;
  int colour = 15;
  int x = 0;  // current position
  int y = 0;
  bool fonts_ready = false;
  std::unique_ptr<FontFace, FontFaceDeleter> font;  // null: text draws nothing
  bool in_front = false;
};

// Creates the raster, filled with the background colour, or reuses it as it is.
int OpenPlotWindow(GraphicsSurface& surface, std::string_view title);
// Column, row, height and width in text cells of the main window; the raster
// keeps its size.
int SetWindowPlacement(GraphicsSurface& surface, int column, int row, int rows, int columns);
int SetActiveWindow(GraphicsSurface& surface);
int SetBackgroundColour(GraphicsSurface& surface, int index);
int ClearWindow(GraphicsSurface& surface);
int SetDrawingColour(GraphicsSurface& surface, int index);  // returns the previous index
int InitialiseFonts(GraphicsSurface& surface);
int SelectFont(GraphicsSurface& surface, std::string_view options);  // e.g. "t'Arial'h14w7i"
int MoveTo(GraphicsSurface& surface, int x, int y);
int LineTo(GraphicsSurface& surface, int x, int y);
int SetPixel(GraphicsSurface& surface, int x, int y);
int RectangleOutline(GraphicsSurface& surface, int x1, int y1, int x2, int y2);
int TextOut(GraphicsSurface& surface, std::string_view text);
int BringToFront(GraphicsSurface& surface);

// Tells the view that something was drawn.
void Refresh(const GraphicsSurface& surface);

// Asks the view to show everything drawn so far now, not at its own pace.
void ShowAll(const GraphicsSurface& surface);

// Whether `index` names a palette entry.
bool IsPaletteIndex(int index);

// Whether a coordinate lies in the 16-bit range that lines and rectangles
// accept: beyond it a line walk could overflow or take billions of steps.
bool IsCoordinate(int value);

// The palette index at (x, y); for tests and the image writer.
std::uint8_t PixelAt(const GraphicsSurface& surface, int x, int y);

}  // namespace modelcheck
