// The bundled example session through the console program: its transcript,
// report.txt and neighbors.txt byte for byte, each figure also recomputed
// by the independent reference.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/reference_predictor.h"

namespace modelcheck {
namespace {

namespace fs = std::filesystem;

const fs::path kGolden = fs::path(MODELCHECK_TEST_DATA_DIR) / "henon-example";

using testing::ReadText;

std::vector<double> ReadValues(const fs::path& path) {
  std::ifstream in(path);
  std::vector<double> values;
  for (double value; in >> value;) values.push_back(value);
  return values;
}

struct Check {
  int D;
  double eps;
  int Ltest;
  int Ktest;
};

// The three model checks that typed.txt asks for, in order.
const Check kChecks[] = {{2, 0.05, 30, 100}, {2, 0.05, 25, 50}, {3, 0.1, 25, 50}};
constexpr int kNtrain = 2000;

// The report lines of one check, from the reference's figures.
std::string ReferenceReportLines(const std::vector<double>& series, const Check& c, std::vector<int>& counts) {
  const auto test_begin = series.begin() + kNtrain;
  const testing::ReferenceSetup setup{.training = {series.begin(), test_begin},
                                      .test = {test_begin, test_begin + c.Ltest + c.Ktest + c.D - 1},
                                      .D = c.D,
                                      .eps = c.eps,
                                      .Ltest = c.Ltest,
                                      .Ktest = c.Ktest};
  const testing::ReferenceResult iterative = testing::ReferenceIterative(setup);
  const testing::ReferenceResult direct = testing::ReferenceDirect(setup);
  counts = direct.neighbour_counts;
  char text[512];
  std::snprintf(text, sizeof text,
                " Length of a test piece: Ltest = %5d\n Number of test pieces: Ktest = %4d\n"
                " One-step prediction error: %9.5f %%\n Prediction time (iterative method):  %5d\n"
                " Prediction time (direct method): %5d\n\n",
                c.Ltest, c.Ktest, 100.0 * iterative.errors[0], iterative.prediction_time, direct.prediction_time);
  return text;
}

class ExampleSessionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    work_ = std::make_unique<testing::WorkDirectory>();
    fs::copy_file(fs::path(MODELCHECK_EXAMPLES_DIR) / "henon.txt", directory() / "henon.txt");
    const std::string command = "cd '" + directory().string() + "' && timeout 120 '" MODELCHECK_PROGRAM "' < '" +
                                (kGolden / "typed.txt").string() + "' > transcript.txt";
    status_ = std::system(command.c_str());
  }
  static void TearDownTestSuite() { work_.reset(); }
  static const fs::path& directory() { return work_->path(); }

  static inline std::unique_ptr<testing::WorkDirectory> work_;
  static inline int status_ = -1;
};

TEST_F(ExampleSessionTest, OutputsMatchTheGoldenFilesByteForByte) {
  ASSERT_EQ(status_, 0);
  for (const char* name : {"transcript.txt", "report.txt", "neighbors.txt"}) {
    EXPECT_EQ(ReadText(directory() / name), ReadText(kGolden / name)) << name;
  }
}

TEST_F(ExampleSessionTest, GoldenFiguresAgreeWithTheIndependentReference) {
  const std::vector<double> series = ReadValues(fs::path(MODELCHECK_EXAMPLES_DIR) / "henon.txt");
  ASSERT_EQ(series.size(), 3000u);
  const std::string report = ReadText(kGolden / "report.txt");
  std::vector<int> counts;
  std::size_t from = 0;
  for (const Check& c : kChecks) {
    const std::string lines = ReferenceReportLines(series, c, counts);
    const std::size_t at = report.find(lines, from);
    EXPECT_NE(at, std::string::npos) << "D = " << c.D << ", Ltest = " << c.Ltest << ":\n" << lines;
    if (at != std::string::npos) from = at + lines.size();
  }
  std::string expected_counts;
  for (const int count : counts) {
    char line[16];
    std::snprintf(line, sizeof line, " %6d\n", count);
    expected_counts += line;
  }
  EXPECT_EQ(ReadText(kGolden / "neighbors.txt"), expected_counts);
}

}  // namespace
}  // namespace modelcheck
