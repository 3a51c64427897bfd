// The console program end to end: the eight questions, their refusals, the
// nesting of the passes, and report.txt across passes and runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "support/program_session.h"

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

// The width of the first Ntrain values of a series written one per line.
double TrainingWidth(const std::string& text, int Ntrain) {
  std::istringstream lines(text);
  double low = 0.0, high = 0.0;
  int n = 0;
  for (double value; n < Ntrain && lines >> value; ++n) {
    if (n == 0 || value < low) low = value;
    if (n == 0 || value > high) high = value;
  }
  return high - low;
}

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
  const double width = TrainingWidth(HenonSeries(300), 150);
  for (const char* refused : {"0", "-0.1", "abc", "5.0", "", "1E999"}) {
    s.Ask(kEps, refused);
    // Unreadable answers are refused before their range is judged.
    if (std::string_view(refused) == "abc" || std::string_view(refused) == "1E999") {
      s.Refused();
    } else {
      s.RefusedBoxSize(width);
    }
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

TEST(DialogueSession, PassesNestAndLtestKtestAreKeptAcrossEveryPass) {
  WorkDirectory directory;
  directory.WriteFile("series.txt", HenonSeries(300));
  Session s;
  s.Ask(kChooser, "series.txt");
  s.Line("The time series contains   300 values");
  s.Ask(kQ1, "200");  // 100 values left: the start settings need 131
  s.Ask(kQ2, "2");
  s.Ask(kEps, "0.3");
  s.Settings(30, 100);
  s.Ask(kLtest, "10");
  s.Ask(kKtest, "50");
  s.Ask(kQ5, "n");
  s.Ask(kQ6, "y");
  s.Ask(kQ2, "3");
  s.Ask(kEps, "0.2");
  s.Settings(10, 50);
  s.Ask(kChange, "n");
  s.Ask(kQ5, "n");
  s.Ask(kQ6, "n");
  s.Ask(kQ7, "y");
  s.Ask(kQ1, "100");
  s.Ask(kQ2, "1");
  s.Ask(kEps, "0.1");
  s.Settings(10, 50);
  s.Ask(kChange, "n");
  s.Ask(kQ5, "n");
  s.Ask(kQ6, "n");
  s.Ask(kQ7, "n");
  s.Ask(kQ8, "y");
  s.Ask(kChooser, "series.txt");
  s.Line("The time series contains   300 values");
  s.Ask(kQ1, "100");
  s.Ask(kQ2, "2");
  s.Ask(kEps, "0.25");
  s.Settings(10, 50);
  s.Ask(kChange, "n");
  s.Ask(kQ5, "n");
  s.Ask(kQ6, "n");
  s.Ask(kQ7, "n");
  s.Ask(kQ8, "n");

  const ProgramRun run = RunProgram(directory, s.input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.dialogue, s.expected);
  EXPECT_EQ(run.report,
            Concat({TrainingLines(200), ModelLines(2, 0.3), ModelLines(3, 0.2), TrainingLines(100), ModelLines(1, 0.1),
                    kSectionEnd, TrainingLines(100), ModelLines(2, 0.25), kSectionEnd}));
}

TEST(DialogueSession, ASecondRunAppendsItsSectionToReportTxt) {
  WorkDirectory directory;
  directory.WriteFile("series.txt", HenonSeries(300));
  directory.WriteFile("report.txt", " from an earlier day\n");
  Session s;
  s.Ask(kChooser, "series.txt");
  s.Line("The time series contains   300 values");
  s.Ask(kQ1, "150");
  s.Ask(kQ2, "2");
  s.Ask(kEps, "0.05");
  s.Settings(30, 100);
  s.Ask(kChange, "n");
  for (std::string_view question : {kQ5, kQ6, kQ7, kQ8}) s.Ask(question, "n");

  const ProgramRun first = RunProgram(directory, s.input);
  const ProgramRun second = RunProgram(directory, s.input);
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(second.dialogue, s.expected);
  const Lines section = Concat({TrainingLines(150), ModelLines(2, 0.05), kSectionEnd});
  EXPECT_EQ(second.report, Concat({{" from an earlier day"}, section, section}));
  EXPECT_EQ(ModelLines(2, 0.05)[1], " Box size: eps =   0.05000");
}

TEST(DialogueSession, RangeBoundsAreExactAndBothDeadEndsLeadBack) {
  WorkDirectory directory;
  directory.WriteFile("short.txt", "0\n1.\n.5\n.25\n.75\n");
  directory.WriteFile("flat.txt", "1.\n1.\n1.\n2.\n");
  Session s;
  s.Ask(kChooser, "short.txt");
  s.Line("The time series contains     5 values");
  s.Ask(kQ1, "5");
  s.Refused();
  s.Ask(kQ1, "4");  // leaves one value after the training part
  s.Ask(kQ2, "4");
  s.Refused();
  s.Ask(kQ2, "1");
  s.Ask(kEps, "1.0000001");
  s.RefusedBoxSize(1.0);
  s.Ask(kEps, "1.");  // the width of the training range itself
  s.Settings(30, 100);
  s.Line("No test piece fits: the values after Ntrain must outnumber D.");
  s.Ask(kQ6, "y");
  s.Ask(kQ2, "1");
  s.Ask(kEps, "0.5");
  s.Settings(30, 100);
  s.Line("No test piece fits: the values after Ntrain must outnumber D.");
  s.Ask(kQ6, "n");
  s.Ask(kQ7, "n");
  s.Ask(kQ8, "y");
  s.Ask(kChooser, "flat.txt");
  s.Line("The time series contains     4 values");
  s.Ask(kQ1, "2");
  s.Line("No box size eps fits: all values in the plot range are equal.");
  s.Ask(kQ7, "y");
  s.Ask(kQ1, "3");
  s.Line("No box size eps fits: all values in the plot range are equal.");
  s.Ask(kQ7, "n");
  s.Ask(kQ8, "n");

  const ProgramRun run = RunProgram(directory, s.input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.dialogue, s.expected);
  EXPECT_EQ(run.report, Concat({TrainingLines(4), ModelLines(1, 1.0), ModelLines(1, 0.5), kSectionEnd, TrainingLines(2),
                                TrainingLines(3), kSectionEnd}));
}

struct Range {
  double lower, upper;
};

Range RangeOf(const std::vector<double>& values, std::size_t first, std::size_t count) {
  const auto [low, high] = std::minmax_element(values.begin() + first, values.begin() + first + count);
  return {*low, *high};
}

TEST(DialogueSession, AfterACheckTheBoxSizeIsBoundedByTheWidenedTestRange) {
  const std::string text = HenonSeries(300);
  std::vector<double> values;
  std::istringstream lines(text);
  for (double value; lines >> value;) values.push_back(value);
  const Range training = RangeOf(values, 0, 150);
  const Range segment = RangeOf(values, 150, 30 + 100 + 2 - 1);
  const double widened = 1.2 * (segment.upper - segment.lower);
  ASSERT_GT(widened - (training.upper - training.lower), 0.1);
  char eps[32];
  std::snprintf(eps, sizeof eps, "%.6f", (widened + training.upper - training.lower) / 2);

  WorkDirectory directory;
  directory.WriteFile("series.txt", text);
  Session s;
  s.Ask(kChooser, "series.txt");
  s.Line("The time series contains   300 values");
  s.Ask(kQ1, "150");
  s.Ask(kQ2, "2");
  s.Ask(kEps, eps);
  s.RefusedBoxSize(training.upper - training.lower);
  s.Ask(kEps, "0.3");
  s.Settings(30, 100);
  s.Ask(kChange, "n");
  s.Ask(kQ5, "n");
  s.Ask(kQ6, "y");
  s.Ask(kQ2, "2");
  s.Ask(kEps, eps);
  s.Settings(30, 100);
  s.Ask(kChange, "n");
  for (std::string_view question : {kQ5, kQ6, kQ7, kQ8}) s.Ask(question, "n");

  const ProgramRun run = RunProgram(directory, s.input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.dialogue, s.expected);
}

}  // namespace
}  // namespace modelcheck::testing
