// The console program: the dialogue on standard input and output, with
// report.txt and the other output files in the working directory.
#include "dialogue/main_dialogue.h"
#include "platform/dialogue_window.h"
#include "plots/plot_window.h"

int main() {
  modelcheck::ConfigureMainWindow();
  modelcheck::DialogueWindow window = modelcheck::ConsoleDialogueWindow();
  return modelcheck::RunMainDialogue(window);
}
