// A check result drawn: orbit points as pixels of the model-orbit frame, the
// first piece's polyline and the error curve per test, and a whole Henon
// check over the plot window's set-up.
#include "presentation/check_drawing.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "plots/plot_window.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

using Pixel = std::pair<int, int>;
constexpr int kRed = 12;

GraphicsSurface RedPen() {
  GraphicsSurface surface;
  OpenPlotWindow(surface, "Model efficiency");
  SetDrawingColour(surface, kRed);
  return surface;
}

std::set<Pixel> RedPixels(const GraphicsSurface& surface) {
  std::set<Pixel> pixels;
  for (int y = 0; y < kSurfaceHeight; ++y)
    for (int x = 0; x < kSurfaceWidth; ++x)
      if (PixelAt(surface, x, y) == kRed) pixels.emplace(x, y);
  return pixels;
}

// The frame's mapping, written out: offsets ((v - lower) * s) * 200, truncated.
Pixel Expected(double newest, double p, PlotRange range) {
  const double s = 1.0 / (range.upper - range.lower);
  return {35 + static_cast<int>(((newest - range.lower) * s) * 200.0),
          550 - static_cast<int>(((p - range.lower) * s) * 200.0)};
}

std::set<Pixel> DrawnOrbit(const std::vector<OrbitPoint>& orbit, PlotRange range) {
  GraphicsSurface surface = RedPen();
  DrawModelOrbit(surface, orbit, range);
  return RedPixels(surface);
}

// The free run of a model that replays its training values (see the engine's
// orbit tests): 0.131 -> 0.71 -> 0.37 -> 0.92 -> 0.55 -> 0.24, then 0.24 for ever.
TEST(DrawModelOrbitTest, EachPointOfTheRunLandsOnItsMappedPixel) {
  std::vector<double> series = {0.13, 0.71, 0.37, 0.92, 0.55, 0.24, 0.131};
  series.resize(13, 0.5);
  const CheckResult result = CheckSeries(series, {.Ntrain = 6, .D = 1, .eps = 0.01, .Ltest = 2, .Ktest = 5});
  const PlotRange range{.lower = 0.05, .upper = 1.0};
  EXPECT_EQ(DrawnOrbit(result.orbit, range),
            (std::set<Pixel>{Expected(0.131, 0.71, range), Expected(0.71, 0.37, range), Expected(0.37, 0.92, range),
                             Expected(0.92, 0.55, range), Expected(0.55, 0.24, range), Expected(0.24, 0.24, range)}));
}

TEST(DrawModelOrbitTest, AFixedPointDrawsOnePixel) {
  const PlotRange range{.lower = -1.0, .upper = 2.0};
  EXPECT_EQ(DrawnOrbit(std::vector<OrbitPoint>(130, {.newest = 0.77, .prediction = 0.77}), range),
            std::set<Pixel>{Expected(0.77, 0.77, range)});
}

// Values at the range's ends land on the frame's border, which is never drawn.
TEST(DrawModelOrbitTest, PointsOnTheBorderAreNotDrawn) {
  const std::vector<OrbitPoint> orbit = {{0.5, 0.0}, {0.0, 0.25}, {0.25, 1.0}, {1.0, 0.75}, {0.75, 0.75}};
  EXPECT_EQ(DrawnOrbit(orbit, {.lower = 0.0, .upper = 1.0}), (std::set<Pixel>{Pixel{185, 400}}));
}

TEST(DrawModelOrbitTest, ValuesWithoutPixelAndAZeroWidthRangeDrawNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const double wild : {1e300, -1e300, 40000.0, nan, std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(wild);
    EXPECT_TRUE(DrawnOrbit({{0.5, wild}, {wild, wild}, {wild, 0.5}}, {.lower = 0.0, .upper = 1.0}).empty());
  }
  EXPECT_TRUE(DrawnOrbit({{0.13, 0.71}, {0.71, 0.37}}, {.lower = 0.4, .upper = 0.4}).empty());
}

// Range [0, 1], Ltest = 2: the polyline starts at (x0, 150) for T(D) = 0.5
// and reaches horizons 1 and 2 at x0 + 100 and x0 + 200.
TEST(DrawTestCurvesTest, PredictionsFromTheNewestValueAndErrorsOnlyWhenFinished) {
  const PlotRange range{.lower = 0.0, .upper = 1.0};
  PredictionTestResult stopped{.first_piece = {0.25}, .errors = {}, .prediction_time = 0, .neighbour_counts = {}};
  GraphicsSurface surface = RedPen();
  DrawTestCurves(surface, kDirectPanel, 0.5, 2, stopped, range);
  std::set<Pixel> drawn = RedPixels(surface);
  EXPECT_TRUE(drawn.count({275, 150}) && drawn.count({375, 200}));
  EXPECT_EQ(drawn.size(), 101u);  // one pixel per column, nothing in the error panel

  PredictionTestResult finished{
      .first_piece = {0.25, 0.75}, .errors = {0.0, 0.5}, .prediction_time = 1, .neighbour_counts = {}};
  surface = RedPen();
  DrawTestCurves(surface, kIterativePanel, 0.5, 2, finished, range);
  drawn = RedPixels(surface);
  EXPECT_TRUE(drawn.count({525, 150}) && drawn.count({625, 200}) && drawn.count({725, 100}));
  EXPECT_TRUE(drawn.count({625, 550}) && drawn.count({725, 450}));
  for (const Pixel& pixel : drawn) EXPECT_TRUE(pixel.first >= 525 && pixel.first <= 725) << pixel.first;
}

// A whole check presented as the dialogue presents it: the red curves lie in
// their frames and the model orbit follows the measured orbit.
TEST(CheckDrawingTest, AHenonCheckIsDrawnInsideItsFrames) {
  const std::vector<double> series = testing::HenonValues(3000, 1000);
  const ModelSettings settings{.Ntrain = 2000, .D = 2, .eps = 0.05, .Ltest = 30, .Ktest = 100};
  const CheckResult result = CheckSeries(series, settings);
  const std::span<const double> T =
      std::span<const double>(series).subspan(2000, static_cast<std::size_t>(Ntest(settings)));
  GraphicsSurface surface;
  const PlotRange range = SetUpPlotWindow(surface, settings, T);
  DrawModelOrbit(surface, result.orbit, range);
  DrawTestCurves(surface, kIterativePanel, T[1], settings.Ltest, result.iterative, range);
  DrawTestCurves(surface, kDirectPanel, T[1], settings.Ltest, result.direct, range);

  const auto red_in = [&](int x1, int y1, int x2, int y2) {
    int count = 0;
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x) count += PixelAt(surface, x, y) == kRed ? 1 : 0;
    return count;
  };
  for (const int x0 : {kDirectPanel, kIterativePanel}) {
    EXPECT_GT(red_in(x0, 51, x0 + 200, 249), 100) << "prediction panel at " << x0;
    EXPECT_GT(red_in(x0, 351, x0 + 200, 550), 100) << "error panel at " << x0;
  }
  // The measured delay plane of the whole series on the model orbit's frame;
  // 130 test values alone are too sparse to outline the attractor.
  const double s = 1.0 / (range.upper - range.lower);
  const auto offset = [&](double v) { return static_cast<int>(((v - range.lower) * s) * 200); };
  std::vector<std::vector<bool>> measured(kSurfaceHeight, std::vector<bool>(kSurfaceWidth, false));
  for (std::size_t n = 0; n + 1 < series.size(); ++n) {
    const int x = 35 + offset(series[n]), y = 550 - offset(series[n + 1]);
    if (x >= 0 && x < kSurfaceWidth && y >= 0 && y < kSurfaceHeight) measured[y][x] = true;
  }
  int model_pixels = 0, near_measured = 0;
  for (int y = 351; y < 550; ++y) {
    for (int x = 36; x < 235; ++x) {
      if (PixelAt(surface, x, y) != kRed) continue;
      ++model_pixels;
      bool found = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) found = found || measured[y + dy][x + dx];
      near_measured += found ? 1 : 0;
    }
  }
  EXPECT_GE(model_pixels, 60);  // not settled on a fixed point or a short cycle
  EXPECT_GE(near_measured, model_pixels * 95 / 100);
}

}  // namespace
}  // namespace modelcheck
