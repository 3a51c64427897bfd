// The dialogue window realised on a text console: standard input and output.
#include <unistd.h>

#include <iostream>

#include "platform/dialogue_window.h"

namespace modelcheck {

DialogueWindow ConsoleDialogueWindow() {
  return DialogueWindow{.in = &std::cin, .out = &std::cout, .echo_input = isatty(STDIN_FILENO) == 0};
}

void OpenDialogueWindow(DialogueWindow&) {}

void WriteDialogueLine(DialogueWindow& window, std::string_view text) {
  *window.out << ' ' << text << '\n';
  window.out->flush();
}

void WritePrompt(DialogueWindow& window, std::string_view text) {
  *window.out << ' ' << text;
  window.out->flush();
}

std::optional<std::string> ReadDialogueLine(DialogueWindow& window) {
  std::string line;
  if (!std::getline(*window.in, line)) {
    // Ends the prompt's line so that whatever follows starts on a line of its own.
    *window.out << '\n';
    window.out->flush();
    return std::nullopt;
  }
  // A line typed or saved on a system that ends lines with CR LF reads the same.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (window.echo_input) *window.out << line << '\n';
  window.out->flush();
  return line;
}

}  // namespace modelcheck
