// The result lines of the two tests: fixed fields, percent, and asterisks for
// figures too wide for their fields.
#include "presentation/result_lines.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace modelcheck {
namespace {

TEST(ResultLinesTest, IterativeLinesInTheOrderTheyAreReported) {
  const auto lines =
      IterativeResultLines({.Ltest = 30, .Ktest = 100, .one_step_error = 0.3468447, .prediction_time = 7});
  EXPECT_EQ(lines, (std::array<std::string, 4>{
                       "Length of a test piece: Ltest =    30", "Number of test pieces: Ktest =  100",
                       "One-step prediction error:  34.68447 %", "Prediction time (iterative method):      7"}));
  EXPECT_EQ(DirectResultLine(12), "Prediction time (direct method):    12");
}

// Persistence far from the training values misses by 20 standard deviations:
// 2000 % does not fit 9 columns with 5 decimals.
// Counts too wide for their fields are written in full; only an error too
// wide for its field becomes asterisks.
TEST(ResultLinesTest, WideCountsAreWrittenInFullWideErrorsAsAsterisks) {
  const auto lines =
      IterativeResultLines({.Ltest = 123456, .Ktest = 12345, .one_step_error = 20.0, .prediction_time = 123456});
  EXPECT_EQ(lines[0], "Length of a test piece: Ltest = 123456");
  EXPECT_EQ(lines[1], "Number of test pieces: Ktest = 12345");
  EXPECT_EQ(lines[2], "One-step prediction error: ********* %");
  EXPECT_EQ(lines[3], "Prediction time (iterative method):  123456");
  EXPECT_EQ(DirectResultLine(1234567), "Prediction time (direct method): 1234567");
  EXPECT_EQ(IterativeResultLines({.Ltest = 1, .Ktest = 1, .one_step_error = 9.9999, .prediction_time = 0})[2],
            "One-step prediction error: 999.99000 %");
}

}  // namespace
}  // namespace modelcheck
