// neighbors.txt: its line layout, its rewriting, and the failures it names.
#include "presentation/neighbour_counts_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"

namespace modelcheck {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::WorkDirectory;

TEST(NeighbourCountsFormatTest, OneSevenCharacterLinePerPiece) {
  const std::vector<std::int32_t> counts = {0, 42, 999999, 1000000};
  // A count of seven digits or more is written in full, never as asterisks.
  EXPECT_EQ(FormatNeighbourCounts(counts), "      0\n     42\n 999999\n 1000000\n");
  EXPECT_EQ(FormatNeighbourCounts({}), "");
}

TEST(ReplaceTextFileTest, EveryWriteReplacesTheWholeFile) {
  const WorkDirectory directory;
  const std::string path = (directory.path() / kNeighbourCountsFileName).string();
  EXPECT_EQ(ReplaceTextFile(path, FormatNeighbourCounts(std::vector<std::int32_t>{5, 6, 7})), "");
  EXPECT_EQ(ReadText(path), "      5\n      6\n      7\n");
  EXPECT_EQ(ReplaceTextFile(path, FormatNeighbourCounts(std::vector<std::int32_t>{12})), "");
  EXPECT_EQ(ReadText(path), "     12\n");
}

TEST(ReplaceTextFileTest, FailuresNameTheFileAndTheCause) {
  const WorkDirectory directory;
  const std::string missing = (directory.path() / "no-such-directory" / "neighbors.txt").string();
  EXPECT_EQ(ReplaceTextFile(missing, "x"), "Cannot open the file " + missing + ": No such file or directory");
  if (fs::exists("/dev/full")) {
    // The write is buffered, so a full device shows at the write or the close.
    const std::string failure = ReplaceTextFile("/dev/full", std::string(100000, 'x'));
    EXPECT_NE(failure.find("/dev/full: No space left on device"), std::string::npos) << failure;
    EXPECT_NE(ReplaceTextFile("/dev/full", "      1\n"), "");
  }
}

}  // namespace
}  // namespace modelcheck
