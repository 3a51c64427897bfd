// Orderly stop: close actions run latest first and once, files keep every
// line written before the stop, and the process ends with a failure status.
#include "errors/orderly_stop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "errors/machine_constants.h"
#include "support/child_process.h"

namespace modelcheck {
namespace {

using testing::RunInChild;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(OrderlyStop, CloseActionKeepsEveryLineOfAnOpenFile) {
  const auto path = std::filesystem::temp_directory_path() / ("orderly_stop_" + std::to_string(getpid()) + ".txt");
  const auto result = RunInChild([&path] {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) return;
    // A large buffer keeps the lines in memory until the file is closed.
    static char buffer[1 << 16];
    std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
    RegisterCloseAction([file] { std::fclose(file); });
    for (int i = 1; i <= 100; ++i) std::fprintf(file, " line %d\n", i);
    std::cout << "unflushed";
    StopProgram();
  });
  const std::string text = ReadFile(path);
  std::filesystem::remove(path);
  std::string expected;
  for (int i = 1; i <= 100; ++i) expected += " line " + std::to_string(i) + "\n";
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output, "unflushed");
  EXPECT_EQ(text, expected);
}

TEST(OrderlyStop, ActionsRunLatestFirstOnceEachAndDespiteFailures) {
  const auto result = RunInChild([] {
    RegisterCloseAction([] { std::cout << "first\n"; });
    const CloseActionId removed = RegisterCloseAction([] { std::cout << "removed\n"; });
    RegisterCloseAction([] { throw std::runtime_error("cannot close"); });
    RegisterCloseAction([] {
      std::cout << "stops again\n";
      StopProgram(3);
    });
    UnregisterCloseAction(removed);
    StopProgram();
  });
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.output, "stops again\nfirst\n");
}

TEST(OrderlyStop, TheRegisteredExitActionLeavesWithTheStatusAfterTheCloseActions) {
  const auto result = RunInChild([] {
    RegisterCloseAction([] { std::cout << "<closed>\n"; });
    RegisterExitAction([](int status) {
      std::cout << "<exit action " << status << ">" << std::endl;
      std::_Exit(40 + status);
    });
    StopProgram(3);
  });
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 43);
  EXPECT_EQ(result.output, "<closed>\n<exit action 3>\n");
}

TEST(OrderlyStop, StopsOfTheErrorMachineryRunTheCloseActions) {
  const auto result = RunInChild([] {
    RegisterCloseAction([] { std::cout << "<closed>\n"; });
    DMACH(9);
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output.substr(0, 35), "\n *** TERMINAL ERROR 5 from DMACH. ");
  EXPECT_EQ(result.output.substr(result.output.size() - 9), "<closed>\n");
}

}  // namespace
}  // namespace modelcheck
