// The measured phase orbit and measured test values, pixel by pixel, with the
// strict frame borders, far-off values and a constant test segment.
#include "plots/reference_curves.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "plot_fixture.h"
#include "plots/plot_scale.h"
#include "raster_probe.h"

namespace modelcheck {
namespace {

using Pixel = std::pair<int, int>;

constexpr Region kOrbitFrame{35, 50, 235, 250};
constexpr Region kDirectFrame{275, 50, 475, 250};
constexpr Region kIterativeFrame{525, 50, 725, 250};

std::set<Pixel> BlackPixels(const GraphicsSurface& surface, Region region) {
  std::set<Pixel> found;
  for (int y = region.top; y <= region.bottom; ++y) {
    for (int x = region.left; x <= region.right; ++x) {
      if (PixelAt(surface, x, y) == 0) found.insert({x, y});
    }
  }
  return found;
}

// The pixels of a polyline drawn `shift` pixels to the right, as a set.
std::set<Pixel> Shifted(const std::set<Pixel>& pixels, int shift) {
  std::set<Pixel> moved;
  for (const auto& [x, y] : pixels) moved.insert({x + shift, y});
  return moved;
}

// Draws with the range of the test segment, as the set-up does, and returns it.
PlotRange DrawOn(PlotFixture& fixture) {
  fixture.BlankWindow();
  const PlotRange range = WidenedRange(fixture.T);
  DrawReferenceCurves(fixture.surface, fixture.settings, fixture.T, range);
  return range;
}

void DrawOn(PlotFixture& fixture, const PlotRange& range) {
  fixture.BlankWindow();
  DrawReferenceCurves(fixture.surface, fixture.settings, fixture.T, range);
}

TEST(ReferenceCurves, MinimumAndMaximumOfTheSegmentSitATenthInside) {
  const PlotRange range = WidenedRange(std::vector<double>{4.0, 0.0, 10.0, 7.0});
  EXPECT_DOUBLE_EQ(range.lower, -1.0);
  EXPECT_DOUBLE_EQ(range.upper, 11.0);
  EXPECT_EQ(ExpectedOffset(0.0, range), 16);  // checked by hand: 200/12
  EXPECT_EQ(ExpectedOffset(10.0, range), 183);
}

TEST(ReferenceCurves, OrbitPixelsAreThePairsOfSuccessiveValues) {
  PlotFixture fixture(2, 3, 2, {0.0, 10.0, 4.0, 7.0, 2.0, 9.0});
  const PlotRange range = DrawOn(fixture);
  std::set<Pixel> expected;
  for (std::size_t i = 0; i + 1 < fixture.T.size(); ++i) {
    expected.insert({35 + ExpectedOffset(fixture.T[i], range), 250 - ExpectedOffset(fixture.T[i + 1], range)});
  }
  EXPECT_EQ(expected.size(), 5u);
  EXPECT_TRUE(expected.count({35 + 16, 250 - 183}));  // the pair (0, 10)
  EXPECT_EQ(BlackPixels(fixture.surface, kOrbitFrame), expected);
}

TEST(ReferenceCurves, MeasuredPolylineRunsFromTDToTDPlusLtestInBothValueFrames) {
  PlotFixture fixture(2, 3, 2, {0.0, 10.0, 4.0, 7.0, 2.0, 9.0});
  const PlotRange range = DrawOn(fixture);
  const std::vector<double>& T = fixture.T;
  const int xs[] = {275, 275 + 66, 275 + 133, 275 + 200};  // N(k) for Ltest = 3, by hand
  for (int k = 0; k <= 3; ++k) {
    EXPECT_EQ(PixelAt(fixture.surface, xs[k], 250 - ExpectedOffset(T[k + 1], range)), 0) << "n = " << k;
  }
  const std::set<Pixel> direct = BlackPixels(fixture.surface, kDirectFrame);
  for (int x = 275; x <= 475; ++x) {
    int in_column = 0;
    for (const auto& pixel : direct) in_column += pixel.first == x ? 1 : 0;
    EXPECT_GE(in_column, 1) << "gap in the polyline at x = " << x;
  }
  EXPECT_EQ(Shifted(direct, 250), BlackPixels(fixture.surface, kIterativeFrame));
  const InkBox all = FindInk(fixture.surface, 0);
  EXPECT_EQ(all.pixels, static_cast<int>(2 * direct.size() + BlackPixels(fixture.surface, kOrbitFrame).size()));
}

TEST(ReferenceCurves, FewerTestPiecesThanDStillGetTheWholeMeasuredPolyline) {
  // D = 3, Ltest = 2, Ktest = 1: the orbit has 3 steps, the polyline runs to T(5).
  PlotFixture fixture(3, 2, 1, {0.0, 10.0, 4.0, 7.0, 2.0});
  const PlotRange range = DrawOn(fixture);
  const std::vector<double>& T = fixture.T;
  const int xs[] = {275, 275 + 100, 275 + 200};
  for (int k = 0; k <= 2; ++k) {
    EXPECT_EQ(PixelAt(fixture.surface, xs[k], 250 - ExpectedOffset(T[k + 2], range)), 0) << "n = " << k;
    EXPECT_EQ(PixelAt(fixture.surface, xs[k] + 250, 250 - ExpectedOffset(T[k + 2], range)), 0) << "n = " << k;
  }
  EXPECT_EQ(BlackPixels(fixture.surface, kOrbitFrame).size(), 3u);  // no pixel for the pair (T(4), T(5))
}

TEST(ReferenceCurves, OneStepDrawsOneSegmentAcrossTheWholeFrame) {
  PlotFixture fixture(1, 1, 1, {0.0, 10.0});
  DrawOn(fixture);
  EXPECT_EQ(PixelAt(fixture.surface, 275, 250 - 16), 0);
  EXPECT_EQ(PixelAt(fixture.surface, 475, 250 - 183), 0);
  EXPECT_EQ(BlackPixels(fixture.surface, kDirectFrame).size(), 201u);
  // D = 1: the last step has no successor, so Ltest + Ktest - 1 orbit pixels.
  EXPECT_EQ(BlackPixels(fixture.surface, kOrbitFrame).size(), 1u);
}

TEST(ReferenceCurves, WithDOfOneTheLastStepHasNoOrbitPixel) {
  PlotFixture fixture(1, 2, 3, {0.0, 10.0, 3.0, 7.0, 5.0});
  DrawOn(fixture);
  EXPECT_EQ(BlackPixels(fixture.surface, kOrbitFrame).size(), 4u);
}

TEST(ReferenceCurves, NothingIsDrawnOnAFrameBorder) {
  // With the range [0, 100], 0 lies on the bottom or left edge and 100 on the
  // top or right edge; 0.6 and 99.4 lie one and two pixels inside.
  PlotFixture fixture(1, 2, 2, {0.0, 50.0, 100.0, 0.0});
  DrawOn(fixture, PlotRange{.lower = 0.0, .upper = 100.0});
  EXPECT_FALSE(FindInk(fixture.surface, 0).any);

  PlotFixture inside(1, 1, 1, {0.6, 99.4});
  DrawOn(inside, PlotRange{.lower = 0.0, .upper = 100.0});
  EXPECT_EQ(PixelAt(inside.surface, 36, 52), 0);
}

TEST(ReferenceCurves, FarValuesAreNotWrappedIntoTheWindow) {
  // 32818 lies 65636 pixels up: wrapped to 16 bits it would land at y = 150.
  PlotFixture fixture(1, 1, 2, {50.0, 32818.0, 25.0});
  DrawOn(fixture, PlotRange{.lower = 0.0, .upper = 100.0});
  EXPECT_FALSE(FindInk(fixture.surface, 0).any);
}

TEST(ReferenceCurves, AConstantSegmentPlacesNothing) {
  PlotFixture fixture(2, 3, 2, std::vector<double>(6, 3.0));
  const PlotRange range = DrawOn(fixture);
  EXPECT_EQ(range.lower, 3.0);
  EXPECT_EQ(range.upper, 3.0);
  EXPECT_FALSE(FindInk(fixture.surface, 0).any);
}

}  // namespace
}  // namespace modelcheck
