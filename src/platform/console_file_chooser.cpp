// The file chooser realised on a console as a typed path.
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/file_chooser.h"

namespace modelcheck {

namespace {

enum class Decline { kTerminate, kChooseAgain, kEndOfInput };

Decline AskTerminate(DialogueWindow& window) {
  WriteDialogueLine(window, "A File Must be Selected");
  for (;;) {
    WritePrompt(window, "Terminate Program? (y/n) ");
    const std::optional<std::string> line = ReadDialogueLine(window);
    if (!line) return Decline::kEndOfInput;
    const char answer = line->empty() ? ' ' : line->front();
    if (answer == 'y') return Decline::kTerminate;
    if (answer == 'n') return Decline::kChooseAgain;
    WriteDialogueLine(window, " Incorrect input");
  }
}

}  // namespace

std::string ReadableFileProblem(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return "Cannot read \"" + path + "\": no such file.";
  if (!std::filesystem::is_regular_file(status))
    return "Cannot read \"" + path + "\": not a regular file.";
  if (!std::ifstream(path).is_open()) return "Cannot read \"" + path + "\": the file cannot be opened.";
  return {};
}

FileChoice ChooseFileForReading(DialogueWindow& window) {
  for (;;) {
    WritePrompt(window, kChooserPrompt);
    const std::optional<std::string> line = ReadDialogueLine(window);
    if (!line) return {.outcome = ChoiceOutcome::kEndOfInput, .path = {}};
    if (line->empty()) {
      const Decline decline = AskTerminate(window);
      if (decline == Decline::kTerminate) return {.outcome = ChoiceOutcome::kTerminate, .path = {}};
      if (decline == Decline::kEndOfInput) return {.outcome = ChoiceOutcome::kEndOfInput, .path = {}};
      continue;
    }
    const std::string problem = ReadableFileProblem(*line);
    if (problem.empty()) return {.outcome = ChoiceOutcome::kChosen, .path = *line};
    WriteDialogueLine(window, problem);
  }
}

}  // namespace modelcheck
