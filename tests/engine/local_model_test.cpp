// Local affine model step: persistence, means, least-squares fits and the singular stop.
#include "engine/local_model.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace modelcheck {
namespace {

using Indices = std::vector<std::int32_t>;

// A fit of well-conditioned data reproduces exact values up to a few roundings.
constexpr double kFitTolerance = 1e-12;
// The reference solves the normal equations, which square the condition number.
constexpr double kReferenceTolerance = 1e-9;

double Predict(const std::vector<double>& X, const std::vector<double>& Z, const Indices& Nb, std::int32_t s,
               MeanRule rule = MeanRule::kDivideByCount) {
  LocalFitWork work;
  return PredictLocal(X, Z, static_cast<std::int32_t>(Z.size()), 1, Nb, static_cast<std::int32_t>(Nb.size()), s, work,
                      rule);
}

// Least squares through the normal equations, solved by Gaussian elimination
// with partial pivoting in long double; returns the D+1 coefficients.
std::vector<long double> ReferenceFit(const std::vector<double>& X, std::int32_t D, const Indices& Nb, std::int32_t s) {
  const std::size_t n = static_cast<std::size_t>(D) + 1;
  std::vector<std::vector<long double>> a(n, std::vector<long double>(n + 1, 0.0L));
  for (const std::int32_t o : Nb) {
    std::vector<long double> row = {1.0L};
    for (std::int32_t l = 1; l <= D; ++l) row.push_back(X[o + l - 2]);
    const long double target = X[o + D - 2 + s];
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = 0; j < n; ++j) a[i][j] += row[i] * row[j];
      a[i][n] += row[i] * target;
    }
  }
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t pivot = k;
    for (std::size_t i = k + 1; i < n; ++i) {
      if (std::fabs(a[i][k]) > std::fabs(a[pivot][k])) pivot = i;
    }
    std::swap(a[k], a[pivot]);
    for (std::size_t i = 0; i < n; ++i) {
      if (i == k) continue;
      const long double factor = a[i][k] / a[k][k];
      for (std::size_t j = k; j <= n; ++j) a[i][j] -= factor * a[k][j];
    }
  }
  std::vector<long double> coef(n);
  for (std::size_t i = 0; i < n; ++i) coef[i] = a[i][n] / a[i][i];
  return coef;
}

double ApplyReference(const std::vector<long double>& coef, const std::vector<double>& Z) {
  long double p = coef[0];
  for (std::size_t l = 0; l < Z.size(); ++l) p += coef[l + 1] * Z[l];
  return static_cast<double>(p);
}

TEST(PredictLocalTest, WithoutNeighboursRepeatsTheNewestValue) {
  const std::vector<double> X = {1.0, 2.0, 3.0, 4.0, 5.0};
  for (std::int32_t s : {1, 2, 7}) EXPECT_EQ(Predict(X, {9.0, -3.5}, {}, s), -3.5);
  EXPECT_EQ(Predict(X, {0.25}, {}, 1), 0.25);
}

// Up to D neighbours: the mean of their targets, summed in list order; the two
// rules round differently for 0.1 + 0.2 + 0.3.
TEST(PredictLocalTest, FewNeighboursGiveTheMeanOfTheirTargets) {
  const std::vector<double> X = {0.0, 0.0, 0.0, 0.1, 0.2, 0.3, 0.4};
  const std::vector<double> Z = {0.0, 0.0, 0.0};
  const double sum = (0.1 + 0.2) + 0.3;
  EXPECT_EQ(Predict(X, Z, {1, 2, 3}, 1), sum / 3);
  EXPECT_EQ(Predict(X, Z, {1, 2, 3}, 1, MeanRule::kMultiplyByReciprocal), sum * (1.0 / 3));
  EXPECT_NE(sum / 3, sum * (1.0 / 3));
  EXPECT_EQ(Predict(X, Z, {2}, 2), 0.3);      // lead 2: X(2 + 3 - 1 + 2)
  EXPECT_EQ(Predict(X, {5.0}, {3}, 1), 0.1);  // D = 1: one neighbour
}

// D + 1 affinely independent neighbours: the fit passes through every target.
TEST(PredictLocalTest, InterpolatesWithExactlyDPlusOneNeighbours) {
  const std::vector<double> X = {1.0, 2.0, 7.0, 3.0, 5.0, -1.0, 4.0};
  const Indices Nb = {1, 3, 5};
  EXPECT_NEAR(Predict(X, {1.0, 2.0}, Nb, 1), 7.0, kFitTolerance);
  EXPECT_NEAR(Predict(X, {7.0, 3.0}, Nb, 1), 5.0, kFitTolerance);
  EXPECT_NEAR(Predict(X, {5.0, -1.0}, Nb, 1), 4.0, kFitTolerance);
  const std::vector<double> Z = {2.5, 0.5};
  EXPECT_NEAR(Predict(X, Z, Nb, 1), ApplyReference(ReferenceFit(X, 2, Nb, 1), Z), kFitTolerance);
}

// D = 1 on the affine map x -> x/2 + 1: lead 1 and lead 2 (x -> x/4 + 3/2) are exact.
TEST(PredictLocalTest, OneDimensionalFitRecoversTheMapForEveryLead) {
  const std::vector<double> X = {0.0, 1.0, 1.5, 1.75, 1.875, 1.9375};
  EXPECT_NEAR(Predict(X, {0.3}, {4, 3, 2, 1}, 1), 1.15, kFitTolerance);
  EXPECT_NEAR(Predict(X, {0.3}, {4, 3, 2, 1}, 2), 1.575, kFitTolerance);
}

// A state equal to a training vector gets the fitted value there, not its successor.
TEST(PredictLocalTest, StateOnATrainingVectorGetsTheFittedValue) {
  std::mt19937_64 rng(2024);
  std::uniform_real_distribution<double> value(-1.0, 1.0);
  std::vector<double> X(60);
  for (double& x : X) x = value(rng);
  Indices Nb;
  for (std::int32_t o = 55; o >= 1; o -= 2) Nb.push_back(o);
  const std::vector<double> Z = {X[4], X[5], X[6]};  // the vector starting at o = 5
  const double p = Predict(X, Z, Nb, 1);
  EXPECT_NEAR(p, ApplyReference(ReferenceFit(X, 3, Nb, 1), Z), kReferenceTolerance);
  EXPECT_GT(std::fabs(p - X[7]), 1e-3);
}

// One work set serves fits of different sizes: shrinking must not leave stale rows.
TEST(PredictLocalTest, ReusedWorkGivesTheSameResultAsFreshWork) {
  std::mt19937_64 rng(17);
  std::uniform_real_distribution<double> value(0.0, 10.0);
  std::vector<double> X(40);
  for (double& x : X) x = value(rng);
  const std::vector<double> Z = {3.0, 4.0};
  LocalFitWork work;
  for (const Indices& Nb : {Indices{1, 5, 9, 13, 17, 21, 25, 29, 33}, Indices{2, 7, 30}, Indices{11, 3, 19, 6}}) {
    const double reused = PredictLocal(X, Z, 2, 1, Nb, static_cast<std::int32_t>(Nb.size()), 3, work);
    EXPECT_EQ(reused, Predict(X, Z, Nb, 3));
    EXPECT_NEAR(reused, ApplyReference(ReferenceFit(X, 2, Nb, 3), Z), kReferenceTolerance);
  }
}

// The direct test factorises once per neighbour list and solves for every
// lead; each lead must match a fresh fit bit for bit, over many random fits.
TEST(PredictLocalTest, OneFactorForEveryLeadMatchesAFreshFitBitForBit) {
  constexpr std::uint64_t kSeed = 4242;
  std::mt19937_64 rng(kSeed);
  std::uniform_real_distribution<double> value(-1.5, 1.5);
  std::vector<double> X(600);
  for (double& x : X) x = value(rng);
  LocalFitWork shared;
  for (int fit = 0; fit < 300; ++fit) {
    const auto D = static_cast<std::int32_t>(1 + rng() % 4);
    const std::int32_t leads = 1 + static_cast<std::int32_t>(rng() % 30);
    const auto M = static_cast<std::int32_t>(D + 1 + rng() % 250);
    Indices Nb(static_cast<std::size_t>(M));
    for (std::int32_t& o : Nb)
      o = 1 + static_cast<std::int32_t>(rng() % (X.size() - static_cast<std::size_t>(D + leads)));
    std::vector<double> Z(static_cast<std::size_t>(D));
    for (double& z : Z) z = value(rng);
    FactoriseLocalFit(X, D, 1, Nb, M, shared);
    for (std::int32_t s = 1; s <= leads; ++s) {
      const double once = PredictFromFactor(X, Z, D, 1, Nb, M, s, shared);
      const double fresh = Predict(X, Z, Nb, s);
      ASSERT_EQ(std::bit_cast<std::uint64_t>(once), std::bit_cast<std::uint64_t>(fresh))
          << "seed " << kSeed << ", fit " << fit << ", lead " << s;
    }
  }
}

// A neighbour list from a search with the wrong bound must stop before any
// row of the design matrix reads past the series (caught by the sanitizers).
TEST(PredictLocalDeathTest, NeighbourWithoutTargetStopsBeforeReadingItsRow) {
  const std::vector<double> X = {1.0, 2.0, 7.0, 3.0, 5.0, -1.0};
  for (const std::int32_t o : {6, 0}) {
    SCOPED_TRACE(o);
    EXPECT_DEATH(Predict(X, {1.0, 2.0}, {1, 3, o}, 1), "broken invariant");
  }
}

// Neighbours on a constant stretch make the constant column and the value
// columns exactly dependent: the fit cannot continue and the program stops.
TEST(PredictLocalTest, ExactlySingularFitStopsWithTheFatalMessage) {
  const std::vector<double> X(12, 2.0);
  const testing::ChildResult result = testing::RunInChild([&] { Predict(X, {2.0, 2.0}, {1, 2, 3, 4}, 1); });
  // Columns 2 and 3 vanish exactly under the first reflector; R(3,3) is met first.
  EXPECT_EQ(result.output,
            "\n"
            " *** FATAL    ERROR 1 from DLQRSL.  Computation of the least squares solution\n"
            " ***          has been requested but the upper triangular matrix R is exactly\n"
            " ***          singular; the index of the first zero diagonal element of R is\n"
            " ***          3.\n");
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, 1);
}

}  // namespace
}  // namespace modelcheck
