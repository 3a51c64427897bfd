// The process-wide error stack of the numerical routines.
//
// A numerical routine pushes its name on entry and pops it before it returns;
// in between it may store placeholder values (E1INT, E1TXT) and post a typed
// error (E1MES). Whether a message is printed and whether the program stops
// depends on the error type and on whether the routine was called by the
// application directly (level 2, the "user level") or by another routine.
// Messages go to the message unit (UMACH entry 3: standard output).
//
// Error types: 1 NOTE, 2 ALERT, 3 WARNING, 4 FATAL, 5 TERMINAL, 6 WARNING
// (immediate), 7 FATAL (immediate); 0 means no error, -1 leaves the type as is.
// The stack initialises itself on first use and is never reset.
#pragma once

#include <string_view>

namespace modelcheck {

// Pushes a routine name (cut or blank-padded to 32 characters). A push beyond
// level 50 prints a TERMINAL message and stops the program.
void E1PSH(std::string_view name);

// Pops the routine name; it must match the top entry. Passes errors of types
// 2..7 to the caller's level and prints / stops as the type's settings say.
void E1POP(std::string_view name);

// Posts an error of `type` and `code` on the current level with message
// `text`, whose placeholders %(In) and %(Ln) are replaced by stored values.
void E1MES(int type, int code, std::string_view text);

// Stores `value` for the placeholder %(In), n = 1..9; other n store nothing.
void E1INT(int n, int value);

// Stores `text` for the placeholder %(Ln): n > 0 drops trailing blanks,
// n < 0 keeps them; at most 255 characters are kept.
void E1TXT(int n, std::string_view text);

// i = 0: the error code of the current level; i = 1: the code of the level
// just above it (the routine popped last). Any other i stops the program.
int N1RCD(int i);

// Prints the pending message, if any, in the fixed message layout.
void E1SHOW();

}  // namespace modelcheck
