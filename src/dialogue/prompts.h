// The three validated prompts through which every typed value is read.
//
// Each writes its prompt (one blank column, then the text, cursor left after
// it), reads one line from the dialogue window and converts it with the input
// format "(I11)", "(I2)", "(F20.10)" or "(A1)" (see fixed_field.h). A number
// is read from the first `width` characters; one that runs on past them (any
// non-blank character after the field) would be cut, so it is unreadable
// rather than read wrong. An unreadable line gives " Incorrect input" and
// the whole prompt again, any number of times; whether a readable value is in range is the caller's
// business. At end of input the program ends in order (EndAtEndOfInput).
// A format of the wrong kind for the routine is a programming error and stops
// at once.
#pragma once

#include <cstdint>
#include <string_view>

#include "dialogue/dialogue_window.h"

namespace modelcheck {

// The input format of the counts Ntrain, Ltest and Ktest: wide enough for
// any 32-bit count, and a count of up to six digits reads as in six columns.
inline constexpr std::string_view kCountFormat = "(I11)";

// The exit status of a session whose input ended before the dialogue did.
inline constexpr int kEndOfInputStatus = 2;

// The refusal of every unreadable or out-of-range answer; written with
// WriteDialogueLine, so the window shows two blanks before "Incorrect".
inline constexpr std::string_view kIncorrectInput = " Incorrect input";

void PromptInteger(DialogueWindow& window, std::string_view format, std::string_view prompt, std::int32_t& value);

// `implied_decimals`, when given, is set to the format's decimals when the
// answer had no decimal point and they changed its value (5e-2 read as
// 5e-12), otherwise to 0.
void PromptReal(DialogueWindow& window, std::string_view format, std::string_view prompt, double& value,
                int* implied_decimals = nullptr);

// Reads one character (the destination length is always 1).
void PromptChar(DialogueWindow& window, std::string_view format, std::string_view prompt, char& value);

void WriteIncorrectInput(DialogueWindow& window);

// Writes "End of input: the program ends." and stops the program in order
// (registered files closed, output flushed) with kEndOfInputStatus.
[[noreturn]] void EndAtEndOfInput(DialogueWindow& window);

}  // namespace modelcheck
