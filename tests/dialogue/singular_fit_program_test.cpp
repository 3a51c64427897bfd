// The console program stopped by an exactly singular local fit in the direct
// test: the message on standard output, and report.txt kept up to the stop.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/files.h"
#include "support/singular_fit_case.h"

namespace modelcheck {
namespace {

namespace fs = std::filesystem;

using testing::ReadText;

constexpr const char* kTyped = "series.txt\n10\n1\n0.5\n2\n1\nn\nn\nn\nn\n";

TEST(SingularFitProgramTest, StopsWithTheFatalMessageAndKeepsTheReport) {
  const testing::WorkDirectory work;
  const fs::path& directory = work.path();
  std::ofstream(directory / "series.txt") << testing::kSingularFitSeries;
  std::ofstream(directory / "typed.txt") << kTyped;
  const std::string command = "cd '" + directory.string() +
                              "' && timeout 60 '" MODELCHECK_PROGRAM "' < typed.txt > transcript.txt 2> errors.txt";
  const int wstatus = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(wstatus));
  EXPECT_NE(WEXITSTATUS(wstatus), 0);
  EXPECT_NE(WEXITSTATUS(wstatus), 124) << "the program waited instead of stopping";
  // p = 25 (the fit at 0) misses T(2) = 5 by 20, about 0.3468 standard deviations.
  EXPECT_EQ(ReadText(directory / "transcript.txt"),
            " Time series file (path, empty line to cancel): series.txt\n"
            " The time series contains    13 values\n"
            " 1) Length of a training series: Ntrain = 10\n"
            " 2) Dimension of a model map: D = 1\n"
            "    Box size: eps = 0.5\n"
            " 3) Current settings are:\n"
            "    Ltest =    30, Ktest =  100\n"
            " 4) The length of a test piece: Ltest = 2\n"
            "     The number of test pieces: Ktest = 1\n"
            " One-step prediction error:  34.68447 %\n"
            " Prediction time (iterative method):      0\n"
            "\n"
            " *** FATAL    ERROR 1 from DLQRSL.  Computation of the least squares solution\n"
            " ***          has been requested but the upper triangular matrix R is exactly\n"
            " ***          singular; the index of the first zero diagonal element of R is\n"
            " ***          2.\n"
            // What the user can do about it, in words of the model.
            " A local fit had identical or collinear neighbour states (typical of quantised data or of a box "
            "smaller than the quantisation step): try a larger eps or a smaller D.\n");
  EXPECT_EQ(ReadText(directory / "report.txt"), testing::kSingularFitReport);
  EXPECT_FALSE(fs::exists(directory / "neighbors.txt"));
}

}  // namespace
}  // namespace modelcheck
