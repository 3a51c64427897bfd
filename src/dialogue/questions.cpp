#include "dialogue/questions.h"

#include "dialogue/prompts.h"
#include "text/fixed_field.h"

namespace modelcheck {

namespace {

// The setting's name as the prompt ends with it: "... Ntrain = " gives "Ntrain = ".
std::string_view SettingLabel(std::string_view prompt) {
  const std::size_t colon = prompt.rfind(": ");
  return colon == std::string_view::npos ? prompt : prompt.substr(colon + 2);
}

}  // namespace

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
    ShowAnswerRead(window, std::string(SettingLabel(prompt)) + std::to_string(value));
    if (accepted(value)) return value;
    WriteIncorrectInput(window);
  }
}

double AskReal(DialogueWindow& window, std::string_view format, std::string_view prompt,
               const std::function<bool(double)>& accepted, std::string_view range) {
  for (;;) {
    double value = 0.0;
    int implied_decimals = 0;
    PromptReal(window, format, prompt, value, &implied_decimals);
    ShowAnswerRead(window, std::string(SettingLabel(prompt)) + FormatExponent(value, 5));
    // A number typed without a decimal point is read with the format's
    // implied decimals; where that changed it, the user is told at once.
    if (implied_decimals > 0) {
      WarnAnswerRead(window, "Read as " + FormatExponent(value, 5) +
                                 " (no decimal point: " + std::to_string(implied_decimals) + " implied decimals)");
    }
    if (accepted(value)) return value;
    WriteIncorrectInput(window);
    if (!range.empty()) WriteDialogueLine(window, range);
  }
}

}  // namespace modelcheck
