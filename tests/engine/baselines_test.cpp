// The baselines a check is measured against: persistence against a
// brute-force score, the global affine model on a series it describes
// exactly, and both over the pieces and horizons of the check.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "modelcheck/engine.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

// The brute-force score sums in another grouping than the engine, so the
// two agree to rounding only.
constexpr double kRoundingTolerance = 1e-12;

// sqrt(mean over pieces of (T(k+D-1) - T(k+D+i-1))^2 / variance) per horizon.
std::vector<double> PersistenceByHand(const std::vector<double>& series, const ModelSettings& s) {
  double mean = 0.0;
  for (int t = 0; t < s.Ntrain; ++t) mean += series[static_cast<std::size_t>(t)];
  mean /= s.Ntrain;
  double variance = 0.0;
  for (int t = 0; t < s.Ntrain; ++t) variance += std::pow(series[static_cast<std::size_t>(t)] - mean, 2);
  variance /= s.Ntrain;
  std::vector<double> errors;
  const auto T = [&](int m) { return series[static_cast<std::size_t>(s.Ntrain + m - 1)]; };
  for (int i = 1; i <= s.Ltest; ++i) {
    double sum = 0.0;
    for (int k = 1; k <= s.Ktest; ++k) sum += std::pow(T(k + s.D - 1) - T(k + s.D + i - 1), 2);
    errors.push_back(std::sqrt(sum / s.Ktest / variance));
  }
  return errors;
}

TEST(BaselinesTest, PersistenceRepeatsTheNewestValueOfEachPiece) {
  const std::vector<double> series = testing::HenonValues(700);
  for (const int D : {1, 3}) {
    const ModelSettings settings{.Ntrain = 600, .D = D, .eps = 0.05, .Ltest = 12, .Ktest = 40};
    const BaselineResult result = CheckBaselines(series, settings);
    const std::vector<double> expected = PersistenceByHand(series, settings);
    ASSERT_EQ(result.persistence.errors.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
      EXPECT_NEAR(result.persistence.errors[i], expected[i], kRoundingTolerance * expected[i]) << "D " << D;
    EXPECT_EQ(result.persistence.first_piece, std::vector<double>(12, series[static_cast<std::size_t>(600 + D - 1)]));
    EXPECT_EQ(result.persistence.prediction_time, PredictionTime(result.persistence.errors));
    // The chaotic series moves by more than the threshold in one step.
    EXPECT_EQ(result.persistence.prediction_time, 0);
  }
}

// A sampled sine obeys x(t+1) = 2 cos(w) x(t) - x(t-1): with D = 2 the global
// affine model is exact, iterated and direct, where persistence fails.
TEST(BaselinesTest, GlobalAffineModelPredictsALinearRecurrence) {
  std::vector<double> series;
  for (int t = 0; t < 600; ++t) series.push_back(std::sin(0.3 * t + 0.1));
  const ModelSettings settings{.Ntrain = 500, .D = 2, .eps = 0.05, .Ltest = 20, .Ktest = 50};
  const BaselineResult result = CheckBaselines(series, settings);
  ASSERT_FALSE(result.global_stop);
  ASSERT_EQ(result.global_iterative.errors.size(), 20u);
  ASSERT_EQ(result.global_direct.errors.size(), 20u);
  for (std::size_t i = 0; i < 20; ++i) {
    EXPECT_LT(result.global_iterative.errors[i], 1e-9) << "horizon " << i + 1;
    EXPECT_LT(result.global_direct.errors[i], 1e-9) << "horizon " << i + 1;
  }
  EXPECT_EQ(result.global_iterative.prediction_time, 20);
  EXPECT_EQ(result.global_direct.prediction_time, 20);
  EXPECT_LT(result.persistence.prediction_time, 20);
  EXPECT_NEAR(result.global_iterative.first_piece[0], series[502], 1e-12);
  EXPECT_TRUE(result.global_iterative.neighbour_counts.empty());
}

// The global model uses every state, so it cannot depend on the box size,
// and on a chaotic series a good local model beats it.
TEST(BaselinesTest, IgnoreTheBoxSizeAndLoseToTheLocalModelOnChaos) {
  const std::vector<double> series = testing::HenonValues(2200);
  ModelSettings settings{.Ntrain = 2000, .D = 2, .eps = 0.05, .Ltest = 30, .Ktest = 100};
  const BaselineResult first = CheckBaselines(series, settings);
  settings.eps = 0.5;
  const BaselineResult second = CheckBaselines(series, settings);
  EXPECT_EQ(first.global_iterative.errors, second.global_iterative.errors);
  EXPECT_EQ(first.global_direct.errors, second.global_direct.errors);
  EXPECT_EQ(first.persistence.errors, second.persistence.errors);
  settings.eps = 0.05;
  const CheckResult local = CheckSeries(series, settings);
  EXPECT_GT(local.iterative.prediction_time, first.global_iterative.prediction_time);
}

TEST(BaselinesTest, SettingsThatDoNotFitAreRefusedAsByACheck) {
  const std::vector<double> series(20, 1.0);
  const ModelSettings settings{.Ntrain = 10, .D = 2, .eps = 0.1, .Ltest = 3, .Ktest = 7};
  EXPECT_THROW(CheckBaselines(series, settings), std::invalid_argument);
}

}  // namespace
}  // namespace modelcheck
