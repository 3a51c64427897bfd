// Decodes an indexed-colour PNG back to palette indices, for comparing a
// written picture with the raster pixel by pixel.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "plots/graphics_surface.h"

namespace modelcheck {

struct DecodedImage {
  bool ok = false;
  std::string problem;
  int width = 0, height = 0, bit_depth = 0, colour_type = -1;
  std::vector<Rgb> palette;
  std::vector<std::uint8_t> indices;  // row-major, one byte a pixel
};

DecodedImage DecodeIndexedPng(std::span<const std::uint8_t> bytes);

}  // namespace modelcheck
