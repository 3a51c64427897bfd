// The raster plot window: lines, pixels, rectangles, colours, clearing, reuse.
#include "plots/graphics_surface.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace modelcheck {
namespace {

constexpr int kBlack = 0, kRed = 12, kWhite = 15;

GraphicsSurface OpenWhite() {
  GraphicsSurface surface;
  OpenPlotWindow(surface, "Model efficiency");
  SetBackgroundColour(surface, kWhite);
  ClearWindow(surface);
  SetDrawingColour(surface, kBlack);
  return surface;
}

int CountColour(const GraphicsSurface& surface, int colour) {
  int count = 0;
  for (const std::uint8_t pixel : surface.pixels) count += pixel == colour ? 1 : 0;
  return count;
}

TEST(GraphicsSurface, PaletteHoldsTheThreeColoursOfThePlots) {
  EXPECT_EQ(kPalette[0].red + kPalette[0].green + kPalette[0].blue, 0);
  EXPECT_EQ(kPalette[12].red, 255);
  EXPECT_EQ(kPalette[12].green + kPalette[12].blue, 0);
  EXPECT_EQ(kPalette[15].red & kPalette[15].green & kPalette[15].blue, 255);
}

TEST(GraphicsSurface, LinesIncludeBothEndsAndAreConnected) {
  struct Case {
    int x0, y0, x1, y1;
  };
  for (const Case c : {Case{10, 10, 10, 10}, Case{10, 20, 50, 20}, Case{60, 5, 60, 40}, Case{100, 100, 137, 88},
                       Case{200, 50, 190, 120}, Case{300, 300, 250, 250}}) {
    GraphicsSurface surface = OpenWhite();
    MoveTo(surface, c.x0, c.y0);
    LineTo(surface, c.x1, c.y1);
    EXPECT_EQ(PixelAt(surface, c.x0, c.y0), kBlack);
    EXPECT_EQ(PixelAt(surface, c.x1, c.y1), kBlack);
    const int length = std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0)) + 1;
    EXPECT_EQ(CountColour(surface, kBlack), length) << "one pixel per step along the major axis";
    EXPECT_EQ(surface.x, c.x1);
    EXPECT_EQ(surface.y, c.y1);
  }
}

TEST(GraphicsSurface, DrawingOutsideTheRasterIsClippedAndFarCoordinatesAreRefused) {
  GraphicsSurface surface = OpenWhite();
  MoveTo(surface, -5, 10);
  LineTo(surface, 5, 10);
  EXPECT_EQ(CountColour(surface, kBlack), 6);
  EXPECT_EQ(SetPixel(surface, 800, 0), 0);
  EXPECT_EQ(SetPixel(surface, 0, -1), 0);
  MoveTo(surface, 400, 300);
  EXPECT_EQ(LineTo(surface, 70000, 300), 0);  // beyond 16 bits: nothing drawn, no wrap
  EXPECT_EQ(RectangleOutline(surface, 0, 0, 40000, 10), 0);
  EXPECT_EQ(CountColour(surface, kBlack), 6);
}

TEST(GraphicsSurface, RectangleIsAnOutlineThroughBothCorners) {
  GraphicsSurface surface = OpenWhite();
  RectangleOutline(surface, 35, 50, 235, 250);
  for (int t = 0; t <= 200; ++t) {
    ASSERT_EQ(PixelAt(surface, 35 + t, 50), kBlack);
    ASSERT_EQ(PixelAt(surface, 35 + t, 250), kBlack);
    ASSERT_EQ(PixelAt(surface, 35, 50 + t), kBlack);
    ASSERT_EQ(PixelAt(surface, 235, 50 + t), kBlack);
  }
  EXPECT_EQ(CountColour(surface, kBlack), 4 * 200);
  EXPECT_EQ(PixelAt(surface, 36, 51), kWhite);
}

TEST(GraphicsSurface, DrawingColourReturnsThePreviousIndex) {
  GraphicsSurface surface = OpenWhite();
  EXPECT_EQ(SetDrawingColour(surface, kRed), kBlack);
  EXPECT_EQ(SetDrawingColour(surface, kRed), kRed);
  EXPECT_EQ(SetDrawingColour(surface, 16), -1);
  EXPECT_EQ(SetDrawingColour(surface, -1), -1);
  EXPECT_EQ(surface.colour, kRed);
  SetPixel(surface, 3, 4);
  EXPECT_EQ(PixelAt(surface, 3, 4), kRed);
}

TEST(GraphicsSurface, ReopeningReusesTheWindowUntilItIsCleared) {
  GraphicsSurface surface = OpenWhite();
  SetPixel(surface, 7, 7);
  EXPECT_EQ(OpenPlotWindow(surface, "Model efficiency"), 1);
  EXPECT_EQ(PixelAt(surface, 7, 7), kBlack);
  EXPECT_EQ(surface.pixels.size(), static_cast<std::size_t>(kSurfaceWidth * kSurfaceHeight));
  ClearWindow(surface);
  EXPECT_EQ(CountColour(surface, kWhite), kSurfaceWidth * kSurfaceHeight);
}

TEST(GraphicsSurface, AClosedWindowDrawsNothing) {
  GraphicsSurface surface;
  EXPECT_EQ(SetPixel(surface, 1, 1), 0);
  EXPECT_EQ(ClearWindow(surface), 0);
  EXPECT_EQ(LineTo(surface, 5, 5), 0);
  EXPECT_EQ(BringToFront(surface), 0);
  EXPECT_TRUE(surface.pixels.empty());
}

}  // namespace
}  // namespace modelcheck
