// The one way the program stops on an error it cannot continue from.
//
// The stop is orderly: every registered close action runs (latest first), so
// that files the application has open are flushed and closed, standard output
// is flushed, and the program leaves with the given non-zero status through
// the exit action that the program registered (a console ends the process;
// without a registered action the process exits). No line that was written
// before the stop is lost. Under a StopCapture (message_sink.h) a stop on the
// capturing thread runs nothing of this: it throws the CapturedStop instead.
#pragma once

#include <functional>

namespace modelcheck {

inline constexpr int kErrorStopStatus = 1;

using CloseActionId = int;

// Registers an action to run at an orderly stop, e.g. closing the report file.
CloseActionId RegisterCloseAction(std::function<void()> action);

// Removes a registered action once the resource it closes is closed normally.
void UnregisterCloseAction(CloseActionId id);

// How the program leaves once every file is closed; it must not return.
using ExitAction = void (*)(int status);

// Replaces the exit action; null restores the plain process exit.
void RegisterExitAction(ExitAction action);

// Runs the close actions, flushes standard output and leaves the program.
[[noreturn]] void StopProgram(int status = kErrorStopStatus);

}  // namespace modelcheck
