// Questions that repeat until the answer is readable and in range: each
// refusal writes " Incorrect input" and asks the same question again.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "dialogue/dialogue_window.h"

namespace modelcheck {

// Returns 'y' or 'n'; any other answer (upper case included) is refused.
char AskYesNo(DialogueWindow& window, std::string_view prompt);

std::int32_t AskInteger(DialogueWindow& window, std::string_view format, std::string_view prompt,
                        const std::function<bool(std::int32_t)>& accepted);

// A readable value out of range is refused with " Incorrect input" and, when
// `range` is given, that line saying what is accepted.
double AskReal(DialogueWindow& window, std::string_view format, std::string_view prompt,
               const std::function<bool(double)>& accepted, std::string_view range = {});

}  // namespace modelcheck
