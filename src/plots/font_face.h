// A typeface selected by option string and loaded at a pixel size, rendered
// as one-bit glyphs (the window has 16 colours, so there is nothing to blend).
//
// The face is found by family name and style through fontconfig, which falls
// back to a metric-compatible face when the named one is not installed, and is
// loaded through FreeType. The em is `height` pixels tall and 2 × `width`
// pixels wide: a mean width of half the height is a text face's own proportion.
#pragma once

#include <memory>
#include <string_view>

#include "plots/font_options.h"
#include "plots/graphics_surface.h"

namespace modelcheck {

using FontHandle = std::unique_ptr<FontFace, FontFaceDeleter>;

// Makes the installed fonts known to fontconfig; true when they are. The
// one process-wide state of the drawing layers is fontconfig's own
// configuration: set up by the first call (later calls return its answer,
// from any thread) and released at exit, so that leak checkers see nothing
// still held.
bool InitialiseFontLookup();

// The face for `options`; null when no face can be found or loaded.
FontHandle LoadFontFace(const FontOptions& options);

// Draws `text` (one byte per character, Latin-1) with the top-left corner of
// its line box at (x, y) in the drawing colour, setting only ink pixels.
// Characters that start right of the window are not rendered.
void DrawText(GraphicsSurface& surface, const FontFace& face, int x, int y, std::string_view text);

}  // namespace modelcheck
