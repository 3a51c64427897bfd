// The model's free run: its points in the delay plane, its length, and the
// state and neighbour list it leaves.
#include "engine/model_phase_orbit.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine_input.h"

namespace modelcheck {
namespace {

using testing::PrepareInput;

struct Point {
  double newest, prediction;
  bool operator==(const Point&) const = default;
};

std::vector<Point> Points(const std::vector<OrbitPoint>& orbit) {
  std::vector<Point> points;
  for (const OrbitPoint& point : orbit) points.push_back({point.newest, point.prediction});
  return points;
}

std::vector<double> Joined(std::vector<double> training, const std::vector<double>& test) {
  training.insert(training.end(), test.begin(), test.end());
  return training;
}

// Training values far apart (eps = 0.01) give every state at most one
// neighbour, so the model replays the training series and then repeats its
// last value, which has no successor.
TEST(ModelPhaseOrbitTest, ReplaysTheOnlyNeighboursSuccessorsThenPersists) {
  const ModelSettings settings{.Ntrain = 6, .D = 1, .eps = 0.01, .Ltest = 2, .Ktest = 5};
  const auto series = Joined({0.13, 0.71, 0.37, 0.92, 0.55, 0.24}, {0.131, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5});
  const auto prepared = PrepareInput(series, settings);
  PieceWork work;
  std::vector<OrbitPoint> orbit;
  RunModelOrbit(prepared->input, work, orbit);
  const std::vector<Point> expected = {{0.131, 0.71}, {0.71, 0.37}, {0.37, 0.92}, {0.92, 0.55},
                                       {0.55, 0.24},  {0.24, 0.24}, {0.24, 0.24}};
  EXPECT_EQ(Points(orbit), expected);
  EXPECT_EQ(work.state, std::vector<double>{0.24});
  EXPECT_EQ(work.neighbour_count, 0);
  EXPECT_EQ(Points(CheckSeries(series, settings).orbit), expected);
}

// Ltest = Ktest = 1: two steps from T(1..D), the last prediction left in the state.
TEST(ModelPhaseOrbitTest, RunsLtestPlusKtestStepsFromTheFirstDTestValues) {
  const ModelSettings settings{.Ntrain = 5, .D = 2, .eps = 0.01, .Ltest = 1, .Ktest = 1};
  // Ntest = 3 test values; the orbit reads only the first D of them.
  const auto prepared = PrepareInput({0.13, 0.71, 0.37, 0.92, 0.55, 0.13, 0.71, 0.5}, settings);
  PieceWork work;
  std::vector<OrbitPoint> orbit;
  RunModelOrbit(prepared->input, work, orbit);
  // State (0.13, 0.71) -> 0.37, then (0.71, 0.37) -> 0.92.
  EXPECT_EQ(Points(orbit), (std::vector<Point>{{0.71, 0.37}, {0.37, 0.92}}));
  EXPECT_EQ(work.state, (std::vector<double>{0.37, 0.92}));
  ASSERT_EQ(work.neighbour_count, 1);
  EXPECT_EQ(work.neighbours.front(), 2);
}

TEST(ModelPhaseOrbitTest, WithoutNeighboursTheOrbitStaysOnItsStart) {
  const ModelSettings settings{.Ntrain = 3, .D = 2, .eps = 0.01, .Ltest = 30, .Ktest = 100};
  std::vector<double> series = {0.1, 0.2, 0.3};
  series.resize(series.size() + static_cast<std::size_t>(Ntest(settings)), 0.77);
  const CheckResult result = CheckSeries(series, settings);
  EXPECT_EQ(Points(result.orbit), std::vector<Point>(130, Point{0.77, 0.77}));
}

}  // namespace
}  // namespace modelcheck
