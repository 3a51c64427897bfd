// The one way the program stops on an error it cannot continue from.
//
// The stop is orderly: every registered close action runs (latest first), so
// that files the application has open are flushed and closed, standard output
// is flushed, and the program leaves with the given non-zero status
// (LeaveProgram: on a console the process exits). No line that was written
// before the stop is lost.
#pragma once

#include <functional>

namespace modelcheck {

inline constexpr int kErrorStopStatus = 1;

using CloseActionId = int;

// Registers an action to run at an orderly stop, e.g. closing the report file.
CloseActionId RegisterCloseAction(std::function<void()> action);

// Removes a registered action once the resource it closes is closed normally.
void UnregisterCloseAction(CloseActionId id);

// Runs the close actions, flushes standard output and leaves the program.
[[noreturn]] void StopProgram(int status = kErrorStopStatus);

}  // namespace modelcheck
