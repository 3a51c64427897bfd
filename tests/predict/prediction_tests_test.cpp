// The iterative and direct tests on small series whose figures follow by hand:
// report and dialogue lines, neighbors.txt, persistence without neighbours.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "predict/direct_test.h"
#include "predict/iterative_test.h"
#include "prepared_check.h"

namespace modelcheck {
namespace {

using testing::PrepareCheck;

// Eight training values alternating 0 and 0.1 (standard deviation 0.05),
// then test values 10, 11, 12, ... far outside every training box.
std::vector<double> FarTestValuesSeries(int test_values) {
  std::vector<double> series;
  for (int n = 0; n < 8; ++n) series.push_back(n % 2 == 0 ? 0.0 : 0.1);
  for (int n = 0; n < test_values; ++n) series.push_back(10.0 + n);
  return series;
}

ModelSettings SmallSettings(std::int32_t Ltest, std::int32_t Ktest) {
  return ModelSettings{.Ntrain = 8, .D = 2, .eps = 0.05, .Ltest = Ltest, .Ktest = Ktest};
}

TEST(PredictionTestsTest, WithoutNeighboursEveryHorizonRepeatsTheNewestValue) {
  const auto series = FarTestValuesSeries(10);
  auto prepared = PrepareCheck(series, SmallSettings(3, 2));
  ModelCheck& check = prepared->check;
  check.plot_range = {.lower = 9.0, .upper = 16.0};
  IterativePredictionTest(check);
  DirectPredictionTest(check);
  // Persistence misses horizon i by exactly i, i.e. by 20 i standard deviations.
  for (int i = 1; i <= 3; ++i) {
    EXPECT_NEAR(check.iterative_errors[i - 1], 20.0 * i, 1e-12) << i;
    EXPECT_NEAR(check.direct_errors[i - 1], 20.0 * i, 1e-12) << i;
  }
  EXPECT_TRUE(prepared->surface.in_front);
  EXPECT_EQ(prepared->dialogue_text.str(),
            " One-step prediction error: ********* %\n"
            " Prediction time (iterative method):      0\n"
            " Prediction time (direct method):     0\n");
  EXPECT_EQ(prepared->ReadOutputFile("neighbors.txt"), "      0\n      0\n");
}

TEST(PredictionTestsTest, EveryCheckAppendsItsLinesAndRewritesTheCounts) {
  const auto series = FarTestValuesSeries(40);
  auto prepared = PrepareCheck(series, SmallSettings(2, 3));
  ModelCheck& check = prepared->check;
  check.plot_range = {.lower = 9.0, .upper = 60.0};
  IterativePredictionTest(check);
  DirectPredictionTest(check);
  check.settings.Ltest = 30;
  check.settings.Ktest = 1;
  testing::ReloadTestSegment(*prepared, series);
  IterativePredictionTest(check);
  DirectPredictionTest(check);
  CloseReport(prepared->report);
  EXPECT_EQ(prepared->ReadOutputFile("report.txt"),
            " Length of a test piece: Ltest =     2\n"
            " Number of test pieces: Ktest =    3\n"
            " One-step prediction error: ********* %\n"
            " Prediction time (iterative method):      0\n"
            " Prediction time (direct method):     0\n"
            "\n"
            " Length of a test piece: Ltest =    30\n"
            " Number of test pieces: Ktest =    1\n"
            " One-step prediction error: ********* %\n"
            " Prediction time (iterative method):      0\n"
            " Prediction time (direct method):     0\n"
            "\n");
  EXPECT_EQ(prepared->ReadOutputFile("neighbors.txt"), "      0\n");
}

}  // namespace
}  // namespace modelcheck
