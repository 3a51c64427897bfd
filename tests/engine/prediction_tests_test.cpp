// The iterative and the direct test on series whose figures follow by hand:
// predictions of the first piece, errors, neighbour counts, the two mean
// rules, persistence without neighbours, and what one piece records.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/direct_test.h"
#include "engine/iterative_test.h"
#include "engine_input.h"

namespace modelcheck {
namespace {

using testing::PrepareInput;

double PopulationVariance(const std::vector<double>& values) {
  double mean = 0.0;
  for (const double v : values) mean += v;
  mean /= static_cast<double>(values.size());
  double sum = 0.0;
  for (const double v : values) sum += (v - mean) * (v - mean);
  return sum / static_cast<double>(values.size());
}

// Root-mean-square miss per horizon over the pieces, in standard deviations.
std::vector<double> ExpectedErrors(const std::vector<std::vector<double>>& misses, double variance) {
  std::vector<double> errors;
  for (std::size_t i = 0; i < misses.front().size(); ++i) {
    double sum = 0.0;
    for (const auto& piece : misses) sum += piece[i] * piece[i];
    errors.push_back(std::sqrt(sum / static_cast<double>(misses.size()) / variance));
  }
  return errors;
}

void ExpectErrors(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_DOUBLE_EQ(actual[i], expected[i]) << "horizon " << i + 1;
}

// Training values far apart (eps = 0.01): a state has at most one neighbour.
// Piece 1 starts at 0.13, whose successors replay the training series in
// both tests. Piece 2 starts at 0.55: the iterative search (bound Ntrain - 1)
// finds it and then nothing after 0.24; the direct search (bound Ntrain -
// Ltest) admits no start beyond 3, so the direct test persists.
TEST(PredictionTestsTest, PredictionsErrorsAndCountsFollowTheNeighbours) {
  const std::vector<double> training = {0.13, 0.71, 0.37, 0.92, 0.55, 0.24};
  std::vector<double> series = training;
  for (const double t : {0.13, 0.55, 0.40, 0.90, 0.50}) series.push_back(t);
  const CheckResult result = CheckSeries(series, {.Ntrain = 6, .D = 1, .eps = 0.01, .Ltest = 3, .Ktest = 2});
  ASSERT_TRUE(result.finished());
  const double variance = PopulationVariance(training);

  EXPECT_EQ(result.iterative.first_piece, (std::vector<double>{0.71, 0.37, 0.92}));
  EXPECT_EQ(result.iterative.neighbour_counts, (std::vector<std::int32_t>{1, 1, 1, 1, 0, 0}));
  ExpectErrors(
      result.iterative.errors,
      ExpectedErrors({{0.71 - 0.55, 0.37 - 0.40, 0.92 - 0.90}, {0.24 - 0.40, 0.24 - 0.90, 0.24 - 0.50}}, variance));
  EXPECT_EQ(result.one_step_error, result.iterative.errors[0]);

  EXPECT_EQ(result.direct.first_piece, (std::vector<double>{0.71, 0.37, 0.92}));
  EXPECT_EQ(result.direct.neighbour_counts, (std::vector<std::int32_t>{1, 0}));
  // One layout read the same way: by piece and step in both tests.
  EXPECT_EQ(result.iterative.NeighbourCount(2, 1), 1);
  EXPECT_EQ(result.iterative.NeighbourCount(2, 2), 0);
  EXPECT_EQ(result.iterative.NeighbourCount(1, 3), 1);
  EXPECT_FALSE(result.iterative.NeighbourCount(1, 4));
  EXPECT_EQ(result.direct.NeighbourCount(1, 3), 1);
  EXPECT_EQ(result.direct.NeighbourCount(2, 2), 0);
  EXPECT_FALSE(result.direct.NeighbourCount(3));
  EXPECT_EQ(result.iterative.pieces_counted(), 2);
  EXPECT_EQ(result.direct.pieces_counted(), 2);
  ExpectErrors(
      result.direct.errors,
      ExpectedErrors({{0.71 - 0.55, 0.37 - 0.40, 0.92 - 0.90}, {0.55 - 0.40, 0.55 - 0.90, 0.55 - 0.50}}, variance));
  EXPECT_EQ(result.iterative.prediction_time, 0);
  EXPECT_EQ(result.direct.prediction_time, 0);
}

// Eight training values alternating 0 and 0.1 (standard deviation 0.05),
// then test values 10, 11, 12, ... far outside every training box.
TEST(PredictionTestsTest, WithoutNeighboursEveryHorizonRepeatsTheNewestValue) {
  std::vector<double> series;
  for (int n = 0; n < 8; ++n) series.push_back(n % 2 == 0 ? 0.0 : 0.1);
  for (int n = 0; n < 10; ++n) series.push_back(10.0 + n);
  const CheckResult result = CheckSeries(series, {.Ntrain = 8, .D = 2, .eps = 0.05, .Ltest = 3, .Ktest = 2});
  // Persistence misses horizon i by exactly i, i.e. by 20 i standard deviations.
  for (const PredictionTestResult* test : {&result.iterative, &result.direct}) {
    ASSERT_EQ(test->errors.size(), 3u);
    for (int i = 1; i <= 3; ++i) EXPECT_NEAR(test->errors[i - 1], 20.0 * i, 1e-12) << i;
    EXPECT_EQ(test->first_piece, (std::vector<double>{11.0, 11.0, 11.0}));
    EXPECT_EQ(test->prediction_time, 0);
  }
  EXPECT_EQ(result.iterative.neighbour_counts, std::vector<std::int32_t>(6, 0));
  EXPECT_EQ(result.direct.neighbour_counts, (std::vector<std::int32_t>{0, 0}));
  EXPECT_NEAR(result.one_step_error, 20.0, 1e-12);
}

// D = 3 neighbours of the state (0, 0, 0) with targets 0.1, 0.2, 0.3, found
// latest first: the iterative test divides their sum by 3, the direct test
// multiplies it by 1/3, and the two differ in the last bit here.
TEST(PredictionTestsTest, FewNeighboursAreMeanedByEachTestsOwnRule) {
  const std::vector<double> series = {0, 0, 0, 0.3, 9, 0, 0, 0, 0.2, 9, 0, 0, 0, 0.1, 9, 9.5, 9.7, 9.9, 0, 0, 0, 0.25};
  const CheckResult result = CheckSeries(series, {.Ntrain = 18, .D = 3, .eps = 0.05, .Ltest = 1, .Ktest = 1});
  const double sum = ((0.0 + 0.1) + 0.2) + 0.3;
  ASSERT_NE(sum / 3, sum * (1.0 / 3));
  EXPECT_EQ(result.iterative.first_piece, std::vector<double>{sum / 3});
  EXPECT_EQ(result.direct.first_piece, std::vector<double>{sum * (1.0 / 3)});
  EXPECT_EQ(result.iterative.neighbour_counts, std::vector<std::int32_t>{3});
  EXPECT_EQ(result.direct.neighbour_counts, std::vector<std::int32_t>{3});
}

// One piece by itself: only piece 1 keeps its predictions, every horizon
// records its squared miss, and the steps done reach Ltest.
TEST(PredictionTestsTest, APieceRecordsItsSquaredMissesAndCounts) {
  const ModelSettings settings{.Ntrain = 6, .D = 1, .eps = 0.01, .Ltest = 3, .Ktest = 2};
  const auto prepared = PrepareInput({0.13, 0.71, 0.37, 0.92, 0.55, 0.24, 0.13, 0.55, 0.40, 0.90, 0.50}, settings);
  PieceWork work;
  for (const std::int32_t k : {1, 2}) {
    SCOPED_TRACE(k);
    std::vector<double> squared(3, -1.0), predictions;
    std::vector<std::int32_t> counts(3, -1);
    PieceRecord record{
        .squared_errors = squared, .neighbour_counts = counts, .predictions = k == 1 ? &predictions : nullptr};
    RunIterativePiece(prepared->input, k, work, record);
    EXPECT_EQ(record.steps_done, 3);
    const std::vector<double> expected =
        k == 1 ? std::vector<double>{0.71, 0.37, 0.92} : std::vector<double>{0.24, 0.24, 0.24};
    const std::vector<double> targets =
        k == 1 ? std::vector<double>{0.55, 0.40, 0.90} : std::vector<double>{0.40, 0.90, 0.50};
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(squared[i], (expected[i] - targets[i]) * (expected[i] - targets[i])) << "horizon " << i + 1;
    }
    EXPECT_EQ(counts, k == 1 ? (std::vector<std::int32_t>{1, 1, 1}) : (std::vector<std::int32_t>{1, 0, 0}));
    EXPECT_EQ(predictions, k == 1 ? expected : std::vector<double>{});

    std::vector<double> direct_predictions;
    std::vector<std::int32_t> direct_count(1, -1);
    PieceRecord direct{.squared_errors = squared,
                       .neighbour_counts = direct_count,
                       .predictions = k == 1 ? &direct_predictions : nullptr};
    RunDirectPiece(prepared->input, k, work, direct);
    EXPECT_EQ(direct.steps_done, 3);
    EXPECT_EQ(direct_count[0], k == 1 ? 1 : 0);
    EXPECT_EQ(direct_predictions, k == 1 ? expected : std::vector<double>{});
  }
}

}  // namespace
}  // namespace modelcheck
