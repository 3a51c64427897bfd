// The file chooser realised on a console as a typed path.
#include <optional>

#include "apps/console/console_front_end.h"
#include "text/readable_file.h"

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

FileChoice ChooseTypedPath(DialogueWindow& window) {
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
