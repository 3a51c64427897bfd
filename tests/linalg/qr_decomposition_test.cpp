// QR decomposition: A * P = Q * R on random matrices of every shape, the pivot
// rule, fixed columns, zero columns, in-place use, and the argument errors.
#include "linalg/qr_decomposition.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "linalg_test_support.h"
#include "support/child_process.h"
#include "support/sanitizer.h"

namespace modelcheck {
namespace {

// Householder QR is backward stable: the product matches A to a small
// multiple of the rounding unit times the matrix size.
constexpr double kReconstructionTolerance = 1e-13;
// Downdated column norms may drift a little from the true remaining norms.
constexpr double kPivotSlack = 1e-10;

struct Decomposition {
  std::vector<double> qr;
  std::vector<double> hhaux;
  std::vector<double> colnrm;
  std::vector<int> jperm;
};

Decomposition Decompose(int nra, int nca, const std::vector<double>& a, bool pivot, std::vector<int> jperm = {}) {
  Decomposition d{.qr = std::vector<double>(a.size()),
                  .hhaux = std::vector<double>(static_cast<std::size_t>(nca), -99.0),
                  .colnrm = std::vector<double>(static_cast<std::size_t>(nca)),
                  .jperm = jperm.empty() ? std::vector<int>(static_cast<std::size_t>(nca)) : jperm};
  DLQRRR(nra, nca, a, nra, pivot, d.jperm, d.qr, nra, d.hhaux, d.colnrm);
  return d;
}

double At(const std::vector<double>& a, int nra, int i, int j) {
  return a[static_cast<std::size_t>(j) * static_cast<std::size_t>(nra) + static_cast<std::size_t>(i)];
}

// Largest |Q R - A P| relative to the largest |A|.
double ReconstructionError(const std::vector<double>& a, int nra, int nca, const Decomposition& d, bool pivot) {
  const auto product = testing::ReconstructProduct(d.qr, nra, d.hhaux, nra, nca);
  double scale = 0.0;
  double error = 0.0;
  for (int j = 0; j < nca; ++j) {
    const int column = pivot ? d.jperm[static_cast<std::size_t>(j)] - 1 : j;
    for (int i = 0; i < nra; ++i) {
      const long double diff = product[static_cast<std::size_t>(j * nra + i)] - At(a, nra, i, column);
      error = std::max(error, static_cast<double>(std::fabs(diff)));
      scale = std::max(scale, std::fabs(At(a, nra, i, column)));
    }
  }
  return error / scale;
}

// Norm of rows l.. of column k of R: what was left of column k when step l chose.
double RemainingNorm(const Decomposition& d, int nra, int l, int k) {
  double sum = 0.0;
  for (int i = l; i <= std::min(k, nra - 1); ++i) sum += At(d.qr, nra, i, k) * At(d.qr, nra, i, k);
  return std::sqrt(sum);
}

struct Shape {
  int nra;
  int nca;
};

TEST(QrDecomposition, ReconstructsRandomMatricesWithAndWithoutPivoting) {
  const Shape shapes[] = {{1, 1}, {5, 1}, {7, 3}, {30, 6}, {4, 4}, {12, 12}, {3, 5}, {2, 9}};
  std::uint64_t seed = 1000;
  for (const Shape s : shapes) {
    for (bool pivot : {false, true}) {
      ++seed;
      SCOPED_TRACE("seed " + std::to_string(seed) + " " + std::to_string(s.nra) + "x" + std::to_string(s.nca) +
                   (pivot ? " pivoting" : ""));
      const auto a = testing::RandomMatrix(s.nra, s.nca, seed);
      const Decomposition d = Decompose(s.nra, s.nca, a, pivot);
      EXPECT_LE(ReconstructionError(a, s.nra, s.nca, d, pivot), kReconstructionTolerance);
      for (int l = 0; l < std::min(s.nra, s.nca); ++l) {
        const double first = d.hhaux[static_cast<std::size_t>(l)];
        const bool in_range = l + 1 < s.nra ? first >= 1.0 && first <= 2.0 : first == 0.0;
        EXPECT_TRUE(in_range) << "HHAUX(" << l + 1 << ") = " << first;
      }
    }
  }
}

TEST(QrDecomposition, PivotingTakesTheLargestRemainingNormFirst) {
  for (std::uint64_t seed = 2000; seed < 2010; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const int nra = 9;
    const int nca = 6;
    auto a = testing::RandomMatrix(nra, nca, seed);
    // Spread the column sizes so that the order is far from the natural one.
    for (int j = 0; j < nca; ++j) {
      for (int i = 0; i < nra; ++i) a[static_cast<std::size_t>(j * nra + i)] *= 1.0 + (j * 7 % 5);
    }
    const Decomposition d = Decompose(nra, nca, a, true);
    for (int l = 0; l < nca; ++l) {
      for (int k = l + 1; k < nca; ++k) {
        EXPECT_GE(std::fabs(At(d.qr, nra, l, l)) * (1.0 + kPivotSlack), RemainingNorm(d, nra, l, k))
            << "step " << l + 1 << " column " << k + 1;
      }
    }
  }
}

TEST(QrDecomposition, PivotOrderByHandAndTiesKeepTheNaturalOrder) {
  const std::vector<double> diagonal = {1, 0, 0, 0, 3, 0, 0, 0, 2};
  const Decomposition d = Decompose(3, 3, diagonal, true);
  EXPECT_EQ(d.jperm, (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(d.qr[0], -3.0);

  // Equal norms never exchange columns: same result as without pivoting.
  const std::vector<double> identity = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  const Decomposition pivoted = Decompose(3, 3, identity, true);
  const Decomposition plain = Decompose(3, 3, identity, false);
  EXPECT_EQ(pivoted.jperm, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(pivoted.qr, plain.qr);
}

TEST(QrDecomposition, FixedColumnsStayWhereTheirCodesPutThem) {
  const int nra = 6;
  const int nca = 4;
  auto a = testing::RandomMatrix(nra, nca, 3001);
  // Final column 2 largest, initial column 3 smallest, free column 1 above free column 4.
  const double scale[] = {10.0, 100.0, 0.01, 1.0};
  for (int j = 0; j < nca; ++j) {
    for (int i = 0; i < nra; ++i) a[static_cast<std::size_t>(j * nra + i)] *= scale[j];
  }
  const Decomposition d = Decompose(nra, nca, a, true, {0, -1, 1, 0});
  EXPECT_EQ(d.jperm, (std::vector<int>{3, 1, 4, 2}));
  EXPECT_LE(ReconstructionError(a, nra, nca, d, true), kReconstructionTolerance);
  // Column norms are taken after the fixed columns are moved: order 3, 4, 1, 2.
  const int arranged[] = {3, 4, 1, 2};
  for (int k = 0; k < nca; ++k) {
    double sum = 0.0;
    for (int i = 0; i < nra; ++i) sum += std::pow(At(a, nra, i, arranged[k] - 1), 2);
    EXPECT_NEAR(d.colnrm[static_cast<std::size_t>(k)], std::sqrt(sum), 1e-14 * std::sqrt(sum));
  }
}

TEST(QrDecomposition, ZeroColumnGetsNoReflectorAndLaterColumnsStillDo) {
  auto a = testing::RandomMatrix(4, 3, 4001);
  for (int i = 0; i < 4; ++i) a[static_cast<std::size_t>(4 + i)] = 0.0;
  const Decomposition d = Decompose(4, 3, a, false);
  EXPECT_EQ(d.hhaux[1], 0.0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(At(d.qr, 4, i, 1), 0.0) << i;
  EXPECT_GE(d.hhaux[2], 1.0);
  EXPECT_LE(ReconstructionError(a, 4, 3, d, false), kReconstructionTolerance);
}

TEST(QrDecomposition, DiagonalSignIsOppositeToThePivotElement) {
  EXPECT_EQ(Decompose(3, 1, {0, 3, 4}, false).qr[0], -5.0);
  EXPECT_EQ(Decompose(2, 1, {-3, 4}, false).qr[0], 5.0);
}

TEST(QrDecomposition, SingleRowIsLeftAsItIs) {
  const std::vector<double> a = {2, -3, 4};
  const Decomposition d = Decompose(1, 3, a, false);
  EXPECT_EQ(d.qr, a);
  EXPECT_EQ(d.hhaux, (std::vector<double>{0, -99, -99}));
  EXPECT_EQ(d.colnrm, (std::vector<double>{2, 3, 4}));
}

TEST(QrDecomposition, PermutationUntouchedWithoutPivoting) {
  const auto a = testing::RandomMatrix(5, 3, 5001);
  const Decomposition d = Decompose(5, 3, a, false, {5, -9, 0});
  EXPECT_EQ(d.jperm, (std::vector<int>{5, -9, 0}));
  std::vector<double> hhaux(3);
  std::vector<double> colnrm(3);
  std::vector<double> qr(15);
  DLQRRR(5, 3, a, 5, false, std::span<int>(), qr, 5, hhaux, colnrm);
  EXPECT_EQ(qr, d.qr);
}

TEST(QrDecomposition, InPlaceGivesTheSameResult) {
  for (bool pivot : {false, true}) {
    const auto a = testing::RandomMatrix(8, 5, 6001);
    const Decomposition separate = Decompose(8, 5, a, pivot);
    std::vector<double> shared = a;
    std::vector<double> hhaux(5);
    std::vector<double> colnrm(5);
    std::vector<int> jperm(5);
    DLQRRR(8, 5, shared, 8, pivot, jperm, shared, 8, hhaux, colnrm);
    EXPECT_EQ(shared, separate.qr) << pivot;
    EXPECT_EQ(hhaux, separate.hhaux) << pivot;
    EXPECT_EQ(jperm, separate.jperm) << pivot;
  }
}

// The engine factorises without pivoting in its own workspace and asks for no
// column norms; the factor must be the one DLQRRR gives, bit for bit.
TEST(QrDecomposition, WithoutNormsInCallersWorkspaceGivesTheSameFactor) {
  const auto a = testing::RandomMatrix(9, 4, 7001);
  const Decomposition full = Decompose(9, 4, a, false);
  std::vector<double> qr = a;
  std::vector<double> hhaux(4, -99.0);
  std::vector<double> work(3);
  L2RRR(9, 4, qr, 9, false, {}, qr, 9, hhaux, {}, work);
  EXPECT_EQ(qr, full.qr);
  EXPECT_EQ(hhaux, full.hhaux);
}

TEST(QrDecompositionErrors, NoRowsPrintsTheMessageWithTracebackAndStops) {
  const auto result = testing::RunInChild([] {
    std::vector<double> hhaux(3);
    std::vector<double> colnrm(3);
    DLQRRR(0, 3, std::span<const double>(), 1, false, std::span<int>(), std::span<double>(), 1, hhaux, colnrm);
  });
  const std::string expected =
      "\n"
      " *** TERMINAL ERROR 1 from DL2RRR.  Both the number of rows and the number of\n"
      " ***          columns of the input matrix must be positive while NRA = 0 and\n"
      " ***          NCA = 3 are given.\n"
      "     Here is a traceback of subprogram calls in reverse order:\n"
      "     Routine name                    Error type  Error code\n"
      "     ------------                    ----------  ----------\n"
      "     DL2RRR                               5           1    (Called internally)\n"
      "     DLQRRR                               0           0\n"
      "     USER                                 0           0\n";
  EXPECT_TRUE(result.exited);
  EXPECT_NE(result.status, 0);
  EXPECT_EQ(testing::WithoutTrailingBlanks(result.output), expected);
}

TEST(QrDecompositionErrors, EachBadDimensionIsReportedByItsRoutine) {
  const auto no_columns = testing::RunInChild([] {
    DLQRRR(3, 0, std::span<const double>(), 3, false, std::span<int>(), std::span<double>(), 3, std::span<double>(),
           std::span<double>());
  });
  EXPECT_NE(no_columns.status, 0);
  EXPECT_NE(no_columns.output.find("TERMINAL ERROR 1 from DLQRRR"), std::string::npos);
  EXPECT_NE(no_columns.output.find("NCA = 0"), std::string::npos) << no_columns.output;
  EXPECT_EQ(no_columns.output.find("DL2RRR"), std::string::npos) << no_columns.output;

  const auto short_qr = testing::RunInChild([] {
    std::vector<double> a(6);
    std::vector<double> qr(6);
    std::vector<double> aux(2);
    std::vector<double> work(1);
    L2RRR(3, 2, a, 3, false, std::span<int>(), qr, 2, aux, aux, work);
  });
  EXPECT_NE(short_qr.status, 0);
  EXPECT_NE(short_qr.output.find("TERMINAL ERROR 3 from DL2RRR"), std::string::npos) << short_qr.output;
  EXPECT_NE(short_qr.output.find("NRA = 3 and LDQR ="), std::string::npos) << short_qr.output;
}

TEST(QrDecompositionErrors, WorkspaceThatCannotBeObtainedIsReported) {
  // The sanitizer reserves address space of its own and stops on a failed
  // allocation instead of throwing.
  if (testing::kAddressSanitizer) GTEST_SKIP() << "address space limits clash with the sanitizer";
  const auto result = testing::RunInChild([] {
    // 4 GiB of address space is far too little for 2 * NCA - 1 doubles.
    const rlimit limit{.rlim_cur = rlim_t{4} << 30, .rlim_max = rlim_t{4} << 30};
    setrlimit(RLIMIT_AS, &limit);
    const int nca = std::numeric_limits<int>::max();
    DLQRRR(1, nca, std::span<const double>(), 1, true, std::span<int>(), std::span<double>(), 1, std::span<double>(),
           std::span<double>());
  });
  EXPECT_TRUE(result.exited);
  EXPECT_NE(result.status, 0);
  EXPECT_NE(result.output.find("TERMINAL ERROR 2 from DLQRRR.  The required storage"), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("NCA = 2147483647"), std::string::npos) << result.output;
}

}  // namespace
}  // namespace modelcheck
