// The dialogue window "Input Window": where prompts and result lines appear
// and where the user types answers, one line at a time.
//
// Two realisations link behind these declarations. In the desktop program the
// window is a child window of the main window: the operations ignore the
// streams, show their text there and wait for a line typed there; end of
// input means the user closed the main window.
//
// On a console the window is the terminal: `out` is standard output and `in`
// standard input. When input does not come from a terminal, every line read is
// echoed right after its prompt so that a scripted session reads as the window
// would show it. Tests use string streams in place of the terminal. When the
// dialogue cannot be written (a full disk, a closed output) the program stops
// in order with status 1 and says so on standard error.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace modelcheck {

struct DialogueWindow {
  std::istream* in = nullptr;
  std::ostream* out = nullptr;
  bool echo_input = false;  // true when `in` is not an interactive terminal
};

// The console's dialogue window on standard input and output.
DialogueWindow ConsoleDialogueWindow();

// Sets the window up for a new series pass (title "Input Window", colours,
// cursor). On a console there is nothing to place or clear.
void OpenDialogueWindow(DialogueWindow& window);

// Writes one blank column, `text` and an end of line.
void WriteDialogueLine(DialogueWindow& window, std::string_view text);

// Writes one blank column and `text`, leaving the cursor after it.
void WritePrompt(DialogueWindow& window, std::string_view text);

// Reads one typed line without its end of line; nothing at end of input.
std::optional<std::string> ReadDialogueLine(DialogueWindow& window);

}  // namespace modelcheck
