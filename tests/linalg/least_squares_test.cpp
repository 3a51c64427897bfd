// Least-squares solution: coefficients against the normal equations, every
// output selected by IPATH, untouched outputs, the restored diagonal, and the
// singular and argument errors.
#include "linalg/least_squares.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "linalg/qr_decomposition.h"
#include "linalg_test_support.h"
#include "support/child_process.h"
#include "support/singular_message.h"

namespace modelcheck {
namespace {

using testing::kSingularMessage;

// Random problems here have condition numbers below about 100, so double
// precision results agree with the long-double reference far closer than this.
constexpr double kSolutionTolerance = 1e-10;
// Marks array elements that a call must not write.
constexpr double kUntouched = 12345.0;

struct Problem {
  int nra;
  int nca;
  std::vector<double> a;
  std::vector<double> y;
  std::vector<double> qr;
  std::vector<double> hhaux;
};

Problem MakeProblem(int nra, int nca, std::uint64_t seed) {
  Problem p{.nra = nra,
            .nca = nca,
            .a = testing::RandomMatrix(nra, nca, seed),
            .y = testing::RandomMatrix(nra, 1, seed + 7919),
            .qr = {},
            .hhaux = {}};
  p.qr = p.a;
  p.hhaux.assign(static_cast<std::size_t>(nca), 0.0);
  std::vector<double> colnrm(static_cast<std::size_t>(nca));
  DLQRRR(nra, nca, p.qr, nra, false, std::span<int>(), p.qr, nra, p.hhaux, colnrm);
  return p;
}

struct Results {
  std::vector<double> qrhs;
  std::vector<double> qtrhs;
  std::vector<double> coef;
  std::vector<double> resid;
  std::vector<double> fitv;
};

Results Solve(Problem& p, int kbasis, int ipath) {
  const auto n = static_cast<std::size_t>(p.nra);
  Results r{.qrhs = std::vector<double>(n, kUntouched),
            .qtrhs = std::vector<double>(n, kUntouched),
            .coef = std::vector<double>(static_cast<std::size_t>(kbasis), kUntouched),
            .resid = std::vector<double>(n, kUntouched),
            .fitv = std::vector<double>(n, kUntouched)};
  DLQRSL(p.nra, kbasis, p.qr, p.nra, p.hhaux, p.y, ipath, r.qrhs, r.qtrhs, r.coef, r.resid, r.fitv);
  return r;
}

void ExpectClose(const std::vector<double>& actual, const std::vector<long double>& expected, const char* what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < actual.size(); ++i) {
    const double bound = kSolutionTolerance * std::max(1.0, std::fabs(static_cast<double>(expected[i])));
    EXPECT_NEAR(actual[i], static_cast<double>(expected[i]), bound) << what << " " << i + 1;
  }
}

// Q y or Q^T y with the reflectors 1..min(NRA - 1, k), independently of DLQRSL.
std::vector<long double> Rotated(const Problem& p, int k, bool transposed) {
  std::vector<long double> v(p.y.begin(), p.y.end());
  testing::ApplyQ(p.qr, p.nra, p.hhaux, std::min(p.nra - 1, k), p.nra, 1, v, transposed);
  return v;
}

TEST(LeastSquares, RandomProblemsAgreeWithTheNormalEquations) {
  std::mt19937_64 sizes(77);
  for (std::uint64_t seed = 100; seed < 140; ++seed) {
    const int nra = 2 + static_cast<int>(sizes() % 30);
    const int nca = 1 + static_cast<int>(sizes() % static_cast<std::uint64_t>(std::min(nra, 6)));
    const int kbasis = 1 + static_cast<int>(sizes() % static_cast<std::uint64_t>(nca));
    SCOPED_TRACE("seed " + std::to_string(seed) + " NRA " + std::to_string(nra) + " NCA " + std::to_string(nca) +
                 " KBASIS " + std::to_string(kbasis));
    Problem p = MakeProblem(nra, nca, seed);
    const Results r = Solve(p, kbasis, 11111);
    const auto x = testing::NormalEquationSolution(p.a, nra, kbasis, p.y);
    ExpectClose(r.coef, x, "COEF");
    std::vector<long double> fit(static_cast<std::size_t>(nra), 0.0L);
    std::vector<long double> resid(static_cast<std::size_t>(nra));
    for (std::size_t i = 0; i < fit.size(); ++i) {
      for (int j = 0; j < kbasis; ++j) {
        fit[i] += p.a[static_cast<std::size_t>(j * nra) + i] * x[static_cast<std::size_t>(j)];
      }
      resid[i] = p.y[i] - fit[i];
    }
    ExpectClose(r.fitv, fit, "FITV");
    ExpectClose(r.resid, resid, "RESID");
    ExpectClose(r.qrhs, Rotated(p, kbasis, false), "QRHS");
    ExpectClose(r.qtrhs, Rotated(p, kbasis, true), "QTRHS");
  }
}

TEST(LeastSquares, EachPathDigitProducesExactlyItsOutputs) {
  Problem p = MakeProblem(9, 4, 501);
  const Results all = Solve(p, 3, 11111);
  for (int ipath : {100, 1, 10000, 10, 1000, 11, 10100, 20003, 11111}) {
    SCOPED_TRACE(ipath);
    const Results r = Solve(p, 3, ipath);
    auto check = [](bool on, const std::vector<double>& got, const std::vector<double>& full) {
      if (on) {
        EXPECT_EQ(got, full);
      } else {
        EXPECT_TRUE(std::all_of(got.begin(), got.end(), [](double v) { return v == kUntouched; }));
      }
    };
    check(ipath / 10000 != 0, r.qrhs, all.qrhs);
    check(ipath % 10000 != 0, r.qtrhs, all.qtrhs);
    check(ipath % 1000 / 100 != 0, r.coef, all.coef);
    check(ipath % 100 / 10 != 0, r.resid, all.resid);
    check(ipath % 10 != 0, r.fitv, all.fitv);
  }
}

TEST(LeastSquares, DecompositionIsRestoredAndOneScratchArrayServesTheCallers) {
  Problem p = MakeProblem(12, 4, 601);
  const std::vector<double> before = p.qr;
  const Results separate = Solve(p, 4, 111);
  EXPECT_EQ(p.qr, before);

  std::vector<double> scratch(12, kUntouched);
  std::vector<double> coef(4);
  DLQRSL(12, 4, p.qr, 12, p.hhaux, p.y, 100, scratch, scratch, coef, scratch, scratch);
  EXPECT_EQ(coef, separate.coef);
  EXPECT_EQ(p.qr, before);
}

TEST(LeastSquares, IdentityReflectorsLeaveTheRightHandSideAsItIs) {
  // R = [2 1; 0 4]; no reflectors, so entries below the diagonal are never read.
  std::vector<double> qr = {2, 99, 99, 1, 4, 99};
  const std::vector<double> hhaux = {0, 0};
  const std::vector<double> y = {4, 8, 5};
  std::vector<double> qrhs(3), qtrhs(3), coef(2), resid(3), fitv(3);
  DLQRSL(3, 2, qr, 3, hhaux, y, 11111, qrhs, qtrhs, coef, resid, fitv);
  EXPECT_EQ(qrhs, y);
  EXPECT_EQ(qtrhs, y);
  EXPECT_EQ(coef, (std::vector<double>{1, 2}));
  EXPECT_EQ(resid, (std::vector<double>{0, 0, 5}));
  EXPECT_EQ(fitv, (std::vector<double>{4, 8, 0}));
}

TEST(LeastSquares, SquareSystemsAndSingleRows) {
  Problem square = MakeProblem(5, 5, 701);
  const Results r = Solve(square, 5, 111);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(r.resid[i], 0.0);
    EXPECT_NEAR(r.fitv[i], square.y[i], kSolutionTolerance);
  }

  std::vector<double> qr = {4};
  std::vector<double> qrhs(1), qtrhs(1), coef(1), resid(1, kUntouched), fitv(1);
  DLQRSL(1, 1, qr, 1, std::span<const double>(), std::vector<double>{2}, 11111, qrhs, qtrhs, coef, resid, fitv);
  EXPECT_EQ(coef[0], 0.5);
  EXPECT_EQ(qrhs[0], 2.0);
  EXPECT_EQ(qtrhs[0], 2.0);
  EXPECT_EQ(resid[0], 0.0);
  EXPECT_EQ(fitv[0], 2.0);
}

TEST(LeastSquaresErrors, ExactlySingularFactorPrintsTheIndexAndStops) {
  const auto result = testing::RunInChild([] {
    auto a = testing::RandomMatrix(4, 3, 801);
    for (std::size_t i = 8; i < 12; ++i) a[i] = 0.0;
    std::vector<double> hhaux(3), colnrm(3), scratch(4), coef(3);
    DLQRRR(4, 3, a, 4, false, std::span<int>(), a, 4, hhaux, colnrm);
    DLQRSL(4, 3, a, 4, hhaux, std::vector<double>{1, 2, 3, 4}, 100, scratch, scratch, coef, scratch, scratch);
  });
  EXPECT_TRUE(result.exited);
  EXPECT_NE(result.status, 0);
  EXPECT_EQ(testing::WithoutTrailingBlanks(result.output), kSingularMessage);

  const auto single = testing::RunInChild([] {
    std::vector<double> qr = {0}, scratch(1), coef(1);
    DLQRSL(1, 1, qr, 1, std::span<const double>(), std::vector<double>{1}, 100, scratch, scratch, coef, scratch,
           scratch);
  });
  std::string expected = kSingularMessage;
  expected.replace(expected.rfind('3'), 1, "1");
  EXPECT_NE(single.status, 0);
  EXPECT_EQ(testing::WithoutTrailingBlanks(single.output), expected);
}

TEST(LeastSquaresErrors, BadArgumentsArePrintedAndStopTheProgram) {
  for (int ipath : {0, 100000}) {
    const auto result = testing::RunInChild([ipath] {
      std::vector<double> qr(4), v(2);
      DLQRSL(2, 2, qr, 2, v, v, ipath, v, v, v, v, v);
    });
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("TERMINAL ERROR 4 from DLQRSL"), std::string::npos);
    EXPECT_NE(result.output.find("a value of " + std::to_string(ipath) + " is given."), std::string::npos)
        << result.output;
  }
  // A bad dimension and a bad path in one call: both messages are printed.
  const auto both = testing::RunInChild([] {
    DLQRSL(0, 1, std::span<double>(), 1, std::span<const double>(), std::span<const double>(), 0, std::span<double>(),
           std::span<double>(), std::span<double>(), std::span<double>(), std::span<double>());
  });
  EXPECT_NE(both.status, 0);
  EXPECT_NE(both.output.find("TERMINAL ERROR 1 from DLQRSL"), std::string::npos) << both.output;
  EXPECT_NE(both.output.find("TERMINAL ERROR 4 from DLQRSL"), std::string::npos) << both.output;
}

TEST(LeastSquaresErrors, BasisWiderThanTheRowsStopsInsteadOfReadingPastTheArrays) {
  const auto result = testing::RunInChild([] {
    std::vector<double> qr(6), hhaux(3), y(2), v(2), coef(3);
    DLQRSL(2, 3, qr, 2, hhaux, y, 100, v, v, coef, v, v);
  });
  EXPECT_FALSE(result.exited && result.status == 0);
  EXPECT_EQ(result.output, "");
}

}  // namespace
}  // namespace modelcheck
