#include "plots/font_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <optional>
#include <string>

namespace modelcheck {

struct FontFace {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  int ascender = 0;  // pixels from the top of the line box to the baseline
};

void FontFaceDeleter::operator()(FontFace* font) const {
  if (font == nullptr) return;
  if (font->face != nullptr) FT_Done_Face(font->face);
  if (font->library != nullptr) FT_Done_FreeType(font->library);
  std::default_delete<FontFace>{}(font);
}

namespace {

struct FontFile {
  std::string path;
  int index = 0;  // face number inside a collection file
};

using PatternHandle = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

PatternHandle RequestPattern(const FontOptions& options) {
  PatternHandle pattern(FcPatternCreate(), &FcPatternDestroy);
  if (!pattern) return pattern;
  const auto* family = reinterpret_cast<const FcChar8*>(options.typeface.c_str());
  FcPatternAddString(pattern.get(), FC_FAMILY, family);
  FcPatternAddInteger(pattern.get(), FC_SLANT, options.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, options.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (options.height > 0) FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, options.height);
  return pattern;
}

std::optional<FontFile> FindFontFile(const FontOptions& options) {
  PatternHandle pattern = RequestPattern(options);
  if (!pattern || !FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return std::nullopt;
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternHandle match(FcFontMatch(nullptr, pattern.get(), &result), &FcPatternDestroy);
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  FontFile found{.path = reinterpret_cast<const char*>(file)};
  if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index) != FcResultMatch) found.index = 0;
  return found;
}

bool OpenFace(FontFace& font, const FontFile& file, const FontOptions& options) {
  if (FT_Init_FreeType(&font.library) != 0) return false;
  if (FT_New_Face(font.library, file.path.c_str(), file.index, &font.face) != 0) return false;
  const int height = options.height > 0 ? options.height : 14;
  const int width = options.width > 0 ? 2 * options.width : 0;  // 0: as tall as wide
  if (FT_Set_Pixel_Sizes(font.face, static_cast<FT_UInt>(width), static_cast<FT_UInt>(height)) != 0) return false;
  font.ascender = static_cast<int>((font.face->size->metrics.ascender + 63) / 64);  // 26.6, rounded up
  return true;
}

// Sets the ink bits of a one-bit glyph bitmap whose top-left pixel is (left, top).
void DrawBitmap(GraphicsSurface& surface, const FT_Bitmap& bitmap, int left, int top) {
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.pitch < 0) return;
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* bits = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    for (unsigned column = 0; column < bitmap.width; ++column) {
      if ((bits[column / 8] & (0x80u >> (column % 8))) != 0) {
        SetPixel(surface, left + static_cast<int>(column), top + static_cast<int>(row));
      }
    }
  }
}

}  // namespace

// fontconfig keeps its configuration until FcFini; releasing it at exit
// keeps leak checkers quiet about memory the library still holds.
bool InitialiseFontLookup() {
  static const bool ready = [] {
    const bool loaded = FcInit() == FcTrue;
    std::atexit(FcFini);
    return loaded;
  }();
  return ready;
}

FontHandle LoadFontFace(const FontOptions& options) {
  const std::optional<FontFile> file = FindFontFile(options);
  if (!file) return nullptr;
  FontHandle font(std::make_unique<FontFace>().release());
  if (!OpenFace(*font, *file, options)) return nullptr;
  return font;
}

void DrawText(GraphicsSurface& surface, const FontFace& font, int x, int y, std::string_view text) {
  const int baseline = y + font.ascender;
  FT_Pos pen = 0;  // 26.6 pixels from x, so that rounding does not accumulate
  for (const char character : text) {
    const int origin = x + static_cast<int>((pen + 32) / 64);
    if (origin >= kSurfaceWidth) return;  // advances never go left: the rest is off the window
    const FT_ULong code = static_cast<unsigned char>(character);
    if (FT_Load_Char(font.face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) continue;
    const FT_GlyphSlot glyph = font.face->glyph;
    DrawBitmap(surface, glyph->bitmap, origin + glyph->bitmap_left, baseline - glyph->bitmap_top);
    pen += glyph->advance.x;
  }
}

}  // namespace modelcheck
