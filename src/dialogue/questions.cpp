#include "dialogue/questions.h"

#include "dialogue/prompts.h"

namespace modelcheck {

char AskYesNo(DialogueWindow& window, std::string_view prompt) {
  for (;;) {
    char answer = ' ';
    PromptChar(window, "(A1)", prompt, answer);
    if (answer == 'y' || answer == 'n') return answer;
    WriteIncorrectInput(window);
  }
}

std::int32_t AskInteger(DialogueWindow& window, std::string_view format, std::string_view prompt,
                        const std::function<bool(std::int32_t)>& accepted) {
  for (;;) {
    std::int32_t value = 0;
    PromptInteger(window, format, prompt, value);
    if (accepted(value)) return value;
    WriteIncorrectInput(window);
  }
}

double AskReal(DialogueWindow& window, std::string_view format, std::string_view prompt,
               const std::function<bool(double)>& accepted, std::string_view range) {
  for (;;) {
    double value = 0.0;
    PromptReal(window, format, prompt, value);
    if (accepted(value)) return value;
    WriteIncorrectInput(window);
    if (!range.empty()) WriteDialogueLine(window, range);
  }
}

}  // namespace modelcheck
