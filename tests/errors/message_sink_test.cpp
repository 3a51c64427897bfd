// Where messages go: a stop kept by a StopCapture instead of ending the
// program, the thread's error stack afterwards, and the installed sink.
#include "errors/message_sink.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <thread>

#include "errors/error_stack.h"
#include "errors/orderly_stop.h"
#include "support/child_process.h"
#include "support/singular_message.h"

namespace modelcheck {
namespace {

using testing::kSingularMessage;

using testing::RunInChild;

// As the solver posts it when called by the application.
void SingularSolve() {
  E1PSH("DLQRSL");
  E1INT(1, 3);
  E1MES(4, 1,
        "Computation of the least squares solution has been requested but "
        "the upper triangular matrix R is exactly singular; the index of "
        "the first zero diagonal element of R is %(I1).");
  E1POP("DLQRSL");
}

CapturedStop CaptureSingularSolve() {
  StopCapture capture;
  try {
    SingularSolve();
  } catch (CapturedStop& stop) {
    return stop;
  }
  ADD_FAILURE() << "the FATAL error did not stop";
  return {};
}

TEST(StopCapture, AFatalErrorIsKeptWithItsMessageAndPrintsNothing) {
  const auto result = RunInChild([] {
    RegisterCloseAction([] { std::cout << "<closed>\n"; });
    const CapturedStop stop = CaptureSingularSolve();
    std::cout << (stop.messages == kSingularMessage ? "message " : "other message ") << stop.status << " " << stop.type
              << " " << stop.code << " " << stop.routine << " " << stop.values.size() << ":"
              << (stop.values.empty() ? 0 : stop.values[0]) << "\n";
    std::cout << (CapturingStops() ? "capturing" : "not capturing") << "\n";
  });
  // Nothing printed, no close action run, the process goes on.
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "message 1 4 1 DLQRSL 1:3\nnot capturing\n");
}

// A stack left at the stopped routine's level would trace the next message
// back through DLQRSL; the reset stack prints it plainly, as at the start.
TEST(StopCapture, TheThreadsErrorStackWorksAgainAfterAStop) {
  const auto result = RunInChild([] {
    CaptureSingularSolve();
    const CapturedStop again = CaptureSingularSolve();
    std::cout << (again.messages == kSingularMessage ? "same\n" : "different\n");
    E1PSH("R");
    E1MES(6, 3, "Careful.");
    E1POP("R");
  });
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "same\n\n *** WARNING  ERROR 3 from R.  Careful.\n");
}

// Captures are per thread: another thread's FATAL error still stops the program.
TEST(StopCapture, OnlyTheCapturingThreadIsAffected) {
  const auto result = RunInChild([] {
    StopCapture capture;
    std::thread([] { SingularSolve(); }).join();
    std::cout << "<not reached>\n";
  });
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output, kSingularMessage);
}

TEST(StopCapture, AReplayedStopPrintsItsMessagesAndStops) {
  const auto result = RunInChild([] {
    RegisterCloseAction([] { std::cout << "<closed>\n"; });
    const CapturedStop stop = CaptureSingularSolve();
    std::cout << "<replay>\n";
    ReplayStop(stop);
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output, "<replay>\n" + kSingularMessage + "<closed>\n");
}

TEST(MessageSink, AnInstalledSinkReceivesTheMessagesInsteadOfStandardOutput) {
  const auto result = RunInChild([] {
    std::string kept;
    InstallMessageSink([&kept](std::string_view text) { kept.append(text); });
    E1PSH("R");
    E1MES(6, 3, "Careful.");
    E1POP("R");
    InstallMessageSink({});
    std::cout << "[" << kept << "]\n";
    WriteMessageText("plain\n");
  });
  EXPECT_EQ(result.output, "[\n *** WARNING  ERROR 3 from R.  Careful.\n]\nplain\n");
}

}  // namespace
}  // namespace modelcheck
