// The dialogue window "Input Window": where prompts and result lines appear
// and where the user types answers, one line at a time.
//
// A front-end gives the dialogue its window as these function objects
// (front_end.h lists the rest of what a front-end gives). The console's window
// is the terminal; the desktop's is a child window of its main window, where
// end of input means the user closed the main window. `write` and `read_line`
// are required; an empty `open`, `show_answer_read` or `warn_answer_read`
// does nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace modelcheck {

// Thrown by a front-end's `read_line` to end the current series pass at
// once, as answering "8) Different time series?" with y would (the desktop's
// File > Open Series...): the dialogue closes the pass's report lines and
// goes on with the file chooser.
struct SeriesPassEnded {};

struct DialogueWindow {
  // Sets the window up for a new series pass (title, colours, cursor,
  // cleared).
  std::function<void()> open;
  // Shows `text` exactly, leaving the cursor after it.
  std::function<void(std::string_view text)> write;
  // Waits for one typed line and returns it without its end of line;
  // nothing at end of input. May throw SeriesPassEnded.
  std::function<std::optional<std::string>()> read_line;
  // Shows beside the dialogue the value the last answer was read as, e.g.
  // "eps = 5.0000E-12", so that a number read otherwise than meant (5e-2
  // taken with implied decimals) is seen at once.
  std::function<void(std::string_view text)> show_answer_read;
  // Shows, where it catches the eye, that an answer was read otherwise than
  // typed: "Read as 5.0000E-12 (no decimal point: 10 implied decimals)".
  // The dialogue writes the same as a line; an empty one adds nothing.
  std::function<void(std::string_view text)> warn_answer_read;
};

inline void OpenDialogueWindow(DialogueWindow& window) {
  if (window.open) window.open();
}

// Writes one blank column, `text` and an end of line.
inline void WriteDialogueLine(DialogueWindow& window, std::string_view text) {
  window.write(" " + std::string(text) + "\n");
}

// Writes one blank column and `text`, leaving the cursor after it.
inline void WritePrompt(DialogueWindow& window, std::string_view text) { window.write(" " + std::string(text)); }

// Reads one typed line without its end of line; nothing at end of input.
inline std::optional<std::string> ReadDialogueLine(DialogueWindow& window) { return window.read_line(); }

inline void ShowAnswerRead(DialogueWindow& window, std::string_view text) {
  if (window.show_answer_read) window.show_answer_read(text);
}

// Writes `text` as a dialogue line and shows it as a warning beside the dialogue.
inline void WarnAnswerRead(DialogueWindow& window, std::string_view text) {
  WriteDialogueLine(window, text);
  if (window.warn_answer_read) window.warn_answer_read(text);
}

}  // namespace modelcheck
