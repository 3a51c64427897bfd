// How the program leaves once its orderly stop has closed every file.
//
// On a console the process ends with the status. In a desktop window the
// program runs on a thread of its own beside the windows: there the thread
// ends instead, and the windows stay on screen with what was written until
// the user closes them; the process later exits with the status.
#pragma once

namespace modelcheck {

[[noreturn]] void LeaveProgram(int status);

}  // namespace modelcheck
