// report.txt: append mode, line layout, failures reported, orderly stop.
#include "dialogue/report_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "apps/console/console_front_end.h"
#include "support/child_process.h"
#include "support/files.h"

namespace modelcheck {
namespace {

using testing::ReadText;

class ReportLogTest : public ::testing::Test {
 protected:
  void SetUp() override { log_.path = (directory_.path() / "report.txt").string(); }

  const testing::WorkDirectory directory_;
  std::istringstream in_;
  std::ostringstream out_;
  DialogueWindow window_ = ConsoleDialogueWindow(in_, out_, false);
  ReportLog log_;
};

TEST_F(ReportLogTest, AppendsAfterWhatTheFileHoldsAndReopeningWhileOpenChangesNothing) {
  std::ofstream(log_.path) << " earlier run\n";
  OpenReport(log_, window_);
  WriteReportLine(log_, "first");
  OpenReport(log_, window_);
  WriteReportEmptyLine(log_);
  WriteReportLine(log_, "second");
  CloseReport(log_);
  OpenReport(log_, window_);
  WriteReportLine(log_, "third");
  CloseReport(log_);
  EXPECT_EQ(ReadText(log_.path), " earlier run\n first\n\n second\n third\n");
  EXPECT_EQ(out_.str(), "");
}

TEST_F(ReportLogTest, FileThatCannotBeCreatedIsNamedOnceAndTheSessionGoesOn) {
  std::filesystem::create_directory(log_.path);
  OpenReport(log_, window_);
  WriteReportLine(log_, "lost");
  OpenReport(log_, window_);
  CloseReport(log_);
  EXPECT_EQ(out_.str(), " Cannot open " + log_.path + " (Is a directory); the session goes on without the report.\n");
}

TEST_F(ReportLogTest, WriteFailureIsReportedOnceAndLaterLinesAreSkipped) {
  log_.path = "/dev/full";
  OpenReport(log_, window_);
  ASSERT_NE(log_.file, nullptr);
  WriteReportLine(log_, "one");
  WriteReportLine(log_, "two");
  CloseReport(log_);
  EXPECT_EQ(out_.str(), " Cannot write /dev/full (No space left on device); later report lines are skipped.\n");
}

TEST_F(ReportLogTest, OrderlyStopClosesTheReportWithEveryLineKept) {
  const testing::ChildResult child = testing::RunInChild([&] {
    OpenReport(log_, window_);
    WriteReportLine(log_, "kept");
    StopProgram(7);
  });
  EXPECT_TRUE(child.exited);
  EXPECT_EQ(child.status, 7);
  EXPECT_EQ(ReadText(log_.path), " kept\n");
}

}  // namespace
}  // namespace modelcheck
