// Series a user would bring that stretch the number fields: more than a
// million values, whose counts of seven digits are read whole and shown in
// full, with a number typed past its field refused, not cut; and values of
// extreme magnitude, whose errors are still measured.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/henon.h"
#include "support/program_session.h"

namespace modelcheck::testing {
namespace {

TEST(LongSeries, SevenDigitCountsAreReadWholeAndShownInFull) {
  WorkDirectory directory;
  directory.WriteFile("series.txt", HenonSeries(1'200'000));
  Session s;
  s.Ask(kChooser, "series.txt");
  s.Line("The time series contains 1200000 values");
  // Read from six columns this was 110000, a training part a tenth as long.
  s.Ask(kQ1, "1100000");
  s.Ask(kQ2, "123");  // would be read as D = 12
  s.Refused();
  s.Ask(kQ2, "2");
  s.Ask(kEps, "0.01");
  s.Settings(30, 100);
  s.Ask(kChange, "n");
  for (std::string_view question : {kQ5, kQ6, kQ7, kQ8}) s.Ask(question, "n");
  const ProgramRun run = RunProgram(directory, s.input);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.dialogue, s.expected);
  const std::string report = ReadText(directory.path() / "report.txt");
  EXPECT_TRUE(
      report.starts_with(" The number of values in a training time series: Ntrain = 1100000\n\n"
                         " Dimension of a model map: D =  2\n"
                         " Box size: eps =   0.01000\n"))
      << report;
}

// The prediction-time lines of one check of `series` with box size `eps`.
std::string PredictionTimes(const std::string& series, const std::string& eps) {
  WorkDirectory directory;
  directory.WriteFile("series.txt", series);
  const ProgramRun run = RunProgram(directory, {"series.txt", "2000", "2", eps, "n", "n", "n", "n", "n"});
  EXPECT_EQ(run.status, 0) << run.errors;
  std::istringstream transcript(ReadText(directory.path() / "transcript.txt"));
  std::string times;
  for (std::string line; std::getline(transcript, line);) {
    EXPECT_EQ(line.find("*********"), std::string::npos) << line;
    if (line.starts_with(" Prediction time")) times += line + "\n";
  }
  return times;
}

// Values about 1e-160, whose squares underflow: the errors are measured in
// scaled units and come out as for the same series at ordinary size, where
// every error used to be asterisks and both prediction times 0.
TEST(LongSeries, ValuesOfExtremeMagnitudeGiveTrueFigures) {
  std::string ordinary, tiny, tiniest;
  for (const double value : HenonValues(3000)) {
    char line[32];
    std::snprintf(line, sizeof line, "%.12g\n", value);
    ordinary += line;
    std::snprintf(line, sizeof line, "%.12g\n", std::ldexp(value, -530));
    tiny += line;
    // Near the bottom of the doubles, some values subnormal: fitted in larger units.
    std::snprintf(line, sizeof line, "%.10E\n", value * 1e-307);
    tiniest += line;
  }
  char tiny_eps[32];
  std::snprintf(tiny_eps, sizeof tiny_eps, "%.6E", std::ldexp(0.05, -530));
  const std::string expected = PredictionTimes(ordinary, "0.05");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(PredictionTimes(tiny, tiny_eps), expected);
  EXPECT_EQ(PredictionTimes(tiniest, "5.0E-309"), expected);
}

}  // namespace
}  // namespace modelcheck::testing
