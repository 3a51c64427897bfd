// The file chooser, which a front-end gives as FrontEnd::choose_file: the
// user picks an existing file for reading.
//
// In the desktop program it is the platform's file dialog; cancelling it
// shows the message box "A File Must be Selected" with the question
// "Terminate Program?": Yes gives kTerminate, No the dialog again, and a
// main window closed meanwhile kEndOfInput. A file that cannot be read gets
// one line naming it on the dialogue window, and the dialog again.
//
// On a console the user types the path: the prompt repeats until the line
// names a readable regular file; a path that does not gets one line naming it
// and the prompt again. An empty line declines: "A File Must be Selected" and
// the question "Terminate Program?" (y/n) follow; "y" gives kTerminate, "n"
// the prompt again. End of input at any point gives kEndOfInput.
//
// Nothing is opened or kept open by the chooser.
#pragma once

#include <string>

#include "dialogue/dialogue_window.h"

namespace modelcheck {

enum class ChoiceOutcome { kChosen, kTerminate, kEndOfInput };

struct FileChoice {
  ChoiceOutcome outcome = ChoiceOutcome::kEndOfInput;
  std::string path;  // set when kChosen
};

inline constexpr std::string_view kChooserPrompt = "Time series file (path, empty line to cancel): ";

}  // namespace modelcheck
