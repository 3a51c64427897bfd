// One session of the desktop program per test, in a working directory of
// its own (CTest runs each test in a process of its own).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "apps/desktop/desktop_program.h"
#include "desktop_driver.h"
#include "support/files.h"

namespace modelcheck::testing {

// Each test is one session of the program, in a working directory of its own.
class DesktopProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int sessions = 0;
    if (sessions++ > 0) GTEST_SKIP() << "one desktop session per process";
    EnterWorkingFolder();
    StartDesktopProgram([this](FrontEnd& front_end) { AdaptFrontEnd(front_end); });
  }

  virtual void EnterWorkingFolder() { std::filesystem::current_path(directory_.path()); }

  // Runs on the program's thread before the dialogue starts.
  virtual void AdaptFrontEnd(FrontEnd&) {}

  // Waits for the program and its windows to be gone; the exit status.
  int Ended() {
    EXPECT_TRUE(WaitFor(&DesktopProgramEnded)) << "the program did not end";
    return EndDesktopProgram();
  }

  std::string Report() const { return ReadText(directory_.path() / "report.txt"); }

  WorkDirectory directory_;
};

}  // namespace modelcheck::testing
