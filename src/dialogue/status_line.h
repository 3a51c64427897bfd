// What the platform shows beside the dialogue while the program works: the
// step it is at, and the value the last answer was read as (so that a number
// read otherwise than meant, say 5e-2 taken with implied decimals, is seen
// at once). A console shows neither: its transcript and report.txt hold
// everything. A window shows both on its status line. Called on the
// program's thread.
#pragma once

#include <string_view>

namespace modelcheck {

// A step of the program, e.g. "Drawing the model check"; empty when the
// program waits for the user again.
void ShowProgramStep(std::string_view text);

// The value the last answer was read as, e.g. "eps = 5.0000E-12".
void ShowAnswerRead(std::string_view text);

}  // namespace modelcheck
