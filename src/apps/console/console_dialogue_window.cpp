// The dialogue window on a text console: standard input and output, or any
// pair of streams.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "apps/console/console_front_end.h"
#include "errors/orderly_stop.h"

namespace modelcheck {

namespace {

// A dialogue nobody can read must not go on answering questions and end as a
// success: the program stops, and standard error says why.
void FlushOrStop(std::ostream& out) {
  errno = 0;
  out.flush();
  if (out) return;
  const int error = errno;
  std::fprintf(stderr, "Cannot write the dialogue to standard output (%s); the program ends.\n",
               error != 0 ? std::strerror(error) : "stream failed");
  StopProgram(kErrorStopStatus);
}

std::optional<std::string> ReadLine(std::istream& in, std::ostream& out, bool echo_input) {
  std::string line;
  if (!std::getline(in, line)) {
    // Ends the prompt's line so that whatever follows starts on a line of its own.
    out << '\n';
    FlushOrStop(out);
    return std::nullopt;
  }
  // A line typed or saved on a system that ends lines with CR LF reads the same.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (echo_input) {
    out << line << '\n';
  } else if (in.eof()) {
    // A line ended by end of input instead of Enter left the cursor after it.
    out << '\n';
  }
  FlushOrStop(out);
  return line;
}

}  // namespace

DialogueWindow ConsoleDialogueWindow(std::istream& in, std::ostream& out, bool echo_input) {
  return {.open = nullptr,
          .write =
              [&out](std::string_view text) {
                out << text;
                FlushOrStop(out);
              },
          .read_line = [&in, &out, echo_input] { return ReadLine(in, out, echo_input); },
          .show_answer_read = nullptr,
          .warn_answer_read = nullptr};
}

}  // namespace modelcheck
