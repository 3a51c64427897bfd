// Where the messages of the error machinery go, and how a stop that happens
// inside a computation is kept for the caller instead of ending the program.
//
// The program installs one sink for the whole process (the console writes to
// standard output, the desktop also to its dialogue window); until it does,
// messages go to the C standard output. A sink receives whole lines, each
// ended by '\n', and is called from the thread that prints.
//
// A StopCapture turns, on its own thread and while it lives, every printed
// message into text kept in the capture, and every stop (StopProgram) into a
// CapturedStop exception that the computation's caller catches. The stopped
// thread's error stack is then reset, so the thread can compute again. Other
// threads are not affected. Captures nest: the innermost one holds.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace modelcheck {

using MessageSink = std::function<void(std::string_view text)>;

// Replaces the process's sink; an empty sink restores the C standard output.
void InstallMessageSink(MessageSink sink);

// Writes `text` to this thread's capture, or else to the installed sink.
void WriteMessageText(std::string_view text);

// A stop that a capture kept: the status it would have left with and every
// message printed under the capture, in order. Thrown as an exception, so a
// caller that catches std::exception sees its messages as what().
struct CapturedStop : std::exception {
  const char* what() const noexcept override { return messages.c_str(); }

  int status = 0;
  std::string messages;  // whole lines, each ended by '\n'
  int type = 0;          // type, code and routine of the error that stopped; 0 and empty when none
  int code = 0;
  std::string routine;
  std::vector<int> values;  // the integer placeholder values of that message, %(I1) first
};

// Lives on the stack of the computing thread, around the computation.
struct StopCapture {
  StopCapture();
  ~StopCapture();
  StopCapture(const StopCapture&) = delete;
  StopCapture& operator=(const StopCapture&) = delete;

  CapturedStop stop;
  StopCapture* outer = nullptr;
};

// True while a capture lives on this thread.
bool CapturingStops();

// Records the error being printed (for the capture's CapturedStop).
void NoteCapturedError(int type, int code, std::string_view routine, std::vector<int> values);

// Resets this thread's error stack and throws the capture's CapturedStop.
[[noreturn]] void ThrowCapturedStop(int status);

// Writes a kept stop's messages to the sink and stops the program with its
// status, as if it had happened here: the one way to print and stop.
[[noreturn]] void ReplayStop(const CapturedStop& stop);

}  // namespace modelcheck
