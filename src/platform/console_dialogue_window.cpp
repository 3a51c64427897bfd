// The dialogue window realised on a text console: standard input and output.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "dialogue/dialogue_window.h"
#include "errors/orderly_stop.h"

namespace modelcheck {

namespace {

// A dialogue nobody can read must not go on answering questions and end as a
// success: the program stops, and standard error says why.
void FlushOrStop(DialogueWindow& window) {
  errno = 0;
  window.out->flush();
  if (*window.out) return;
  const int error = errno;
  std::fprintf(stderr, "Cannot write the dialogue to standard output (%s); the program ends.\n",
               error != 0 ? std::strerror(error) : "stream failed");
  StopProgram(kErrorStopStatus);
}

}  // namespace

DialogueWindow ConsoleDialogueWindow() {
  return DialogueWindow{.in = &std::cin, .out = &std::cout, .echo_input = isatty(STDIN_FILENO) == 0};
}

void OpenDialogueWindow(DialogueWindow&) {}

void WriteDialogueLine(DialogueWindow& window, std::string_view text) {
  *window.out << ' ' << text << '\n';
  FlushOrStop(window);
}

void WritePrompt(DialogueWindow& window, std::string_view text) {
  *window.out << ' ' << text;
  FlushOrStop(window);
}

std::optional<std::string> ReadDialogueLine(DialogueWindow& window) {
  std::string line;
  if (!std::getline(*window.in, line)) {
    // Ends the prompt's line so that whatever follows starts on a line of its own.
    *window.out << '\n';
    FlushOrStop(window);
    return std::nullopt;
  }
  // A line typed or saved on a system that ends lines with CR LF reads the same.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (window.echo_input) {
    *window.out << line << '\n';
  } else if (window.in->eof()) {
    // A line ended by end of input instead of Enter left the cursor after it.
    *window.out << '\n';
  }
  FlushOrStop(window);
  return line;
}

}  // namespace modelcheck
