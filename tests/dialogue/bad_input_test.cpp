// The console program meets bad files, a declined choice, an unwritable
// report and input that ends early: a clear answer each time, never a hang.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/program_session.h"
#include "support/sanitizer.h"

namespace modelcheck::testing {
namespace {

TEST(BadInput, EveryUnusableFileLeadsBackToTheChooser) {
  WorkDirectory directory;
  std::filesystem::create_directory(directory.path() / "folder");
  directory.WriteFile("image.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  directory.WriteFile("empty.txt", "");
  directory.WriteFile("two.txt", "1.\n2.\n");
  directory.WriteFile("letter.txt", "1.\n2.\n3.\n4.\n5.O\n6.\n");
  directory.WriteFile("huge.txt", "1.\n2.\n1.0E400\n4.\n");
  directory.WriteFile("good.txt", "1.\n2.\n3.\n");
  Session s;
  s.Ask(kChooser, "missing.txt");
  s.Line("Cannot read \"missing.txt\": no such file.");
  s.Ask(kChooser, "folder");
  s.Line("Cannot read \"folder\": not a regular file.");
  s.Ask(kChooser, "image.png");
  s.Line("The file \"image.png\" is not a text file: it holds a NUL byte.");
  s.Refused();
  // Too short to train on and test: refused with the count.
  s.Ask(kChooser, "empty.txt");
  s.Line("The file \"empty.txt\" holds 0 values; a series needs at least 3.");
  s.Ask(kChooser, "two.txt");
  s.Line("The file \"two.txt\" holds 2 values; a series needs at least 3.");
  s.Ask(kChooser, "letter.txt");
  s.Line("Line 5 of \"letter.txt\" cannot be read as a number.");
  s.Refused();
  s.Ask(kChooser, "huge.txt");
  s.Line("Line 3 of \"huge.txt\" cannot be read as a number.");
  s.Refused();
  s.Ask(kChooser, "");
  s.Line("A File Must be Selected");
  s.Ask("Terminate Program? (y/n) ", "Y");
  s.Refused();
  s.Ask("Terminate Program? (y/n) ", "n");
  s.Ask(kChooser, "good.txt");
  s.Line("The time series contains     3 values");
  s.Ask(kQ1, "2");
  s.Ask(kQ2, "1");
  s.Ask(kEps, "1.");
  s.Settings(30, 100);
  s.Line("No test piece fits: the values after Ntrain must outnumber D.");
  for (std::string_view question : {kQ6, kQ7}) s.Ask(question, "n");
  s.Ask(kQ8, "y");
  s.Ask(kChooser, "");
  s.Line("A File Must be Selected");
  s.Ask("Terminate Program? (y/n) ", "y");

  const ProgramRun run = RunProgram(directory, s.input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.dialogue, s.expected);
  EXPECT_EQ(run.report.size(), 6u);  // one section, closed; nothing after the choice declined
  EXPECT_EQ(run.errors, "");
}

// Whole numbers and blank lines are read as the records always were, and said so.
TEST(BadInput, AFileWhoseValuesTheImpliedDecimalsChangeGetsANoteAfterTheCount) {
  WorkDirectory directory;
  directory.WriteFile("counts.txt", "12\n0\n\n1.5\n7\n\n");
  directory.WriteFile("plain.txt", "1.2\n0.0\n1.5\n");
  for (const auto& [file, lines] :
       {std::pair<std::string, std::vector<std::string>>{
            "counts.txt",
            {" The time series contains     6 values",
             " Note: 2 values had no decimal point and carry 10 implied decimals; 2 blank lines were read as 0."}},
        {"plain.txt", {" The time series contains     3 values"}}}) {
    Session s;
    s.Ask(kChooser, file);
    const ProgramRun run = RunProgram(directory, s.input);
    ASSERT_GE(run.dialogue.size(), lines.size() + 2) << file;
    // After the chooser's line: the count, the note if any, then the first question.
    EXPECT_EQ(
        std::vector<std::string>(run.dialogue.begin() + 1, run.dialogue.begin() + 1 + static_cast<long>(lines.size())),
        lines);
    EXPECT_EQ(run.dialogue[1 + lines.size()].find(" 1) Length"), 0u) << run.dialogue[1 + lines.size()];
  }
}

TEST(BadInput, EndingAtTheChooserLeavesNoReport) {
  WorkDirectory directory;
  Session declined;
  declined.Ask(kChooser, "");
  declined.Line("A File Must be Selected");
  declined.Ask("Terminate Program? (y/n) ", "y");
  const ProgramRun run = RunProgram(directory, declined.input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.dialogue, declined.expected);
  EXPECT_FALSE(run.report_exists);
}

// A session that stops at `stop` prompts; its input ends there.
Session SessionEndingAt(std::size_t stop) {
  Session s;
  const std::vector<std::pair<std::string_view, std::string_view>> answers = {{kChooser, ""},
                                                                              {"Terminate Program? (y/n) ", "n"},
                                                                              {kChooser, "series.txt"},
                                                                              {kQ1, "150"},
                                                                              {kQ2, "2"},
                                                                              {kEps, "0.3"},
                                                                              {kChange, "n"},
                                                                              {kQ5, "n"}};
  for (std::size_t i = 0; i < stop; ++i) {
    s.Ask(answers[i].first, answers[i].second);
    if (i == 0) s.Line("A File Must be Selected");
    if (i == 2) s.Line("The time series contains   300 values");
    if (i == 5) s.Settings(30, 100);
  }
  s.EndOfInputAt(answers[stop].first);
  return s;
}

TEST(BadInput, EndOfInputAtAnyKindOfPromptEndsInOrderAndKeepsTheReport) {
  for (std::size_t stop = 0; stop < 8; ++stop) {
    SCOPED_TRACE("input ends at prompt " + std::to_string(stop));
    WorkDirectory directory;
    directory.WriteFile("series.txt", HenonSeries(300));
    const Session s = SessionEndingAt(stop);
    const ProgramRun run = RunProgram(directory, s.input);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.dialogue, s.expected);
    const std::size_t report_lines = stop < 4 ? 0 : stop < 6 ? 2 : 4;
    EXPECT_EQ(run.report.size(), report_lines);
    EXPECT_EQ(run.errors, "");
  }
}

TEST(BadInput, AReportThatCannotBeCreatedIsNamedAndTheSessionGoesOn) {
  WorkDirectory directory;
  directory.WriteFile("series.txt", HenonSeries(300));
  std::filesystem::create_directory(directory.path() / "report.txt");
  Session s;
  s.Ask(kChooser, "series.txt");
  s.Line("The time series contains   300 values");
  s.Ask(kQ1, "150");
  s.Line("Cannot open report.txt (Is a directory); the session goes on without the report.");
  s.Ask(kQ2, "2");
  s.Ask(kEps, "0.3");
  s.Settings(30, 100);
  s.Ask(kChange, "n");
  s.Ask(kQ5, "n");
  s.Ask(kQ6, "n");
  s.Ask(kQ7, "y");
  s.Ask(kQ1, "140");
  s.Ask(kQ2, "2");
  s.Ask(kEps, "0.3");
  s.Settings(30, 100);
  s.Ask(kChange, "n");
  for (std::string_view question : {kQ5, kQ6, kQ7, kQ8}) s.Ask(question, "n");

  const ProgramRun run = RunProgram(directory, s.input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.dialogue, s.expected);
}

// A short session whose standard output goes where `output` says: the rest
// of a bash command line after the program and its input. Gives the exit
// status and the first line the program wrote to standard error.
struct LostOutput {
  int status = -1;
  std::string first_error;
};

LostOutput RunWithOutput(const std::string& output) {
  WorkDirectory directory;
  directory.WriteFile("series.txt", HenonSeries(300));
  directory.WriteFile("typed.txt", "series.txt\n150\n2\n0.3\nn\nn\nn\nn\nn\n");
  const std::string command = "cd '" + directory.path().string() +
                              "' && bash -c \"timeout 120 '" MODELCHECK_PROGRAM "' < typed.txt 2> errors.txt " +
                              output + "\"";
  const int wstatus = std::system(command.c_str());
  LostOutput lost;
  lost.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  std::ifstream errors(directory.path() / "errors.txt");
  std::getline(errors, lost.first_error);
  return lost;
}

TEST(BadInput, ADialogueLostToAFullDiskEndsTheProgramWithAFailure) {
  const LostOutput lost = RunWithOutput("> /dev/full");
  EXPECT_EQ(lost.status, 1);
  EXPECT_EQ(lost.first_error,
            "Cannot write the dialogue to standard output (No space left on device); the program ends.");
}

// A series saved with 20 significant digits runs past column 20 with its
// exponent: read from the field it would lose the exponent and every figure
// would be wrong, so the file is refused and the line named.
TEST(BadInput, ASeriesWhoseNumbersRunPastTheirColumnsIsRefusedWithTheLine) {
  WorkDirectory directory;
  std::string long_form = "0.5\n";
  for (int n = 1; n <= 3; ++n) {
    char line[64];
    std::snprintf(line, sizeof line, "%.20e\n", 0.1 * n);
    long_form += line;
  }
  directory.WriteFile("long.txt", long_form);
  Session s;
  s.Ask(kChooser, "long.txt");
  s.Line("Line 2 of \"long.txt\" cannot be read as a number.");
  s.Refused();
  s.EndOfInputAt(kChooser);
  const ProgramRun run = RunProgram(directory, s.input);
  EXPECT_EQ(run.status, 2);  // input ended at the chooser
  EXPECT_EQ(run.dialogue, s.expected);
}

// A path the system refuses for another reason than a missing file is named
// with that reason, not as "no such file".
TEST(BadInput, AChosenPathIsRefusedWithTheSystemsReason) {
  WorkDirectory directory;
  const std::string too_long(300, 'a');
  Session s;
  s.Ask(kChooser, too_long);
  s.Line("Cannot read \"" + too_long + "\": file name too long.");
  s.Ask(kChooser, "missing.txt");
  s.Line("Cannot read \"missing.txt\": no such file.");
  s.EndOfInputAt(kChooser);
  const ProgramRun run = RunProgram(directory, s.input);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.dialogue, s.expected);
}

// Under a memory limit a long series cannot be held: the program says how far
// it came and stops in order (status 1), where it used to abort.
TEST(BadInput, RunningOutOfMemoryEndsTheProgramInOrder) {
  // The sanitizer reserves address space of its own and cannot run under the limit.
  if (kAddressSanitizer) GTEST_SKIP() << "address space limits clash with the sanitizer";
  WorkDirectory directory;
  std::string zeros;
  for (int n = 0; n < 20'000'000; ++n) zeros += "0\n";
  directory.WriteFile("zeros.txt", zeros);
  zeros.clear();
  zeros.shrink_to_fit();
  directory.WriteFile("typed.txt", "zeros.txt\n");
  // 300 MB of address space: the program and its libraries fit, 20 million doubles and their regrowth do not.
  const std::string command = "cd '" + directory.path().string() +
                              "' && (ulimit -v 300000; timeout 120 '" MODELCHECK_PROGRAM
                              "' < typed.txt > transcript.txt 2> errors.txt)";
  const int wstatus = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(wstatus));
  EXPECT_EQ(WEXITSTATUS(wstatus), 1);
  const std::string transcript = ReadText(directory.path() / "transcript.txt");
  EXPECT_NE(transcript.find(" Not enough memory to read \"zeros.txt\": "), std::string::npos) << transcript;
  EXPECT_TRUE(transcript.ends_with(" values were read; the program ends.\n")) << transcript;
  EXPECT_EQ(ReadText(directory.path() / "errors.txt"), "");
}

// `modelcheck < answers | head -1`: once the reader has gone, the dialogue
// cannot be written; that is said on standard error and ends with status 1,
// not with a silent death by the broken pipe's signal.
TEST(BadInput, ADialogueWhoseReaderHasGoneEndsTheProgramWithAFailure) {
  // The reader ends before the program has started, so every write meets a closed pipe.
  const LostOutput lost = RunWithOutput("| true; exit \\${PIPESTATUS[0]}");
  EXPECT_EQ(lost.status, 1);
  EXPECT_EQ(lost.first_error, "Cannot write the dialogue to standard output (Broken pipe); the program ends.");
}

}  // namespace
}  // namespace modelcheck::testing
