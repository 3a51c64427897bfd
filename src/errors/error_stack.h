// The error stack of the numerical routines, one for each thread.
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
// With the fixed settings WARNING, FATAL and TERMINAL messages are printed;
// types 5..7 print when posted, types 1..4 at the pop of the user level. FATAL
// and TERMINAL stop the program: TERMINAL at the pop of its routine at any
// level, FATAL at the pop of the user level. Every stop is the orderly stop
// of orderly_stop.h (close actions run, exit status kErrorStopStatus).
// A thread's stack initialises itself on the thread's first use; only a stop
// kept by a StopCapture (message_sink.h) resets it.
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
// `text`, whose placeholders %(In) and %(Ln) are replaced by stored values
// (letters in either case; a placeholder without a value stays as written).
// Type 0 or code 0 discards the pending message; an empty or single-blank
// text sets type and code only. A type outside -1..7 prints and stops. The
// stored values are used by this one post and then forgotten.
void E1MES(int type, int code, std::string_view text);

// Stores `value` for the placeholder %(In), n = 1..9; other n store nothing.
void E1INT(int n, int value);

// Stores `text` for the placeholder %(Ln): n > 0 drops trailing blanks,
// n < 0 keeps them; at most 255 characters are kept.
void E1TXT(int n, std::string_view text);

// i = 0: the error code of the current level; i = 1: the code of the level
// just above it (the routine popped last). Any other i stops the program.
int N1RCD(int i);

// Prints the pending message, if any, in the fixed message layout (see
// message_layout.h), with a traceback below the user level, and clears it.
void E1SHOW();

}  // namespace modelcheck
