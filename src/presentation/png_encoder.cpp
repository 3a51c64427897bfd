#include <png.h>

#include <csetjmp>
#include <new>

#include "presentation/plot_image.h"

namespace modelcheck {

namespace {

// No exception may cross libpng's frames: a failed append becomes a libpng
// error, raised once the handler has finished.
void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  bool stored = true;
  try {
    out->insert(out->end(), data, data + length);
  } catch (const std::bad_alloc&) {
    stored = false;
  }
  if (!stored) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

// Two 4-bit indices a byte, the left pixel in the high half.
std::vector<png_byte> PackedRows(const GraphicsSurface& surface) {
  constexpr std::size_t kRowBytes = kSurfaceWidth / 2;
  std::vector<png_byte> rows(kRowBytes * kSurfaceHeight);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i] = static_cast<png_byte>(((surface.pixels[2 * i] & 0x0F) << 4) | (surface.pixels[2 * i + 1] & 0x0F));
  }
  return rows;
}

std::vector<png_color> PngPalette() {
  std::vector<png_color> palette;
  for (const Rgb& colour : kPalette) palette.push_back(png_color{colour.red, colour.green, colour.blue});
  return palette;
}

// libpng reports errors by a long jump back here; only trivially destructible
// objects live in this frame, so the jump skips no destructor.
bool EncodeRows(png_structp png, png_infop info, png_colorp palette, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_IHDR(png, info, kSurfaceWidth, kSurfaceHeight, 4, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, palette, static_cast<int>(kPalette.size()));
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePlotImage(const GraphicsSurface& surface) {
  if (surface.pixels.size() != static_cast<std::size_t>(kSurfaceWidth) * kSurfaceHeight) return {};
  std::vector<png_byte> packed = PackedRows(surface);
  std::vector<png_bytep> rows;
  for (std::size_t y = 0; y < kSurfaceHeight; ++y) rows.push_back(packed.data() + y * (kSurfaceWidth / 2));
  std::vector<png_color> palette = PngPalette();
  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool done = false;
  if (info != nullptr) {
    png_set_write_fn(png, &out, AppendBytes, FlushNothing);
    done = EncodeRows(png, info, palette.data(), rows.data());
  }
  png_destroy_write_struct(&png, &info);
  if (!done) out.clear();
  return out;
}

}  // namespace modelcheck
