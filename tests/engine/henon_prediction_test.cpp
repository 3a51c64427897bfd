// A whole model check on the Henon map's x series, its figures checked against
// an independent brute-force reference and its orbit against the measured one.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "modelcheck/engine.h"
#include "support/henon.h"
#include "support/reference_predictor.h"

namespace modelcheck {
namespace {

// The reference solves by another method and sums in another order. Direct
// errors agree to about 1e-12; the chaotic map stretches an iterated
// difference by roughly e^0.42 per step, and the iterative errors were seen
// to agree to about 1e-10 after 30 steps.
constexpr double kDirectTolerance = 1e-10;
constexpr double kIterativeTolerance = 1e-8;

class HenonPredictionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    series_ = testing::HenonValues(3000, 1000);
    const ModelSettings settings{.Ntrain = 2000, .D = 2, .eps = 0.05, .Ltest = 30, .Ktest = 100};
    result_ = CheckSeries(series_, settings);
    const auto test_begin = series_.begin() + settings.Ntrain;
    const testing::ReferenceSetup setup{.training = {series_.begin(), test_begin},
                                        .test = {test_begin, test_begin + Ntest(settings)},
                                        .D = 2,
                                        .eps = 0.05,
                                        .Ltest = 30,
                                        .Ktest = 100};
    iterative_ = testing::ReferenceIterative(setup);
    direct_ = testing::ReferenceDirect(setup);
  }

  static inline std::vector<double> series_;
  static inline CheckResult result_;
  static inline testing::ReferenceResult iterative_;
  static inline testing::ReferenceResult direct_;
};

TEST_F(HenonPredictionTest, ErrorsMatchTheReferenceAtEveryHorizon) {
  ASSERT_TRUE(result_.finished());
  ASSERT_EQ(result_.direct.errors.size(), 30u);
  ASSERT_EQ(result_.iterative.errors.size(), 30u);
  for (std::size_t i = 0; i < 30; ++i) {
    EXPECT_NEAR(result_.direct.errors[i], direct_.errors[i], kDirectTolerance) << "horizon " << i + 1;
    EXPECT_NEAR(result_.iterative.errors[i], iterative_.errors[i], kIterativeTolerance) << "horizon " << i + 1;
  }
  EXPECT_EQ(result_.one_step_error, result_.iterative.errors[0]);
  EXPECT_LT(result_.one_step_error, 0.01);  // below 1 %
}

TEST_F(HenonPredictionTest, PredictionTimesAndNeighbourCountsMatchTheReference) {
  EXPECT_GE(iterative_.prediction_time, 2);
  EXPECT_GE(direct_.prediction_time, 2);
  EXPECT_EQ(result_.iterative.prediction_time, iterative_.prediction_time);
  EXPECT_EQ(result_.direct.prediction_time, direct_.prediction_time);
  EXPECT_EQ(std::vector<int>(result_.direct.neighbour_counts.begin(), result_.direct.neighbour_counts.end()),
            direct_.neighbour_counts);
  EXPECT_EQ(result_.iterative.neighbour_counts.size(), 100u * 30u);
  EXPECT_EQ(result_.iterative.first_piece.size(), 30u);
  EXPECT_EQ(result_.direct.first_piece.size(), 30u);
}

// Every point of the free run lies close to the measured delay plane
// (x(n), x(n+1)) of the whole series, and the run visits many distinct
// places instead of settling on a fixed point or a short cycle.
TEST_F(HenonPredictionTest, ModelOrbitTakesTheShapeOfTheMeasuredOrbit) {
  ASSERT_EQ(result_.orbit.size(), 130u);
  constexpr double kCell = 0.01;
  std::set<std::pair<long, long>> measured, visited;
  const auto cell = [](double v) { return std::lround(std::floor(v / kCell)); };
  for (std::size_t n = 0; n + 1 < series_.size(); ++n) measured.emplace(cell(series_[n]), cell(series_[n + 1]));
  int near_measured = 0;
  for (const OrbitPoint& point : result_.orbit) {
    const long x = cell(point.newest), y = cell(point.prediction);
    visited.emplace(x, y);
    bool found = false;
    for (long dx = -1; dx <= 1; ++dx)
      for (long dy = -1; dy <= 1; ++dy) found = found || measured.count({x + dx, y + dy}) > 0;
    near_measured += found ? 1 : 0;
  }
  EXPECT_GE(visited.size(), 60u);
  EXPECT_GE(near_measured, static_cast<int>(result_.orbit.size()) * 95 / 100);
}

}  // namespace
}  // namespace modelcheck
