// A series of more than a million values as a user types it in: counts of
// seven digits are read whole and shown in full in the dialogue and the
// report, and a number typed past its field is refused, not cut.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace modelcheck::testing
