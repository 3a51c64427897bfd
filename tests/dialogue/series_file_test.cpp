// Series records: counting, the loads, and the training statistics.
#include "text/series_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/training_statistics.h"

namespace modelcheck {
namespace {

SeriesCount CountText(const std::string& text) {
  std::istringstream file(text);
  return CountValues(file);
}

TEST(CountValues, OneValuePerRecordWhateverTheLineEnds) {
  EXPECT_EQ(CountText("").values.size(), 0u);
  EXPECT_EQ(CountText("\n").values, std::vector<double>({0.0}));
  EXPECT_EQ(CountText("1.5\n\n2.5").values, std::vector<double>({1.5, 0.0, 2.5}));
  EXPECT_EQ(CountText("1.5\r\n-2.\r\n").values, std::vector<double>({1.5, -2.0}));
  EXPECT_EQ(CountText("12\n12.0\n").values, std::vector<double>({1.2e-9, 12.0}));
}

TEST(CountValues, ColumnsAfterTwentyNeverMatter) {
  const std::string padded = "0.25                ";  // exactly 20 columns
  const SeriesCount count = CountText(padded + "x\n" + padded + "1e999\r\n" + padded + std::string(100000, '#'));
  EXPECT_EQ(count.outcome, CountOutcome::kCounted);
  EXPECT_EQ(count.values, std::vector<double>({0.25, 0.25, 0.25}));
}

TEST(CountValues, StopsAtTheFirstUnreadableRecord) {
  const SeriesCount letter = CountText("1\n2\n3\n4\nfive\n6\n");
  EXPECT_EQ(letter.outcome, CountOutcome::kUnreadable);
  EXPECT_EQ(letter.values.size(), 4u);
  EXPECT_EQ(CountText("1.0\n1.0E400\n").outcome, CountOutcome::kUnreadable);
  // Not text at all: refused before it is read through.
  EXPECT_EQ(CountText(std::string("1.0\n\0\x01\x89PNG\n", 11)).outcome, CountOutcome::kNotText);
  EXPECT_EQ(CountText("1.0\r2.0\n").outcome, CountOutcome::kUnreadable);  // a CR inside the field
}

TEST(CountValues, MissingFileHasNoRecords) {
  const SeriesCount count = CountValuesInFile("/nonexistent/series.txt");
  EXPECT_EQ(count.outcome, CountOutcome::kCounted);
  EXPECT_TRUE(count.values.empty());
}

TEST(Loads, TrainingPartAndTestSegmentFollowTheRecordNumbers) {
  const std::vector<double> series = {1, 2, 3, 4, 5, 6, 7};
  std::vector<double> training(3);
  LoadTrainingValues(series, training);
  EXPECT_EQ(training, std::vector<double>({1, 2, 3}));
  std::vector<double> segment(4);
  LoadTestSegment(series, 3, segment);
  EXPECT_EQ(segment, std::vector<double>({4, 5, 6, 7}));
}

TEST(Statistics, PopulationVarianceAndRange) {
  const TrainingStatistics two = ComputeStatistics(std::vector<double>{3.0, -1.0});
  EXPECT_EQ(two.variance, 4.0);  // (a - b)^2 / 4
  EXPECT_EQ(two.minimum, -1.0);
  EXPECT_EQ(two.maximum, 3.0);
  const TrainingStatistics equal = ComputeStatistics(std::vector<double>{-2.5, -2.5, -2.5});
  EXPECT_EQ(equal.variance, 0.0);
  EXPECT_EQ(equal.minimum, equal.maximum);
  const TrainingStatistics four = ComputeStatistics(std::vector<double>{1, 2, 3, 4});
  EXPECT_EQ(four.variance, 1.25);
}

}  // namespace
}  // namespace modelcheck
