// Series of extreme magnitude: values whose squares overflow or underflow a
// double are measured in scaled units, so their errors are the true ones
// instead of asterisks, while ordinary series keep every bit.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/training_statistics.h"
#include "engine_input.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

std::vector<double> Scaled(std::vector<double> values, int power_of_two) {
  for (double& value : values) value = std::ldexp(value, power_of_two);
  return values;
}

TEST(ExtremeValuesTest, OrdinarySeriesAreMeasuredUnscaled) {
  const std::vector<double> henon = testing::HenonValues(2000);
  const TrainingStatistics statistics = ComputeStatistics(henon);
  EXPECT_EQ(statistics.error_scale, 1.0);
  EXPECT_TRUE(std::isnormal(statistics.variance));
  // The scale of a series 2^520 times larger brings its largest magnitude into [0.5, 1).
  const TrainingStatistics huge = ComputeStatistics(Scaled(henon, 520));
  EXPECT_EQ(huge.error_scale, std::ldexp(1.0, -521));
  EXPECT_EQ(huge.variance, statistics.variance * 0.25);
}

// Scaling by a power of two is exact in the errors and nearly so in the fits
// (their constant column keeps its size), so a series whose squares overflow
// gives the ordinary series' figures to nine digits and the same times.
TEST(ExtremeValuesTest, HugeValuesGiveTheFiguresOfTheSameSeriesUnscaled) {
  const std::vector<double> henon = testing::HenonValues(3000);
  const ModelSettings settings{.Ntrain = 2000, .D = 2, .eps = 0.05, .Ltest = 30, .Ktest = 100};
  ModelSettings huge_settings = settings;
  huge_settings.eps = std::ldexp(settings.eps, 520);
  const CheckResult plain = CheckSeries(henon, settings);
  const CheckResult huge = CheckSeries(Scaled(henon, 520), huge_settings);
  ASSERT_TRUE(plain.finished() && huge.finished());
  ASSERT_EQ(huge.iterative.errors.size(), plain.iterative.errors.size());
  for (std::size_t i = 0; i < plain.iterative.errors.size(); ++i) {
    EXPECT_NEAR(huge.iterative.errors[i], plain.iterative.errors[i], 1e-9 * plain.iterative.errors[i]) << i + 1;
    EXPECT_NEAR(huge.direct.errors[i], plain.direct.errors[i], 1e-9 * plain.direct.errors[i]) << i + 1;
  }
  EXPECT_EQ(huge.iterative.prediction_time, plain.iterative.prediction_time);
  EXPECT_EQ(huge.direct.prediction_time, plain.direct.prediction_time);
}

// Values whose squares underflow: products in the fits lose bits to
// subnormal numbers, but the errors stay finite and close to the ordinary ones.
TEST(ExtremeValuesTest, TinyValuesGiveFiniteErrorsCloseToTheOrdinaryOnes) {
  const std::vector<double> henon = testing::HenonValues(3000);
  const ModelSettings settings{.Ntrain = 2000, .D = 2, .eps = 0.05, .Ltest = 30, .Ktest = 100};
  ModelSettings tiny_settings = settings;
  tiny_settings.eps = std::ldexp(settings.eps, -530);
  const CheckResult plain = CheckSeries(henon, settings);
  const CheckResult tiny = CheckSeries(Scaled(henon, -530), tiny_settings);
  ASSERT_TRUE(tiny.finished());
  ASSERT_EQ(tiny.iterative.errors.size(), plain.iterative.errors.size());
  for (std::size_t i = 0; i < plain.iterative.errors.size(); ++i) {
    EXPECT_TRUE(std::isfinite(tiny.iterative.errors[i])) << "horizon " << i + 1;
    EXPECT_NEAR(tiny.iterative.errors[i], plain.iterative.errors[i], 0.05 * plain.iterative.errors[i] + 1e-4)
        << "horizon " << i + 1;
  }
  EXPECT_EQ(tiny.iterative.prediction_time, plain.iterative.prediction_time);
  EXPECT_EQ(tiny.direct.prediction_time, plain.direct.prediction_time);
}

// A series near the bottom of the doubles (2^-1018, about 1e-307, some of
// its values subnormal) is fitted in units a power of two larger: its figures
// are the ordinary series' and every one is finite; what is in series units
// comes back in the series' own.
TEST(ExtremeValuesTest, TinyValuesAreFittedInLargerUnitsAndGiveTheOrdinaryFigures) {
  const std::vector<double> henon = testing::HenonValues(3000);
  const ModelSettings settings{.Ntrain = 2000, .D = 2, .eps = 0.05, .Ltest = 30, .Ktest = 100};
  ModelSettings tiny_settings = settings;
  tiny_settings.eps = std::ldexp(settings.eps, -1018);
  const std::vector<double> tiny_values = Scaled(henon, -1018);
  const CheckResult plain = CheckSeries(henon, settings);
  const CheckResult tiny = CheckSeries(tiny_values, tiny_settings);
  ASSERT_TRUE(plain.finished() && tiny.finished());
  for (std::size_t i = 0; i < plain.iterative.errors.size(); ++i) {
    EXPECT_TRUE(std::isfinite(tiny.iterative.errors[i]) && std::isfinite(tiny.direct.errors[i])) << i + 1;
    EXPECT_NEAR(tiny.iterative.errors[i], plain.iterative.errors[i], 1e-6 * plain.iterative.errors[i]) << i + 1;
  }
  EXPECT_EQ(tiny.iterative.prediction_time, plain.iterative.prediction_time);
  EXPECT_EQ(tiny.direct.prediction_time, plain.direct.prediction_time);
  EXPECT_EQ(tiny.settings.eps, tiny_settings.eps);
  EXPECT_NEAR(tiny.orbit[0].newest, std::ldexp(plain.orbit[0].newest, -1018), 1e-9 * std::ldexp(1.0, -1018));
}

}  // namespace
}  // namespace modelcheck
