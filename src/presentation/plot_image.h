// The plot window written to a PNG image: on a console there is no window to
// look at, so the picture of each completed model check is kept as a file.
//
// The image is indexed colour, 4 bits a pixel, with the 16 entries of
// kPalette, kSurfaceWidth × kSurfaceHeight pixels: decoding it gives back the
// raster's palette indices exactly.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "plots/graphics_surface.h"

namespace modelcheck {

inline constexpr const char* kPlotImageFileName = "model-efficiency.png";

// The PNG bytes of the raster; empty when the window has never been opened
// or the encoder fails.
std::vector<std::uint8_t> EncodePlotImage(const GraphicsSurface& surface);

// Writes `bytes` to a uniquely named file beside `path` and renames it over
// `path`, so an existing file is replaced whole or not at all and a link
// planted under either name is never written through (text/replace_file.h).
// Every write, the close and the rename are checked; on failure returns
// false and sets `error` to a message naming the file and the cause.
bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error);

// Writes the raster as an indexed-colour PNG, replacing an existing file.
// Returns false and sets `error` (naming the file and the cause) on failure.
bool WritePlotImage(const GraphicsSurface& surface, const std::string& path, std::string& error);

}  // namespace modelcheck
