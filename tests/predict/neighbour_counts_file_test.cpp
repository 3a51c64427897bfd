// neighbors.txt: its line layout, its rewriting, and the stop on a failed write.
#include "predict/neighbour_counts_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "errors/orderly_stop.h"
#include "support/child_process.h"

namespace modelcheck {
namespace {

namespace fs = std::filesystem;

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class NeighbourCountsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("mc-neighbour-counts-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(directory_);
  }
  void TearDown() override { fs::remove_all(directory_); }

  fs::path directory_;
};

TEST(NeighbourCountsFormatTest, OneSevenCharacterLinePerPiece) {
  const std::vector<std::int32_t> counts = {0, 42, 999999, 1000000};
  EXPECT_EQ(FormatNeighbourCounts(counts), "      0\n     42\n 999999\n ******\n");
  EXPECT_EQ(FormatNeighbourCounts({}), "");
}

TEST_F(NeighbourCountsFileTest, EveryWriteReplacesTheWholeFile) {
  const std::string path = (directory_ / "neighbors.txt").string();
  const std::vector<std::int32_t> first = {5, 6, 7};
  const std::vector<std::int32_t> second = {12};
  DialogueWindow dialogue{.in = nullptr, .out = &std::cout};
  WriteNeighbourCounts(path, first, dialogue);
  EXPECT_EQ(ReadWholeFile(path), "      5\n      6\n      7\n");
  WriteNeighbourCounts(path, second, dialogue);
  EXPECT_EQ(ReadWholeFile(path), "     12\n");
}

TEST_F(NeighbourCountsFileTest, FailuresNameTheFileAndTheCause) {
  const std::string missing = (directory_ / "no-such-directory" / "neighbors.txt").string();
  EXPECT_EQ(ReplaceTextFile(missing, "x"),
            "Cannot open the file " + missing + ": No such file or directory");
  if (fs::exists("/dev/full")) {
    // The write is buffered, so a full device shows at the write or the close.
    const std::string failure = ReplaceTextFile("/dev/full", std::string(100000, 'x'));
    EXPECT_NE(failure.find("/dev/full: No space left on device"), std::string::npos) << failure;
    EXPECT_NE(ReplaceTextFile("/dev/full", "      1\n"), "");
  }
}

TEST_F(NeighbourCountsFileTest, AFailedWriteStopsTheProgramWithItsMessage) {
  const std::string missing = (directory_ / "no-such-directory" / "neighbors.txt").string();
  const auto result = modelcheck::testing::RunInChild([&] {
    DialogueWindow dialogue{.in = nullptr, .out = &std::cout};
    const std::vector<std::int32_t> counts = {1};
    WriteNeighbourCounts(missing, counts, dialogue);
  });
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output, " Cannot open the file " + missing + ": No such file or directory\n");
}

}  // namespace
}  // namespace modelcheck
