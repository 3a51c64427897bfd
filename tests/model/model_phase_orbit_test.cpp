// Model phase orbit: the free run of the model and its pixels in the delay-plane frame.
#include "model/model_phase_orbit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "model/neighbour_grid.h"

namespace modelcheck {
namespace {

using Pixel = std::pair<int, int>;
constexpr int kModelColour = 12;

struct OrbitFixture {
  GraphicsSurface surface;
  ModelCheck check;
};

// Training values far apart (eps = 0.01) give every state at most one neighbour,
// so the model replays the training series and then repeats its last value.
void PrepareRun(OrbitFixture& fixture, std::vector<double> training, std::vector<double> test_segment,
           std::int32_t D, PlotRange range, std::int32_t Ltest, std::int32_t Ktest) {
  OpenPlotWindow(fixture.surface, "Model efficiency");
  SetDrawingColour(fixture.surface, kModelColour);
  ModelCheck& check = fixture.check;
  check.settings = {.Ntrain = static_cast<std::int32_t>(training.size()), .D = D, .eps = 0.01,
                    .Ltest = Ltest, .Ktest = Ktest};
  check.training = std::move(training);
  check.test_segment = std::move(test_segment);
  check.plot_range = range;
  check.surface = &fixture.surface;
  BuildNeighbourGrid(check.settings.Ntrain, check.training, D - 1, check.settings.eps, check.grid);
}

std::set<Pixel> ModelPixels(const GraphicsSurface& surface) {
  std::set<Pixel> pixels;
  for (int y = 0; y < kSurfaceHeight; ++y) {
    for (int x = 0; x < kSurfaceWidth; ++x) {
      if (PixelAt(surface, x, y) == kModelColour) pixels.emplace(x, y);
    }
  }
  return pixels;
}

// The frame's mapping, written out: offsets ((v - lower) * s) * 200, truncated.
Pixel Expected(double newest, double p, PlotRange range) {
  const double s = 1.0 / (range.upper - range.lower);
  return {35 + static_cast<int>(((newest - range.lower) * s) * 200.0),
          550 - static_cast<int>(((p - range.lower) * s) * 200.0)};
}

TEST(ModelPhaseOrbitTest, ReplaysTheOnlyNeighboursSuccessorsAtTheMappedPixels) {
  OrbitFixture fixture;
  const std::vector<double> X = {0.13, 0.71, 0.37, 0.92, 0.55, 0.24};
  const PlotRange range{.lower = 0.05, .upper = 1.0};
  PrepareRun(fixture, X, {0.131, 0.5, 0.5}, 1, range, 2, 5);
  ModelPhaseOrbit(fixture.check);
  // Orbit 0.131 -> 0.71 -> 0.37 -> 0.92 -> 0.55 -> 0.24 -> 0.24 -> 0.24 (last value has no successor).
  const std::set<Pixel> expected = {Expected(0.131, 0.71, range), Expected(0.71, 0.37, range),
                                    Expected(0.37, 0.92, range),  Expected(0.92, 0.55, range),
                                    Expected(0.55, 0.24, range),  Expected(0.24, 0.24, range)};
  EXPECT_EQ(ModelPixels(fixture.surface), expected);
  EXPECT_EQ(fixture.check.prediction, 0.24);
  EXPECT_EQ(fixture.check.neighbour_count, 0);
}

// Ltest = Ktest = 1: two steps, then the run stops with the last prediction in the state.
TEST(ModelPhaseOrbitTest, RunsLtestPlusKtestSteps) {
  OrbitFixture fixture;
  const PlotRange range{.lower = 0.0, .upper = 1.0};
  PrepareRun(fixture, {0.13, 0.71, 0.37, 0.92, 0.55}, {0.13, 0.71}, 2, range, 1, 1);
  ModelPhaseOrbit(fixture.check);
  // D = 2: state (0.13, 0.71) -> 0.37, then (0.71, 0.37) -> 0.92.
  EXPECT_EQ(ModelPixels(fixture.surface),
            (std::set<Pixel>{Expected(0.71, 0.37, range), Expected(0.37, 0.92, range)}));
  EXPECT_EQ(fixture.check.state, (std::vector<double>{0.37, 0.92}));
}

TEST(ModelPhaseOrbitTest, AFixedPointDrawsOnePixel) {
  OrbitFixture fixture;
  const PlotRange range{.lower = -1.0, .upper = 2.0};
  PrepareRun(fixture, {0.1, 0.2, 0.3}, {0.77, 0.77}, 2, range, 30, 100);  // no neighbours: persistence
  ModelPhaseOrbit(fixture.check);
  EXPECT_EQ(ModelPixels(fixture.surface), std::set<Pixel>{Expected(0.77, 0.77, range)});
}

// Values at the range's ends land on the frame's border, which is never drawn.
TEST(ModelPhaseOrbitTest, PointsOnTheBorderAreNotDrawn) {
  OrbitFixture fixture;
  const PlotRange range{.lower = 0.0, .upper = 1.0};
  PrepareRun(fixture, {0.5, 0.0, 0.25, 1.0, 0.75}, {0.5}, 1, range, 3, 3);
  ModelPhaseOrbit(fixture.check);
  // (0.5, 0) bottom, (0, 0.25) left, (0.25, 1) top, (1, 0.75) right, then (0.75, 0.75) inside.
  EXPECT_EQ(ModelPixels(fixture.surface), (std::set<Pixel>{Pixel{185, 400}}));
}

TEST(ModelPhaseOrbitTest, PredictionsWithoutPixelAreNotDrawn) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const PlotRange range{.lower = 0.0, .upper = 1.0};
  for (const double wild : {1e300, -1e300, 40000.0, nan, std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(wild);
    OrbitFixture fixture;
    PrepareRun(fixture, {0.5, wild}, {0.5}, 1, range, 2, 2);
    ModelPhaseOrbit(fixture.check);
    EXPECT_TRUE(ModelPixels(fixture.surface).empty());
  }
}

TEST(ModelPhaseOrbitTest, ZeroWidthRangeDrawsNothing) {
  OrbitFixture fixture;
  PrepareRun(fixture, {0.13, 0.71, 0.37}, {0.4}, 1, PlotRange{.lower = 0.4, .upper = 0.4}, 5, 5);
  ModelPhaseOrbit(fixture.check);
  EXPECT_TRUE(ModelPixels(fixture.surface).empty());
}

}  // namespace
}  // namespace modelcheck
