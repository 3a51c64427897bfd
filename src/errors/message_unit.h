// Maps the unit numbers of the unit table onto the program's message sink.
//
// Unit 6 is standard output, which the program realises through the message
// sink it installs (message_sink.h). The program has no other place for
// text, so any other unit number goes to the same sink rather than losing
// the message.
#pragma once

#include <string_view>

namespace modelcheck {

// Writes `text` (whole lines, each ended by '\n') to `unit`.
void WriteToUnit(int unit, std::string_view text);

// Writes `text` to the message unit (entry 3 of the unit table).
void WriteToMessageUnit(std::string_view text);

}  // namespace modelcheck
