// How the platform follows a running model check: the progress callback the
// check runs with. Empty where nothing shows progress (a console), so that
// the check pays nothing for it; a window shows the phase and the piece on
// its status line, and stops the check when the user quits during it (the
// check's result is then marked cancelled). Asking for the callback tells
// the platform that a check starts; ShowProgramStep("") (status_line.h)
// that the program waits for the user again.
#pragma once

#include <functional>

#include "modelcheck/engine.h"

namespace modelcheck {

std::function<bool(const CheckProgress&)> CheckProgressReporter();

}  // namespace modelcheck
