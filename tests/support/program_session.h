// Drives the built console program with scripted answers in a temporary
// working directory, and builds the transcript the dialogue should show.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/files.h"
#include "support/henon.h"

namespace modelcheck::testing {

// The dialogue's fixed texts, spelled out so that a change is noticed.
inline constexpr std::string_view kChooser = "Time series file (path, empty line to cancel): ";
inline constexpr std::string_view kQ1 = "1) Length of a training series: Ntrain = ";
inline constexpr std::string_view kQ2 = "2) Dimension of a model map: D = ";
inline constexpr std::string_view kEps = "   Box size: eps = ";
inline constexpr std::string_view kChange = "   Change settings? (y/n) ";
inline constexpr std::string_view kLtest = "4) The length of a test piece: Ltest = ";
inline constexpr std::string_view kKtest = "    The number of test pieces: Ktest = ";
inline constexpr std::string_view kQ5 = "5) Check model efficiency again? (y/n) ";
inline constexpr std::string_view kQ6 = "6) Different dimension or box size? (y/n) ";
inline constexpr std::string_view kQ7 = "7) Different length Ntrain? (y/n) ";
inline constexpr std::string_view kQ8 = "8) Different time series? (y/n) ";
inline constexpr std::string_view kBanner = " !****************************************************!";

// The answers to type and the dialogue lines they should produce. With
// input from a file the program echoes each answer after its prompt.
struct Session {
  std::vector<std::string> input;
  std::vector<std::string> expected;

  void Ask(std::string_view prompt, std::string_view answer);
  void Line(std::string_view text);  // one blank column is added
  void Refused() { Line(" Incorrect input"); }
  // A readable box size out of range: the refusal and what is accepted.
  void RefusedBoxSize(double width);
  void EndOfInputAt(std::string_view prompt);
  void Settings(int Ltest, int Ktest);  // the two lines of question 3)
};

struct ProgramRun {
  int status = -1;                    // exit status; 124 when it had to be stopped
  std::vector<std::string> dialogue;  // transcript without the figures of the checks
  std::vector<std::string> report;    // report.txt without the figures of the checks
  bool report_exists = false;
  std::string errors;  // standard error
};

// Runs `program` in `directory` with the answers typed one a line.
ProgramRun RunProgram(const std::filesystem::path& program, const WorkDirectory& directory,
                      const std::vector<std::string>& input);

#ifdef MODELCHECK_PROGRAM
// The console program of this build, for the suites that are given its path.
inline ProgramRun RunProgram(const WorkDirectory& directory, const std::vector<std::string>& input) {
  return RunProgram(MODELCHECK_PROGRAM, directory, input);
}
#endif

}  // namespace modelcheck::testing
