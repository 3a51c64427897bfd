// The library's entry: settings that do not fit the series, and the progress
// callback that reports and may cancel a running check.
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/check_schedule.h"
#include "engine_input.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

TEST(SettingsProblemTest, EachSettingIsRefusedJustOutsideItsRange) {
  // 20 values: Ntrain 10 leaves R = 10; with D = 2 and Ltest = 3, Ktest <= 6.
  const ModelSettings fits{.Ntrain = 10, .D = 2, .eps = 0.1, .Ltest = 3, .Ktest = 6};
  EXPECT_EQ(SettingsProblem(fits, 20), "");
  const auto with = [&](auto change) {
    ModelSettings settings = fits;
    change(settings);
    return SettingsProblem(settings, 20);
  };
  EXPECT_EQ(with([](ModelSettings& s) { s.Ktest = 7; }), "Ktest = 7 is outside its range 1..6");
  EXPECT_EQ(with([](ModelSettings& s) { s.Ltest = 9; }), "Ltest = 9 is outside its range 1..8");
  EXPECT_EQ(with([](ModelSettings& s) { s.Ltest = 0; }), "Ltest = 0 is outside its range 1..8");
  EXPECT_EQ(with([](ModelSettings& s) { s.D = 10; }), "D = 10 is outside its range 1..9");
  EXPECT_EQ(with([](ModelSettings& s) { s.Ntrain = 20; }), "Ntrain = 20 is outside its range 2..19");
  EXPECT_EQ(with([](ModelSettings& s) { s.Ntrain = 18; }),
            "no test piece fits: the values after Ntrain must outnumber D");
  EXPECT_NE(with([](ModelSettings& s) { s.eps = 0.0; }), "");
  EXPECT_NE(with([](ModelSettings& s) { s.eps = std::numeric_limits<double>::infinity(); }), "");
  EXPECT_NE(SettingsProblem(fits, 2), "");
}

TEST(SettingsProblemTest, CheckSeriesRefusesWhatDoesNotFitWithTheSameText) {
  const std::vector<double> series(20, 1.0);
  const ModelSettings settings{.Ntrain = 10, .D = 2, .eps = 0.1, .Ltest = 3, .Ktest = 7};
  try {
    CheckSeries(series, settings);
    FAIL() << "no exception";
  } catch (const std::invalid_argument& error) {
    EXPECT_EQ(error.what(), SettingsProblem(settings, series.size()));
  }
}

class CheckProgressTest : public ::testing::Test {
 protected:
  static constexpr std::int32_t kPieces = 40;
  const std::vector<double> series_ = testing::HenonValues(1200);
  const ModelSettings settings_{.Ntrain = 1000, .D = 2, .eps = 0.05, .Ltest = 20, .Ktest = kPieces};
};

// Progress moves forward only: phase by phase, pieces done growing within a
// phase, always on the caller's thread, and the one-thread figures remain.
TEST_F(CheckProgressTest, ReportsGrowingProgressOnTheCallingThread) {
  const CheckResult quiet = CheckSeries(series_, settings_, {.threads = 1, .progress = {}});
  for (const int threads : {1, 3}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    std::vector<CheckProgress> calls;
    bool on_caller = true;
    const std::thread::id caller = std::this_thread::get_id();
    const CheckResult result =
        CheckSeries(series_, settings_, {.threads = threads, .progress = [&](const CheckProgress& progress) {
                                           on_caller = on_caller && std::this_thread::get_id() == caller;
                                           calls.push_back(progress);
                                           return true;
                                         }});
    EXPECT_TRUE(on_caller);
    for (std::size_t i = 0; i < calls.size(); ++i) {
      const CheckProgress& p = calls[i];
      EXPECT_EQ(p.pieces, p.phase == CheckPhase::kOrbit ? 1 : kPieces) << i;
      EXPECT_LE(p.pieces_done, p.pieces) << i;
      if (i == 0) continue;
      const CheckProgress& q = calls[i - 1];
      EXPECT_TRUE(std::pair(q.phase, q.pieces_done) <= std::pair(p.phase, p.pieces_done)) << i;
    }
    if (threads == 1) {
      // After every item: the orbit, then each piece of each test.
      ASSERT_EQ(calls.size(), 2u * kPieces + 1);
      EXPECT_EQ(calls.front().phase, CheckPhase::kIterative);
      EXPECT_EQ(calls.front().pieces_done, 0);
      EXPECT_EQ(calls.back().phase, CheckPhase::kDirect);
      EXPECT_EQ(calls.back().pieces_done, kPieces);
    }
    EXPECT_TRUE(result.finished());
    testing::ExpectSameResult(result, quiet);
  }
}

TEST_F(CheckProgressTest, FalseFromTheCallbackCancelsTheCheck) {
  for (const int threads : {1, 3}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    int calls = 0;
    const CheckResult result =
        CheckSeries(series_, settings_, {.threads = threads, .progress = [&](const CheckProgress&) {
                                           ++calls;
                                           return false;
                                         }});
    EXPECT_GE(calls, 1);
    if (threads == 1) {
      EXPECT_EQ(calls, 1);
      EXPECT_TRUE(result.cancelled);
    }
    // On more threads the caller watches; the helpers may in theory finish
    // before it is first asked, and such a check is finished, not cancelled.
    if (!result.cancelled) {
      EXPECT_TRUE(result.finished());
      continue;
    }
    EXPECT_FALSE(result.finished());
    EXPECT_FALSE(result.stop);
    EXPECT_TRUE(result.iterative.errors.empty());
    EXPECT_TRUE(result.direct.errors.empty());
  }
}

// A caller always hears of its check, however fast it is on however many
// threads: the progress shows at least once.
TEST(CheckScheduleTest, AWatchedScheduleAsksAtLeastOnceEvenWhenItsItemsAreInstant) {
  for (int run = 0; run < 200; ++run) {
    int asked = 0;
    const bool finished = RunSchedule(
        3, 4, [](std::int32_t, PieceWork&) { return true; },
        [&] {
          ++asked;
          return false;  // too late to stop anything once every item ran
        });
    ASSERT_GE(asked, 1) << "run " << run;
    if (finished) {
      EXPECT_EQ(asked, 1) << "run " << run;
    }
  }
}

TEST(CheckScheduleTest, AFailureOfAnItemIsThrownOnTheCallingThread) {
  for (const int threads : {1, 4}) {
    EXPECT_THROW(RunSchedule(50, threads,
                             [](std::int32_t item, PieceWork&) {
                               if (item == 17) throw std::runtime_error("item 17");
                               return true;
                             },
                             {}),
                 std::runtime_error);
  }
}

}  // namespace
}  // namespace modelcheck
