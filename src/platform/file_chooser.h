// The file chooser of a console: the user types the path of an existing file.
//
// ChooseFileForReading prompts for a path on the dialogue window until the
// line names a readable regular file; a path that does not gets one line
// naming it and the prompt again. An empty line declines: "A File Must be
// Selected" and the question "Terminate Program?" (y/n) follow; "y" gives
// kTerminate, "n" the prompt again. End of input at any point gives
// kEndOfInput. Nothing is opened or kept open by the chooser.
#pragma once

#include <string>

#include "platform/dialogue_window.h"

namespace modelcheck {

enum class ChoiceOutcome { kChosen, kTerminate, kEndOfInput };

struct FileChoice {
  ChoiceOutcome outcome = ChoiceOutcome::kEndOfInput;
  std::string path;  // set when kChosen
};

inline constexpr std::string_view kChooserPrompt = "Time series file (path, empty line to cancel): ";

FileChoice ChooseFileForReading(DialogueWindow& window);

// Empty when `path` names a regular file that can be opened for reading,
// otherwise one line naming the path and the cause.
std::string ReadableFileProblem(const std::string& path);

}  // namespace modelcheck
