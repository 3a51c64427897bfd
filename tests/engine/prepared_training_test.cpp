// A training part prepared once: many models and test lengths on it give
// CheckSeries' figures bit for bit, also for a tiny series and from several
// threads at once, and settings that do not fit are refused as CheckSeries
// refuses them.
#include "modelcheck/prepared_training.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "engine_input.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

struct Setting {
  std::int32_t D;
  double eps;
  std::int32_t Ltest;
  std::int32_t Ktest;
};

const std::vector<Setting> kSettings = {
    {1, 0.05, 30, 100}, {2, 0.02, 30, 100}, {2, 0.02, 10, 40}, {3, 0.1, 20, 200}, {2, 0.005, 30, 100}};

ModelSettings Full(std::int32_t Ntrain, const Setting& s) {
  return {.Ntrain = Ntrain, .D = s.D, .eps = s.eps, .Ltest = s.Ltest, .Ktest = s.Ktest};
}

TEST(PreparedTrainingTest, ManyChecksOnOnePreparationAreSingleChecksBitForBit) {
  const std::vector<double> henon = testing::HenonValues(6000);
  // The same series below the normal doubles' reach is checked in rescaled units.
  std::vector<double> scaled = henon;
  for (double& value : scaled) value = std::ldexp(value, -1030);
  const std::vector<double>& tiny = scaled;
  for (const std::vector<double>* series : {&henon, &tiny}) {
    const PreparedTraining training(*series, 5500);
    EXPECT_EQ(training.training_minimum(), *std::min_element(series->begin(), series->begin() + 5500));
    for (const Setting& s : kSettings) {
      SCOPED_TRACE("D " + std::to_string(s.D) + " eps " + std::to_string(s.eps) + " Ltest " + std::to_string(s.Ltest));
      const ModelSettings settings = Full(5500, s);
      ModelSettings given = settings;
      if (series == &tiny) given.eps = std::ldexp(s.eps, -1030);
      const CheckResult single = CheckSeries(*series, given, {.threads = 1, .progress = {}});
      testing::ExpectSameResult(
          training.Model(given.D, given.eps).Check(s.Ltest, s.Ktest, {.threads = 2, .progress = {}}), single);
      testing::ExpectSameResult(training.Check(given), single);
      const BaselineResult baselines = training.Baselines(given);
      const BaselineResult single_baselines = CheckBaselines(*series, given);
      EXPECT_EQ(testing::Bits(baselines.global_direct.errors), testing::Bits(single_baselines.global_direct.errors));
      EXPECT_EQ(testing::Bits(baselines.persistence.first_piece),
                testing::Bits(single_baselines.persistence.first_piece));
    }
  }
}

// Libraries keep no shared mutable state: checks of different settings, one
// of them stopping on a singular fit, run on four threads at once and each
// gives what it gives alone.
TEST(PreparedTrainingTest, FourThreadsCheckDifferentSettingsAtOnce) {
  const std::vector<double> henon = testing::HenonValues(6000);
  const std::vector<double> singular = {0.0, 0.0, 50.0, 60.0, 70.0, 80.0, 90.0, 100.0, 0.001, 200.0, 0.0, 5.0, 7.0};
  const ModelSettings singular_settings{.Ntrain = 10, .D = 1, .eps = 0.5, .Ltest = 2, .Ktest = 1};
  const PreparedTraining training(henon, 5500);
  std::vector<CheckResult> alone;
  for (const Setting& s : kSettings) alone.push_back(CheckSeries(henon, Full(5500, s), {.threads = 1, .progress = {}}));
  const CheckResult singular_alone = CheckSeries(singular, singular_settings, {.threads = 1, .progress = {}});
  ASSERT_TRUE(singular_alone.stop);

  std::vector<std::vector<CheckResult>> together(4);
  std::vector<CheckResult> singular_together(4);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (std::size_t round = 0; round < 3; ++round) {
        // Each thread takes the settings in its own order.
        for (std::size_t i = 0; i < kSettings.size(); ++i) {
          const Setting& s = kSettings[(i + t) % kSettings.size()];
          together[t].push_back(training.Check(Full(5500, s), {.threads = 1, .progress = {}}));
        }
        singular_together[t] = CheckSeries(singular, singular_settings, {.threads = 1, .progress = {}});
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t t = 0; t < 4; ++t) {
    SCOPED_TRACE("thread " + std::to_string(t));
    ASSERT_EQ(together[t].size(), 3 * kSettings.size());
    for (std::size_t n = 0; n < together[t].size(); ++n) {
      testing::ExpectSameResult(together[t][n], alone[(n % kSettings.size() + t) % kSettings.size()]);
    }
    testing::ExpectSameResult(singular_together[t], singular_alone);
  }
}

TEST(PreparedTrainingTest, SettingsThatDoNotFitAreRefusedAsCheckSeriesRefusesThem) {
  const std::vector<double> series = testing::HenonValues(40);
  const auto refusal = [](auto call) {
    try {
      call();
    } catch (const std::invalid_argument& error) {
      return std::string(error.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(refusal([&] { PreparedTraining(series, 40); }), "Ntrain = 40 is outside its range 2..39");
  EXPECT_EQ(refusal([&] {
              PreparedTraining(std::vector<double>{1.0, 2.0}, 1);
            }).substr(0, 36),
            "a training part needs at least 3 val");
  const PreparedTraining training(series, 30);
  EXPECT_EQ(refusal([&] { training.Model(30, 0.1); }), "D = 30 is outside its range 1..29");
  EXPECT_EQ(refusal([&] { training.Model(2, 0.0); }).substr(0, 6), "eps = ");
  // A model may leave no room for a test piece; only its check is refused.
  const PreparedModel wide = training.Model(12, 0.1);
  const ModelSettings too_long{.Ntrain = 30, .D = 12, .eps = 0.1, .Ltest = 1, .Ktest = 1};
  EXPECT_EQ(refusal([&] { wide.Check(1, 1); }), SettingsProblem(too_long, series.size()));
  const ModelSettings other_Ntrain{.Ntrain = 20, .D = 2, .eps = 0.1, .Ltest = 5, .Ktest = 5};
  EXPECT_EQ(refusal([&] { training.Check(other_Ntrain); }), "Ntrain = 20 is not the prepared training length 30");
  const ModelSettings too_many{.Ntrain = 30, .D = 2, .eps = 0.1, .Ltest = 5, .Ktest = 5};
  EXPECT_EQ(refusal([&] { training.Check(too_many); }), SettingsProblem(too_many, series.size()));
  EXPECT_NE(refusal([&] { training.Check(too_many); }), "accepted");
}

}  // namespace
}  // namespace modelcheck
