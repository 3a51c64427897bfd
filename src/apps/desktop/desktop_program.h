// The desktop program: its windows on the window thread, the program itself
// (dialogue, computation, drawing, in their fixed order) on a thread of its
// own, so that the windows stay responsive while it computes.
//
// StartDesktopProgram builds the main window, runs the start-up hook
// ConfigureMainWindow and starts the program. The program ends after "n" to
// its last question, when the user ends it at the file chooser, or when the
// numerical core stops it; in the first and last case the windows stay on
// screen, marked finished, with everything written readable, until the user
// closes the main window. Closing the main window earlier ends the program at
// its next question (report.txt keeps every line written). The event loop
// stops once both the program and its windows are gone.
//
// EndDesktopProgram waits for the program's thread and returns the exit
// status: the program's own, or 0 when the user closed the window first.
#pragma once

#include <functional>

#include "dialogue/front_end.h"

namespace modelcheck {

// Call on the window thread, with a QApplication alive. `adapt`, when given,
// may change the front-end before the program runs on it (on the program's
// thread), e.g. to wrap one of its functions.
void StartDesktopProgram(std::function<void(FrontEnd&)> adapt = {});

// True once the program has ended and the main window is closed.
bool DesktopProgramEnded();

int EndDesktopProgram();

}  // namespace modelcheck
