// Series records: counting, the loads, and the training statistics.
#include "text/series_file.h"

#include <gtest/gtest.h>

#include <cstdio>
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

TEST(CountValues, ColumnsAfterANumberThatEndsInTheFieldNeverMatter) {
  const std::string padded = "0.25                ";  // exactly 20 columns
  const SeriesCount count = CountText(padded + "x\n" + padded + "1e999\r\n" + padded + std::string(100000, '#'));
  EXPECT_EQ(count.outcome, CountOutcome::kCounted);
  EXPECT_EQ(count.values, std::vector<double>({0.25, 0.25, 0.25}));
}

// A number that runs on past column 20 is read only when what is cut off are
// decimals; cutting digits before its point or its exponent would change its
// magnitude, so such a record is unreadable.
TEST(CountValues, ANumberRunningOnPastTwentyColumnsIsReadOnlyWhenDecimalsAreCut) {
  char twenty_digits[64];
  std::snprintf(twenty_digits, sizeof twenty_digits, "%.20e", 0.123456789);  // 26 characters
  EXPECT_EQ(CountText(std::string("1.0\n") + twenty_digits + "\n").outcome, CountOutcome::kUnreadable);
  EXPECT_EQ(CountText(std::string(twenty_digits) + "\n").values.size(), 0u);
  EXPECT_EQ(CountText("0.1234567890123456789012345\r\n").values, std::vector<double>({0.123456789012345678}));
  EXPECT_EQ(CountText("123456789012345678901234.5\n").outcome, CountOutcome::kUnreadable);  // digits before the point
  EXPECT_EQ(CountText("0.12345678901234567E+05\n").outcome, CountOutcome::kUnreadable);     // exponent cut
  EXPECT_EQ(CountText("1.2345678901234567E+0005\n").outcome, CountOutcome::kUnreadable);    // exponent digits cut
  EXPECT_EQ(CountText("12345678901234567890123\n").outcome, CountOutcome::kUnreadable);     // no point at all
  // A number that ends inside the field, whatever follows it.
  EXPECT_EQ(CountText("1.5                 x\n1.25                ignored\n").values, std::vector<double>({1.5, 1.25}));
  EXPECT_EQ(CountText("0.1234567890123456789 comment\n").values.size(), 1u);
  // Decimals running on further than the columns kept after the field.
  EXPECT_EQ(CountText("0." + std::string(200, '1') + "\n").outcome, CountOutcome::kUnreadable);
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
