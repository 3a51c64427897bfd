// Bootstrap intervals: where they must lie, what a single piece gives, and
// the same bits for any thread count.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_input.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

const ModelSettings kSettings{.Ntrain = 9000, .D = 2, .eps = 0.02, .Ltest = 20, .Ktest = 300};

CheckOptions WithBootstrap(int threads, std::uint64_t seed, std::int32_t resamples = 400) {
  CheckOptions options;
  options.threads = threads;
  options.bootstrap = {.resamples = resamples, .seed = seed};
  return options;
}

void ExpectIntervalAroundEstimate(const PredictionTestResult& test) {
  ASSERT_TRUE(test.interval);
  const BootstrapInterval& interval = *test.interval;
  ASSERT_EQ(interval.errors_low.size(), test.errors.size());
  ASSERT_EQ(interval.errors_high.size(), test.errors.size());
  for (std::size_t i = 0; i < test.errors.size(); ++i) {
    SCOPED_TRACE("horizon " + std::to_string(i + 1));
    EXPECT_LE(interval.errors_low[i], test.errors[i]);
    EXPECT_GE(interval.errors_high[i], test.errors[i]);
    EXPECT_LT(interval.errors_low[i], interval.errors_high[i]);
  }
  ASSERT_TRUE(test.prediction_time);
  EXPECT_LE(interval.time_low, *test.prediction_time);
  EXPECT_GE(interval.time_high, *test.prediction_time);
}

TEST(PieceBootstrapTest, IntervalsHoldTheEstimateAndLeaveEveryOtherFigureAlone) {
  const std::vector<double> series = testing::HenonValues(10000);
  const CheckResult plain = CheckSeries(series, kSettings, {.threads = 1, .progress = {}});
  const CheckResult one = CheckSeries(series, kSettings, WithBootstrap(1, 7));
  ASSERT_TRUE(one.finished());
  EXPECT_FALSE(plain.iterative.interval);
  testing::ExpectSameResult(one, plain);
  {
    SCOPED_TRACE("iterative");
    ExpectIntervalAroundEstimate(one.iterative);
  }
  {
    SCOPED_TRACE("direct");
    ExpectIntervalAroundEstimate(one.direct);
  }

  // Same seed: same bits on any number of threads; another seed: other draws.
  for (const int threads : {2, 3, 0}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    const CheckResult again = CheckSeries(series, kSettings, WithBootstrap(threads, 7));
    EXPECT_EQ(testing::Bits(again.iterative.interval->errors_low), testing::Bits(one.iterative.interval->errors_low));
    EXPECT_EQ(testing::Bits(again.iterative.interval->errors_high), testing::Bits(one.iterative.interval->errors_high));
    EXPECT_EQ(testing::Bits(again.direct.interval->errors_low), testing::Bits(one.direct.interval->errors_low));
    EXPECT_EQ(again.direct.interval->time_high, one.direct.interval->time_high);
  }
  const CheckResult other = CheckSeries(series, kSettings, WithBootstrap(1, 8));
  EXPECT_NE(testing::Bits(other.iterative.interval->errors_low), testing::Bits(one.iterative.interval->errors_low));
}

TEST(PieceBootstrapTest, OnePieceOrOneResampleGivesTheEstimateItself) {
  // Every resample of one piece draws that piece once: the interval is the
  // estimate to the last bit, which checks the weighting and normalising.
  const std::vector<double> series = testing::HenonValues(10000);
  ModelSettings settings = kSettings;
  settings.Ktest = 1;
  const CheckResult single = CheckSeries(series, settings, WithBootstrap(2, 3, 50));
  ASSERT_TRUE(single.iterative.interval);
  EXPECT_EQ(testing::Bits(single.iterative.interval->errors_low), testing::Bits(single.iterative.errors));
  EXPECT_EQ(testing::Bits(single.iterative.interval->errors_high), testing::Bits(single.iterative.errors));
  EXPECT_EQ(single.direct.interval->time_low, single.direct.prediction_time);

  // One resample: both ends are that resample's figures.
  const CheckResult once = CheckSeries(series, kSettings, WithBootstrap(1, 3, 1));
  EXPECT_EQ(testing::Bits(once.iterative.interval->errors_low), testing::Bits(once.iterative.interval->errors_high));
}

}  // namespace
}  // namespace modelcheck
