// A model check as the console program presents it: the figure lines in the
// dialogue and in report.txt across two checks, neighbors.txt rewritten by
// each check, the stop when neighbors.txt cannot be written, and output
// files that a planted link cannot redirect.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/program_session.h"

namespace modelcheck::testing {
namespace {

// Eight training values alternating 0 and 0.1 (standard deviation 0.05),
// then 40 test values 10, 11, 12, ... far outside every training box: both
// tests persist and miss horizon 1 by 20 standard deviations, 2000 %.
std::string FarTestValuesSeries() {
  std::string text;
  for (int n = 0; n < 8; ++n) text += n % 2 == 0 ? "0.0\n" : "0.1\n";
  for (int n = 0; n < 40; ++n) text += std::to_string(10 + n) + ".0\n";
  return text;
}

// Ltest 2 and Ktest 3 (the start settings do not fit 40 values), then
// Ltest 30 and Ktest 1.
const std::vector<std::string> kTwoChecks = {"series.txt", "8",  "2", "0.05", "2", "3", "y",
                                             "y",          "30", "1", "n",    "n", "n", "n"};

const char* const kFigures =
    " One-step prediction error: ********* %\n"
    " Prediction time (iterative method):      0\n"
    " Prediction time (direct method):     0\n";

std::string FigureLines(const std::string& transcript) {
  std::string kept;
  for (std::size_t at = 0; at < transcript.size();) {
    const std::size_t end = transcript.find('\n', at) + 1;
    const std::string line = transcript.substr(at, end - at);
    if (line.starts_with(" One-step") || line.starts_with(" Prediction time")) kept += line;
    at = end;
  }
  return kept;
}

TEST(CheckPresentation, EveryCheckAppendsItsLinesAndRewritesTheCounts) {
  const WorkDirectory directory;
  directory.WriteFile("series.txt", FarTestValuesSeries());
  const ProgramRun run = RunProgram(directory, kTwoChecks);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(FigureLines(ReadText(directory.path() / "transcript.txt")), std::string(kFigures) + kFigures);
  EXPECT_EQ(ReadText(directory.path() / "report.txt"),
            " The number of values in a training time series: Ntrain =      8\n"
            "\n"
            " Dimension of a model map: D =  2\n"
            " Box size: eps =   0.05000\n"
            " Length of a test piece: Ltest =     2\n"
            " Number of test pieces: Ktest =    3\n" +
                std::string(kFigures) +
                "\n"
                " Length of a test piece: Ltest =    30\n"
                " Number of test pieces: Ktest =    1\n" +
                kFigures + "\n" + std::string(kBanner) + "\n\n");
  EXPECT_EQ(ReadText(directory.path() / "neighbors.txt"), "      0\n");
}

// neighbors.txt must describe the latest check: when it cannot be written
// the program names it and stops, keeping the report up to that check.
TEST(CheckPresentation, ANeighbourCountsFileThatCannotBeWrittenStopsTheProgram) {
  const WorkDirectory directory;
  directory.WriteFile("series.txt", FarTestValuesSeries());
  std::filesystem::create_directory(directory.path() / "neighbors.txt");
  const ProgramRun run = RunProgram(directory, kTwoChecks);
  EXPECT_EQ(run.status, 1);
  ASSERT_FALSE(run.dialogue.empty());
  EXPECT_EQ(run.dialogue.back(), " Cannot open the file neighbors.txt: Is a directory");
  EXPECT_TRUE(ReadText(directory.path() / "report.txt").ends_with(std::string(kFigures) + "\n"));
  EXPECT_EQ(FigureLines(ReadText(directory.path() / "transcript.txt")), kFigures);
}

// In a folder others can write to, a link planted under an output file's name
// must not make the program write over the link's target: the link itself is
// replaced by the new file, and no leftover temporary file remains.
TEST(CheckPresentation, OutputFilesAreNeverWrittenThroughAPlantedLink) {
  namespace fs = std::filesystem;
  const WorkDirectory directory;
  directory.WriteFile("series.txt", FarTestValuesSeries());
  directory.WriteFile("victim.txt", "keep me\n");
  for (const char* name : {"neighbors.txt", "model-efficiency.png"}) {
    fs::create_symlink(directory.path() / "victim.txt", directory.path() / name);
  }
  const ProgramRun run = RunProgram(directory, kTwoChecks);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadText(directory.path() / "victim.txt"), "keep me\n");
  EXPECT_EQ(ReadText(directory.path() / "neighbors.txt"), "      0\n");
  for (const char* name : {"neighbors.txt", "model-efficiency.png"}) {
    const fs::path path = directory.path() / name;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path))) << name;
    // The permissions of a plainly created file, not those of a temporary one.
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask) << name;
  }
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(directory.path())) ++files;
  // series, victim, typed answers, transcript, errors, report, neighbors, picture.
  EXPECT_EQ(files, 8u);
}

}  // namespace
}  // namespace modelcheck::testing
