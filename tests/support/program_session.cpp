#include "support/program_session.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace modelcheck::testing {

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

bool StartsWith(const std::string& line, std::string_view head) { return line.rfind(head, 0) == 0; }

// Lines the evaluation steps write themselves; their figures are checked by
// the tests of those steps.
bool IsCheckFigure(const std::string& line) {
  for (std::string_view head :
       {" One-step prediction error: ", " Prediction time (iterative method):  ", " Prediction time (direct method): ",
        " Length of a test piece: Ltest = ", " Number of test pieces: Ktest = "})
    if (StartsWith(line, head)) return true;
  return false;
}

// Drops the figures and the empty line that closes the direct test's line.
std::vector<std::string> WithoutCheckFigures(const std::vector<std::string>& lines) {
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsCheckFigure(lines[i])) {
      if (StartsWith(lines[i], " Prediction time (direct method): ") && i + 1 < lines.size() && lines[i + 1].empty())
        ++i;
      continue;
    }
    kept.push_back(lines[i]);
  }
  return kept;
}

}  // namespace

void Session::Ask(std::string_view prompt, std::string_view answer) {
  input.emplace_back(answer);
  expected.push_back(" " + std::string(prompt) + std::string(answer));
}

void Session::Line(std::string_view text) { expected.push_back(" " + std::string(text)); }

void Session::EndOfInputAt(std::string_view prompt) {
  expected.push_back(" " + std::string(prompt));
  Line("End of input: the program ends.");
}

void Session::RefusedBoxSize(double width) {
  char bound[32];
  std::snprintf(bound, sizeof bound, "%.4E", width);
  Refused();
  Line("The box size eps must be above 0 and at most " + std::string(bound) + ", the width of the plot range.");
}

void Session::Settings(int Ltest, int Ktest) {
  char line[64];
  std::snprintf(line, sizeof line, "   Ltest = %5d, Ktest = %4d", Ltest, Ktest);
  Line("3) Current settings are:");
  Line(line);
}

ProgramRun RunProgram(const std::filesystem::path& program, const WorkDirectory& directory,
                      const std::vector<std::string>& input) {
  std::string typed;
  for (const std::string& line : input) typed += line + "\n";
  directory.WriteFile("typed.txt", typed);
  // timeout turns a program that waits for ever into a failed test.
  const std::string command = "cd '" + directory.path().string() + "' && timeout 120 '" + program.string() +
                              "' < typed.txt > transcript.txt 2> errors.txt";
  const int wstatus = std::system(command.c_str());
  ProgramRun run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  run.dialogue = WithoutCheckFigures(SplitLines(ReadText(directory.path() / "transcript.txt")));
  run.errors = ReadText(directory.path() / "errors.txt");
  run.report_exists = std::filesystem::exists(directory.path() / "report.txt");
  run.report = WithoutCheckFigures(SplitLines(ReadText(directory.path() / "report.txt")));
  return run;
}

}  // namespace modelcheck::testing
