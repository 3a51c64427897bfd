// The shared error measure: accumulation, normalisation and prediction time.
#include "engine/horizon_errors.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace modelcheck {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(HorizonErrorsTest, OnePieceGivesTheAbsoluteErrorInStandardDeviations) {
  const double variance = 0.37;
  const std::vector<double> predictions = {1.25, -0.5, 3.0};
  const std::vector<double> targets = {1.0, 0.25, 3.0};
  std::vector<double> errors(3, 99.0);
  ClearHorizonErrors(errors);
  for (int i = 1; i <= 3; ++i) AddSquaredError(errors, i, predictions[i - 1], targets[i - 1]);
  NormaliseHorizonErrors(errors, 1, variance);
  for (int i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(errors[i], std::fabs(predictions[i] - targets[i]) / std::sqrt(variance)) << i;
  }
}

TEST(HorizonErrorsTest, SumsOverPiecesAreMeanedAndScaledByTheVariance) {
  std::vector<double> errors(2);
  ClearHorizonErrors(errors);
  // Three pieces; horizon 2 accumulates 3^2 + 4^2 + 0^2 = 25.
  for (const double miss : {3.0, 4.0, 0.0}) {
    AddSquaredError(errors, 1, 1.0, 1.0);
    AddSquaredError(errors, 2, 10.0 + miss, 10.0);
  }
  EXPECT_EQ(errors[1], 25.0);
  NormaliseHorizonErrors(errors, 3, 4.0);
  EXPECT_EQ(errors[0], 0.0);
  EXPECT_DOUBLE_EQ(errors[1], std::sqrt(25.0 / 12.0));
}

// The pieces' squared errors are kept and summed afterwards; the sums must be
// those of adding each piece's errors as it is made, in piece order, from zero.
TEST(HorizonErrorsTest, SumsOfKeptSquaredErrorsMatchTheRunningSumsBitForBit) {
  std::mt19937_64 rng(31);
  std::uniform_real_distribution<double> exponent(-20.0, 20.0);
  constexpr std::int32_t kPieces = 57, kLtest = 7;
  std::vector<double> squared, running(kLtest);
  ClearHorizonErrors(running);
  for (std::int32_t k = 1; k <= kPieces; ++k) {
    for (std::int32_t i = 1; i <= kLtest; ++i) {
      const double prediction = std::exp(exponent(rng)), target = std::exp(exponent(rng));
      AddSquaredError(running, i, prediction, target);
      squared.push_back((prediction - target) * (prediction - target));
    }
  }
  std::vector<double> summed(kLtest, 99.0);
  SumSquaredErrors(squared, kPieces, summed);
  for (std::size_t i = 0; i < summed.size(); ++i) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(summed[i]), std::bit_cast<std::uint64_t>(running[i])) << "horizon " << i + 1;
  }
}

TEST(HorizonErrorsTest, ThresholdIsTheSinglePrecisionValueOfOneTwentieth) {
  EXPECT_EQ(kPredictionThreshold, static_cast<double>(0.05f));
  EXPECT_GT(kPredictionThreshold, 0.05);
  EXPECT_LT(kPredictionThreshold, 0.0500000008);
}

struct TimeCase {
  std::vector<double> errors;
  int expected;
};

TEST(HorizonErrorsTest, PredictionTimeCountsLeadingHorizonsAtOrBelowTheThreshold) {
  const double above = std::nextafter(kPredictionThreshold, 1.0);
  const std::vector<TimeCase> cases = {
      {{0.01}, 1},                                   // one horizon, below
      {{0.2}, 0},                                    // one horizon, above
      {{0.0, 0.01, 0.05, kPredictionThreshold}, 4},  // all at or below: Ltest
      {{0.06, 0.0, 0.0}, 0},                         // E(1) above hides later ones
      {{0.01, 0.02, above, 0.0}, 2},                 // just above the threshold stops
      {{0.01, kInfinity, 0.0}, 1},                   // infinity stops
      {{0.01, 0.02, kNaN, 0.0}, 2},                  // NaN stops like a failure
      {{kNaN}, 0},
  };
  for (const TimeCase& c : cases) {
    EXPECT_EQ(PredictionTime(c.errors), c.expected) << "errors[0] = " << c.errors[0];
  }
}

TEST(HorizonErrorsTest, NotANumberSurvivesNormalisationAndEndsTheCount) {
  // A prediction that is not a number poisons its horizon; it must read as a
  // failure, never as a perfect prediction.
  std::vector<double> errors(3);
  ClearHorizonErrors(errors);
  AddSquaredError(errors, 1, 0.5, 0.5);
  AddSquaredError(errors, 2, kNaN, 0.5);
  NormaliseHorizonErrors(errors, 1, 1.0);
  EXPECT_TRUE(std::isnan(errors[1]));
  EXPECT_EQ(PredictionTime(errors), 1);
}

}  // namespace
}  // namespace modelcheck
