// The one-sweep fit against the two routines it stands in for: the factor,
// HHAUX and the coefficients bit for bit, for affine design matrices (a
// column of ones first), general ones, square ones, a zero column, widely
// scaled columns and a singular factor.
#include "linalg/one_sweep_fit.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <span>
#include <vector>

#include "linalg/least_squares.h"
#include "linalg/qr_decomposition.h"
#include "linalg_test_support.h"

namespace modelcheck {
namespace {

struct Fit {
  std::vector<double> qr;
  std::vector<double> hhaux;
  std::vector<double> coef;
  int singular = 0;
};

// L2RRR without pivoting or norms, then DLQRSL for the coefficients, as the
// local model calls them; a singular factor is only found, not solved.
Fit TwoRoutines(int nra, int nca, std::vector<double> a, const std::vector<double>& y) {
  Fit fit{.qr = std::move(a), .hhaux = std::vector<double>(static_cast<std::size_t>(nca)), .coef = {}};
  std::vector<double> work(static_cast<std::size_t>(nca));
  L2RRR(nra, nca, fit.qr, nra, false, {}, fit.qr, nra, fit.hhaux, {}, work);
  for (int j = 1; j <= nca; ++j) {
    if (fit.qr[static_cast<std::size_t>((j - 1) * nra + (j - 1))] == 0.0) fit.singular = j;
  }
  if (fit.singular != 0) return fit;
  std::vector<double> scratch(static_cast<std::size_t>(nra));
  fit.coef.resize(static_cast<std::size_t>(nca));
  DLQRSL(nra, nca, fit.qr, nra, fit.hhaux, y, 100, scratch, scratch, fit.coef, scratch, scratch);
  return fit;
}

Fit OneSweep(int nra, int nca, std::vector<double> a, std::vector<double> y) {
  Fit fit{.qr = std::move(a), .hhaux = std::vector<double>(static_cast<std::size_t>(nca)), .coef = {}};
  std::vector<double> coef(static_cast<std::size_t>(nca));
  std::vector<double> work(static_cast<std::size_t>(nca));
  fit.singular = FactoriseAndSolve(nra, nca, fit.qr, nra, fit.hhaux, y, coef, work);
  if (fit.singular == 0) fit.coef = coef;
  return fit;
}

std::vector<std::uint64_t> Bits(const std::vector<double>& values) {
  std::vector<std::uint64_t> bits;
  for (const double v : values) bits.push_back(std::bit_cast<std::uint64_t>(v));
  return bits;
}

void ExpectSameBits(int nra, int nca, const std::vector<double>& a, const std::vector<double>& y) {
  SCOPED_TRACE(::testing::Message() << nra << " x " << nca);
  const Fit expected = TwoRoutines(nra, nca, a, y);
  const Fit actual = OneSweep(nra, nca, a, y);
  EXPECT_EQ(Bits(actual.qr), Bits(expected.qr));
  EXPECT_EQ(Bits(actual.hhaux), Bits(expected.hhaux));
  EXPECT_EQ(Bits(actual.coef), Bits(expected.coef));
  EXPECT_EQ(actual.singular, expected.singular);
}

std::vector<double> WithOnesFirst(std::vector<double> a, int nra) {
  for (int i = 0; i < nra; ++i) a[static_cast<std::size_t>(i)] = 1.0;
  return a;
}

TEST(OneSweepFitTest, GivesTheTwoRoutinesFiguresBitForBit) {
  std::uint64_t seed = 1;
  // Affine designs of every width the local model uses, up to more columns
  // than one group of products, and rows from the fewest to many.
  for (const int nca : {1, 2, 3, 4, 5, 6, 9}) {
    for (const int nra : {nca + 1, nca + 2, 17, 1001}) {
      if (nra < 2) continue;
      const std::vector<double> a = testing::RandomMatrix(nra, nca, seed);
      const std::vector<double> y = testing::RandomMatrix(nra, 1, seed + 500);
      ExpectSameBits(nra, nca, WithOnesFirst(a, nra), y);
      ExpectSameBits(nra, nca, a, y);
      ++seed;
    }
  }
  // Square: the last column gets no reflector.
  ExpectSameBits(4, 4, testing::RandomMatrix(4, 4, 99), testing::RandomMatrix(4, 1, 98));
}

TEST(OneSweepFitTest, KeepsTheTwoRoutinesWaysWithUnusualColumns) {
  const int nra = 40;
  std::vector<double> a = WithOnesFirst(testing::RandomMatrix(nra, 4, 7), nra);
  const std::vector<double> y = testing::RandomMatrix(nra, 1, 8);
  // Columns scaled far apart, one tiny enough that its norm takes the scaled way.
  for (int i = 0; i < nra; ++i) {
    a[static_cast<std::size_t>(2 * nra + i)] *= 1e150;
    a[static_cast<std::size_t>(3 * nra + i)] *= 1e-160;
  }
  ExpectSameBits(nra, 4, a, y);
  // A ones column that is not the first is an ordinary column.
  std::vector<double> b = testing::RandomMatrix(nra, 3, 9);
  for (int i = 0; i < nra; ++i) b[static_cast<std::size_t>(nra + i)] = 1.0;
  ExpectSameBits(nra, 3, b, y);
  // A first column of ones but for a negative one.
  std::vector<double> c = WithOnesFirst(testing::RandomMatrix(nra, 2, 10), nra);
  c[5] = -1.0;
  ExpectSameBits(nra, 2, c, y);
}

TEST(OneSweepFitTest, ReportsASingularFactorWhereTheSolverWould) {
  const int nra = 12;
  // A zero column gets no reflector and leaves a zero on the diagonal.
  std::vector<double> zero = WithOnesFirst(testing::RandomMatrix(nra, 3, 11), nra);
  for (int i = 0; i < nra; ++i) zero[static_cast<std::size_t>(nra + i)] = 0.0;
  const std::vector<double> y = testing::RandomMatrix(nra, 1, 12);
  ExpectSameBits(nra, 3, zero, y);
  EXPECT_EQ(OneSweep(nra, 3, zero, y).singular, 2);
  // Two equal columns: the second's remainder is exactly zero only by luck of
  // rounding, so only agreement with the two routines is asked for.
  std::vector<double> twice = WithOnesFirst(testing::RandomMatrix(nra, 3, 13), nra);
  for (int i = 0; i < nra; ++i) twice[static_cast<std::size_t>(2 * nra + i)] = twice[static_cast<std::size_t>(nra + i)];
  ExpectSameBits(nra, 3, twice, y);
}

}  // namespace
}  // namespace modelcheck
