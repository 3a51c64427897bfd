// Font requests by option string and where monochrome text lands.
#include <gtest/gtest.h>

#include "plots/font_options.h"
#include "plots/graphics_surface.h"
#include "raster_probe.h"

namespace modelcheck {
namespace {

TEST(FontOptions, ReadsThePlotFontRequest) {
  const std::optional<FontOptions> options = ParseFontOptions("t'Arial'h14w7i");
  ASSERT_TRUE(options);
  EXPECT_EQ(options->typeface, "Arial");
  EXPECT_EQ(options->height, 14);
  EXPECT_EQ(options->width, 7);
  EXPECT_TRUE(options->italic);
  EXPECT_FALSE(options->bold);
}

TEST(FontOptions, RefusesUnreadableRequests) {
  for (const char* text : {"", "h14w7", "t'Arial", "t''h14", "t'Arial'h", "t'Arial'hx", "t'Arial'h0", "t'Arial'q",
                           "t'Arial'h99999999999"}) {
    EXPECT_FALSE(ParseFontOptions(text)) << text;
  }
  EXPECT_TRUE(ParseFontOptions("t'Liberation Sans' h12 b"));
}

GraphicsSurface WhiteWindowWithFont(std::string_view options) {
  GraphicsSurface surface;
  OpenPlotWindow(surface, "Model efficiency");
  SetBackgroundColour(surface, 15);
  ClearWindow(surface);
  SetDrawingColour(surface, 0);
  InitialiseFonts(surface);
  SelectFont(surface, options);
  return surface;
}

TEST(TextOut, InkLandsBelowAndRightOfTheCurrentPosition) {
  GraphicsSurface surface = WhiteWindowWithFont("t'Arial'h14w7i");
  ASSERT_TRUE(surface.font) << "no face for Arial: install fonts-liberation";
  SetDrawingColour(surface, 12);
  MoveTo(surface, 100, 200);
  EXPECT_EQ(TextOut(surface, "X1(n+1)   "), 1);
  const InkBox box = FindInk(surface, 12);
  ASSERT_TRUE(box.any);
  EXPECT_GE(box.left, 98);  // an italic slant may lean a little to the left
  EXPECT_LE(box.left, 103);
  EXPECT_GE(box.top, 200);
  EXPECT_LE(box.bottom, 218);
  EXPECT_GE(box.right, 100 + 7 * 5);  // seven characters of about 7 pixels
  EXPECT_LE(box.right, 100 + 9 * 7);
  EXPECT_EQ(surface.x, 100);  // text output leaves the current position
}

TEST(TextOut, BlanksPaintNothingAndTheBackgroundStays) {
  GraphicsSurface surface = WhiteWindowWithFont("t'Arial'h14w7i");
  ASSERT_TRUE(surface.font);
  SetPixel(surface, 105, 205);
  MoveTo(surface, 100, 200);
  TextOut(surface, std::string(100, ' '));
  EXPECT_EQ(FindInk(surface, 0).pixels, 1);
}

TEST(TextOut, WithoutASelectableFontTextDrawsNothing) {
  GraphicsSurface surface = WhiteWindowWithFont("h14w7i");
  EXPECT_FALSE(surface.font);
  MoveTo(surface, 10, 10);
  EXPECT_EQ(TextOut(surface, "Model efficiency"), 0);
  EXPECT_FALSE(FindInk(surface, 0).any);
  MoveTo(surface, 10, 10);
  EXPECT_EQ(LineTo(surface, 20, 10), 1);  // everything else goes on
}

}  // namespace
}  // namespace modelcheck
