// The console's front-end: the terminal as the dialogue window, a typed path
// as the file chooser, and the finished picture of every model check kept as
// the PNG image model-efficiency.png in the working directory. No status
// line, no progress, no plot window: the transcript and report.txt say
// everything.
#pragma once

#include <istream>
#include <ostream>

#include "dialogue/front_end.h"

namespace modelcheck {

// The dialogue window on the streams `in` and `out`, which must outlive it.
// When input does not come from a terminal (`echo_input`), every line read is
// echoed right after its prompt, so that a scripted session reads as the
// window would show it; tests use string streams. When the dialogue cannot
// be written (a full disk, a closed output) the program stops in order with
// status 1 and says so on standard error.
DialogueWindow ConsoleDialogueWindow(std::istream& in, std::ostream& out, bool echo_input);

// The user types the path: the prompt repeats until the line names a
// readable regular file; a path that does not gets one line naming it and
// the prompt again. An empty line declines: "A File Must be Selected" and the
// question "Terminate Program?" (y/n) follow; "y" gives kTerminate, "n" the
// prompt again. End of input at any point gives kEndOfInput.
FileChoice ChooseTypedPath(DialogueWindow& window);

// The whole front-end, its dialogue window on `in` and `out`.
FrontEnd ConsoleFrontEnd(std::istream& in, std::ostream& out, bool echo_input);

}  // namespace modelcheck
