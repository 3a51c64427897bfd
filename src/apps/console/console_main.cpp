// The console program: the dialogue on standard input and output, with
// report.txt and the other output files in the working directory.
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <thread>

#include "apps/console/console_front_end.h"
#include "dialogue/main_dialogue.h"
#include "dialogue/main_window.h"
#include "errors/message_sink.h"
#include "plots/font_face.h"

int main() {
  // A reader that has gone (`modelcheck | head -1`) makes the next write fail
  // like a full disk, so the program says so and stops in order, instead of
  // dying silently of the signal.
  std::signal(SIGPIPE, SIG_IGN);
  // The numerical core's messages share standard output with the dialogue, in order.
  modelcheck::InstallMessageSink([](std::string_view text) { std::cout << text << std::flush; });
  modelcheck::ConfigureMainWindow({});  // a console has no main window
  // Loading the font configuration takes a few milliseconds that the first
  // picture would wait for; done beside the dialogue, it overlaps with the
  // user's answers and the reading of the series. (An orderly stop may end
  // the process before it is joined: fontconfig's own set-up is safe then.)
  std::jthread font_lookup([] { modelcheck::InitialiseFontLookup(); });
  modelcheck::FrontEnd front_end =
      modelcheck::ConsoleFrontEnd(std::cin, std::cout, /*echo_input=*/isatty(STDIN_FILENO) == 0);
  return modelcheck::RunMainDialogue(front_end);
}
