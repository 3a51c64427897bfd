// The console program: the dialogue on standard input and output, with
// report.txt and the other output files in the working directory.
#include <csignal>
#include <iostream>

#include "dialogue/dialogue_window.h"
#include "dialogue/main_dialogue.h"
#include "errors/message_sink.h"
#include "errors/orderly_stop.h"
#include "platform/main_window.h"
#include "platform/program_exit.h"

int main() {
  // A reader that has gone (`modelcheck | head -1`) makes the next write fail
  // like a full disk, so the program says so and stops in order, instead of
  // dying silently of the signal.
  std::signal(SIGPIPE, SIG_IGN);
  // The numerical core's messages share standard output with the dialogue, in order.
  modelcheck::InstallMessageSink([](std::string_view text) { std::cout << text << std::flush; });
  modelcheck::RegisterExitAction(&modelcheck::LeaveProgram);
  modelcheck::ConfigureMainWindow();
  modelcheck::DialogueWindow window = modelcheck::ConsoleDialogueWindow();
  return modelcheck::RunMainDialogue(window);
}
