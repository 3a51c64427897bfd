#include <limits>

#include "plots/font_face.h"
#include "plots/font_options.h"
#include "plots/graphics_surface.h"

namespace modelcheck {

int InitialiseFonts(GraphicsSurface& surface) {
  surface.fonts_ready = InitialiseFontLookup();
  return surface.fonts_ready ? 1 : 0;
}

// A request that cannot be met leaves no font selected, so that text output
// draws nothing while every other drawing goes on.
int SelectFont(GraphicsSurface& surface, std::string_view options) {
  surface.font.reset();
  if (!surface.fonts_ready) return 0;
  const std::optional<FontOptions> request = ParseFontOptions(options);
  if (request) surface.font = LoadFontFace(*request);
  return surface.font ? 1 : 0;
}

int TextOut(GraphicsSurface& surface, std::string_view text) {
  constexpr int kLow = std::numeric_limits<std::int16_t>::min();
  constexpr int kHigh = std::numeric_limits<std::int16_t>::max();
  if (!surface.font || !surface.is_open) return 0;
  // Text starting far outside the window is never visible; skipping it keeps
  // the glyph positions free of overflow.
  if (surface.x < kLow || surface.x > kHigh || surface.y < kLow || surface.y > kHigh) return 0;
  DrawText(surface, *surface.font, surface.x, surface.y, text);
  Refresh(surface);
  return 1;
}

}  // namespace modelcheck
