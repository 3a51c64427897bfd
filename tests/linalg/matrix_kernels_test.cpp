// Matrix kernels: products checked by hand with padded leading dimensions and
// strided vectors, the early returns, and the argument errors (first only).
#include "linalg/matrix_kernels.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "linalg/vector_kernels.h"
#include "support/child_process.h"

namespace modelcheck {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A = [1 2 3; 4 5 6] with leading dimension 3; the padding row must never be read.
const std::vector<double> kMatrix = {1, 4, kNaN, 2, 5, kNaN, 3, 6, kNaN};

int Count(const std::string& text, const std::string& word) {
  int n = 0;
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
  return n;
}

TEST(MatrixVectorProduct, PlainAndTransposedByHand) {
  std::vector<double> y = {10, 20};
  DGEMV('N', 2, 3, 2.0, kMatrix, 3, std::vector<double>{1, 1, 1}, 1, 0.5, y, 1);
  EXPECT_EQ(y, (std::vector<double>{2 * 6 + 5, 2 * 15 + 10}));

  // x walked from its far end: A * (3, 2, 1); y every second element.
  std::vector<double> strided = {0, -1, 0};
  DGEMV('n', 2, 3, 1.0, kMatrix, 3, std::vector<double>{1, 2, 3}, -1, 1.0, strided, 2);
  EXPECT_EQ(strided, (std::vector<double>{10, -1, 28}));

  // BETA = 0 clears y without multiplying, so NaN in y does not survive.
  for (char trans : {'T', 't', 'C'}) {
    std::vector<double> z = {kNaN, kNaN, kNaN};
    DGEMV(trans, 2, 3, 1.0, kMatrix, 3, std::vector<double>{1, -1}, 1, 0.0, z, 1);
    EXPECT_EQ(z, (std::vector<double>{-3, -3, -3})) << trans;
  }
}

TEST(MatrixVectorProduct, EarlyReturnsLeaveYAlone) {
  std::vector<double> y = {kNaN, 7};
  DGEMV('N', 0, 3, 1.0, kMatrix, 3, std::vector<double>{1, 1, 1}, 1, 0.0, y, 1);
  DGEMV('N', 2, 0, 1.0, kMatrix, 3, std::vector<double>{}, 1, 0.0, y, 1);
  DGEMV('N', 2, 3, 0.0, kMatrix, 3, std::vector<double>{kNaN, 1, 1}, 1, 1.0, y, 1);
  EXPECT_TRUE(std::isnan(y[0]));
  EXPECT_EQ(y[1], 7.0);

  // ALPHA = 0 only scales y; A and x are not read.
  std::vector<double> z = {1, 2};
  const std::vector<double> poison(9, kNaN);
  DGEMV('N', 2, 3, 0.0, poison, 3, std::vector<double>{kNaN, kNaN, kNaN}, 1, 2.0, z, 1);
  EXPECT_EQ(z, (std::vector<double>{2, 4}));
}

TEST(RankOneUpdate, ByHandAndEarlyReturn) {
  std::vector<double> a = {1, 1, kNaN, 1, 1, kNaN};
  DGER(2, 2, 2.0, std::vector<double>{1, 2}, 1, std::vector<double>{3, 4}, -1, a, 3);
  EXPECT_EQ(a[0], 1 + 2 * 1 * 4.0);
  EXPECT_EQ(a[1], 1 + 2 * 2 * 4.0);
  EXPECT_EQ(a[3], 1 + 2 * 1 * 3.0);
  EXPECT_EQ(a[4], 1 + 2 * 2 * 3.0);
  EXPECT_TRUE(std::isnan(a[2]));

  std::vector<double> b = {1, 2, 3, 4};
  DGER(2, 2, 0.0, std::vector<double>{kNaN, 1}, 1, std::vector<double>{1, 1}, 1, b, 2);
  EXPECT_EQ(b, (std::vector<double>{1, 2, 3, 4}));
}

TEST(MatrixKernelErrors, OnlyTheFirstFailingCheckIsReportedAndTheProgramStops) {
  const auto dims = testing::RunInChild([] {
    std::vector<double> y(3);
    DGEMV('N', -1, 3, 1.0, kMatrix, 3, std::vector<double>{1, 1, 1}, 0, 0.0, y, 1);
  });
  EXPECT_TRUE(dims.exited);
  EXPECT_NE(dims.status, 0);
  EXPECT_NE(dims.output.find(" *** TERMINAL ERROR 1 from DGEMV.  M must be"), std::string::npos) << dims.output;
  EXPECT_EQ(Count(dims.output, " *** "), 2) << dims.output;
  EXPECT_EQ(dims.output.find("INCX"), std::string::npos) << dims.output;

  const auto trans = testing::RunInChild([] {
    std::vector<double> y(3);
    DGEMV('X', 2, 3, 1.0, kMatrix, 3, std::vector<double>{1, 1, 1}, 1, 0.0, y, 1);
  });
  EXPECT_NE(trans.status, 0);
  EXPECT_NE(trans.output.find("ERROR 6 from DGEMV"), std::string::npos) << trans.output;
  EXPECT_NE(trans.output.find("while X is given."), std::string::npos) << trans.output;

  // A blank TRANS is quoted as the one blank it is, not dropped.
  const auto blank = testing::RunInChild([] {
    std::vector<double> y(3);
    DGEMV(' ', 2, 3, 1.0, kMatrix, 3, std::vector<double>{1, 1, 1}, 1, 0.0, y, 1);
  });
  EXPECT_NE(blank.status, 0);
  EXPECT_NE(blank.output.find("while   is given."), std::string::npos) << blank.output;

  const auto ger = testing::RunInChild([] {
    std::vector<double> a(4);
    DGER(2, 2, 1.0, std::vector<double>{1, 1}, 0, std::vector<double>{1, 1}, 1, a, 1);
  });
  EXPECT_NE(ger.status, 0);
  EXPECT_NE(ger.output.find("ERROR 3 from DGER"), std::string::npos) << ger.output;
  EXPECT_NE(ger.output.find("LDA = 1 and M = 2"), std::string::npos) << ger.output;
}

// The transposed product takes its columns' dot products two at a time; each
// must still be DDOT's sum in element order, so y matches bit for bit.
TEST(MatrixVectorProduct, TransposedColumnsGiveDdotsSumsBitForBit) {
  constexpr std::uint64_t kSeed = 7;
  std::mt19937_64 random(kSeed);
  std::uniform_real_distribution<double> value(-1.0, 1.0);
  for (int trial = 0; trial < 500; ++trial) {
    const int m = 1 + static_cast<int>(random() % 300), n = 1 + static_cast<int>(random() % 6);
    const int lda = m + static_cast<int>(random() % 3);
    const double alpha = value(random);
    std::vector<double> a(static_cast<std::size_t>(lda * n)), x(static_cast<std::size_t>(m)),
        y(static_cast<std::size_t>(n));
    for (double& v : a) v = value(random);
    for (double& v : x) v = value(random);
    for (double& v : y) v = value(random);
    std::vector<double> expected = y;
    for (int j = 0; j < n; ++j) {
      const double dot = DDOT(m, std::span<const double>(a).subspan(static_cast<std::size_t>(j * lda)), 1, x, 1);
      expected[static_cast<std::size_t>(j)] = expected[static_cast<std::size_t>(j)] + alpha * dot;
    }
    DGEMV('T', m, n, alpha, a, lda, x, 1, 1.0, y, 1);
    for (int j = 0; j < n; ++j) {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(y[static_cast<std::size_t>(j)]),
                std::bit_cast<std::uint64_t>(expected[static_cast<std::size_t>(j)]))
          << "seed " << kSeed << ", trial " << trial << ", column " << j;
    }
  }
}

}  // namespace
}  // namespace modelcheck
