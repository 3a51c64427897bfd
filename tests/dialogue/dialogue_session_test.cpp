// The console program end to end: the eight questions, their refusals, the
// nesting of the passes, and report.txt across passes and runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "program_session.h"

namespace modelcheck::testing {
namespace {

using Lines = std::vector<std::string>;

std::string Fixed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%9.5f", value);
  return text;
}

Lines TrainingLines(int Ntrain) {
  char line[96];
  std::snprintf(line, sizeof line, " The number of values in a training time series: Ntrain = %6d", Ntrain);
  return {line, ""};
}

Lines ModelLines(int D, double eps) {
  char line[64];
  std::snprintf(line, sizeof line, " Dimension of a model map: D = %2d", D);
  return {line, " Box size: eps = " + Fixed(eps)};
}

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Lines kSectionEnd = {std::string(kBanner), ""};

TEST(DialogueSession, AllEightQuestionsRefuseWhatIsUnreadableOutOfRangeOrUpperCase) {
  WorkDirectory directory;
  directory.WriteFile("series.txt", HenonSeries(300));
  Session s;
  s.Ask(kChooser, "series.txt");
  s.Line("The time series contains   300 values");
  for (const char* refused : {"300", "ten", "1", "-5", ""}) {
    s.Ask(kQ1, refused);
    s.Refused();
  }
  s.Ask(kQ1, "150");
  for (const char* refused : {"0", "  5", "x", "2."}) {
    s.Ask(kQ2, refused);
    s.Refused();
  }
  s.Ask(kQ2, " 2");
  for (const char* refused : {"0", "-0.1", "abc", "5.0", "", "1E999"}) {
    s.Ask(kEps, refused);
    s.Refused();
  }
  s.Ask(kEps, "0.3");
  s.Settings(30, 100);
  for (const char* refused : {"Y", "N", "", "x"}) {
    s.Ask(kChange, refused);
    s.Refused();
  }
  s.Ask(kChange, "yes");
  for (const char* refused : {"149", "0", "one"}) {
    s.Ask(kLtest, refused);
    s.Refused();
  }
  s.Ask(kLtest, "20");
  s.Ask(kKtest, "130");
  s.Refused();
  s.Ask(kKtest, "129");  // R - Ktest - Ltest + 1 = D exactly
  s.Ask(kQ5, "Y");
  s.Refused();
  s.Ask(kQ5, "y");
  s.Settings(20, 129);
  s.Ask(kChange, "n");
  s.Ask(kQ5, "n");
  s.Ask(kQ6, "N");
  s.Refused();
  s.Ask(kQ6, "n");
  s.Ask(kQ7, "Y");
  s.Refused();
  s.Ask(kQ7, "n");
  s.Ask(kQ8, "N");
  s.Refused();
  s.Ask(kQ8, "n");

  const ProgramRun run = RunProgram(directory, s.input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.dialogue, s.expected);
  EXPECT_EQ(run.report, Concat({TrainingLines(150), ModelLines(2, 0.3), kSectionEnd}));
  EXPECT_EQ(run.errors, "");
}

}  // namespace
}  // namespace modelcheck::testing
