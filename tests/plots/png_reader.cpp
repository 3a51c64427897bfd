#include "png_reader.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <fstream>
#include <iterator>

namespace modelcheck {

namespace {

struct Source {
  std::span<const std::uint8_t> bytes;
  std::size_t at = 0;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<Source*>(png_get_io_ptr(png));
  if (length > source->bytes.size() - source->at) png_error(png, "truncated");
  std::memcpy(out, source->bytes.data() + source->at, length);
  source->at += length;
}

// Only plain C objects live here, so libpng's long jump skips no destructor.
bool ReadRows(png_structp png, png_infop info, int* header, png_colorp palette, int* palette_size, png_bytepp* rows) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_read_info(png, info);
  header[0] = static_cast<int>(png_get_image_width(png, info));
  header[1] = static_cast<int>(png_get_image_height(png, info));
  header[2] = png_get_bit_depth(png, info);
  header[3] = png_get_color_type(png, info);
  png_colorp stored = nullptr;
  if (png_get_PLTE(png, info, &stored, palette_size) != 0)
    std::memcpy(palette, stored, sizeof(png_color) * *palette_size);
  png_set_packing(png);  // one byte per index
  png_read_update_info(png, info);
  *rows = static_cast<png_bytepp>(png_calloc(png, sizeof(png_bytep) * header[1]));  // null rows free safely
  for (int y = 0; y < header[1]; ++y) (*rows)[y] = static_cast<png_bytep>(png_malloc(png, png_get_rowbytes(png, info)));
  png_read_image(png, *rows);
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

DecodedImage DecodeIndexedPng(std::span<const std::uint8_t> bytes) {
  DecodedImage image;
  Source source{bytes};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_read_fn(png, &source, ReadBytes);
  int header[4] = {0, 0, 0, -1};
  png_color palette[256];
  int palette_size = 0;
  png_bytepp rows = nullptr;
  image.ok = ReadRows(png, info, header, palette, &palette_size, &rows);
  image.width = header[0], image.height = header[1], image.bit_depth = header[2], image.colour_type = header[3];
  for (int i = 0; i < palette_size; ++i)
    image.palette.push_back(Rgb{palette[i].red, palette[i].green, palette[i].blue});
  for (int y = 0; image.ok && y < image.height; ++y)
    image.indices.insert(image.indices.end(), rows[y], rows[y] + image.width);
  for (int y = 0; rows != nullptr && y < header[1]; ++y) png_free(png, rows[y]);
  png_free(png, rows);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!image.ok) image.problem = "not a readable PNG";
  return image;
}

}  // namespace modelcheck
