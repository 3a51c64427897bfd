// Every lead of a factorised fit at once: bit for bit the lead-by-lead
// solve, over random neighbour lists, dimensions, leads and scales, and with
// a reflector-free column; a singular factor is recognised.
#include "engine/every_lead.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <vector>

#include "linalg/least_squares.h"

namespace modelcheck {
namespace {

TEST(EveryLeadTest, EachLeadIsBitForBitTheSolveOfThatLeadAlone) {
  std::mt19937_64 random(20261208);
  for (int trial = 0; trial < 300; ++trial) {
    const auto D = static_cast<std::int32_t>(1 + random() % 6);
    const auto L = static_cast<std::int32_t>(1 + random() % 40);
    const auto M = static_cast<std::int32_t>(D + 1 + random() % 400);
    const double scale = std::ldexp(1.0, static_cast<int>(random() % 40) - 20);
    std::uniform_real_distribution<double> value(-scale, scale);
    std::vector<double> X(static_cast<std::size_t>(M + D + L + 50));
    for (double& x : X) x = value(random);
    std::vector<std::int32_t> Nb;
    for (std::int32_t j = 0; j < M; ++j) Nb.push_back(static_cast<std::int32_t>(1 + random() % 50 + j));
    std::vector<double> Z(static_cast<std::size_t>(D));
    for (double& z : Z) z = value(random);
    SCOPED_TRACE("trial " + std::to_string(trial) + ": D " + std::to_string(D) + ", M " + std::to_string(M) + ", L " +
                 std::to_string(L));

    LocalFitWork work;
    FactoriseLocalFit(X, D, 1, Nb, M, work);
    ASSERT_FALSE(FactorIsSingular(work, M, D));
    std::vector<double> together(static_cast<std::size_t>(L));
    PredictEveryLead(X, Z, D, 1, Nb, M, work, together);
    for (std::int32_t s = 1; s <= L; ++s) {
      const double alone = PredictFromFactor(X, Z, D, 1, Nb, M, s, work);
      ASSERT_EQ(std::bit_cast<std::uint64_t>(together[static_cast<std::size_t>(s - 1)]),
                std::bit_cast<std::uint64_t>(alone))
          << "lead " << s;
    }
  }
}

// With exactly D + 1 neighbours the last column needs no reflector; the
// factor of a zero column is singular and left to the lead-by-lead solve.
TEST(EveryLeadTest, ASquareFitAndASingularFactor) {
  const std::vector<double> X = {1.0, 2.5, -0.5, 3.0, 4.0, -2.0, 0.25, 1.5, 2.0};
  const std::vector<std::int32_t> Nb = {1, 2, 3};
  const std::vector<double> Z = {0.5, 1.0};
  LocalFitWork work;
  FactoriseLocalFit(X, 2, 1, Nb, 3, work);
  ASSERT_FALSE(FactorIsSingular(work, 3, 2));
  std::vector<double> together(4);
  PredictEveryLead(X, Z, 2, 1, Nb, 3, work, together);
  for (std::int32_t s = 1; s <= 4; ++s)
    EXPECT_EQ(together[static_cast<std::size_t>(s - 1)], PredictFromFactor(X, Z, 2, 1, Nb, 3, s, work));

  const std::vector<double> flat = {0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 2.0};
  FactoriseLocalFit(flat, 1, 1, Nb, 3, work);
  EXPECT_TRUE(FactorIsSingular(work, 3, 1));
}

// Q^T y of every lead is the solver's, bit for bit, also when a column in the
// middle has no reflector (a zero column: the next reflector's sums then
// need a pass of their own).
TEST(EveryLeadTest, TransformedTargetsAreTheSolversEvenPastAColumnWithoutAReflector) {
  std::mt19937_64 random(20261209);
  std::uniform_real_distribution<double> value(-2.0, 2.0);
  const std::int32_t D = 3;
  const std::int32_t M = 40;
  const std::size_t L = 7;
  // Start indices 1, 4, 7, ...: X(o + 1) falls on every third value, all zero.
  std::vector<double> X(static_cast<std::size_t>(3 * M + D + L));
  for (std::size_t i = 0; i < X.size(); ++i) X[i] = i % 3 == 1 ? 0.0 : value(random);
  std::vector<std::int32_t> Nb;
  for (std::int32_t j = 0; j < M; ++j) Nb.push_back(1 + 3 * j);
  LocalFitWork work;
  FactoriseLocalFit(X, D, 1, Nb, M, work);
  ASSERT_EQ(work.hhaux[2], 0.0);
  ASSERT_NE(work.hhaux[3], 0.0);
  work.lead_targets.resize(static_cast<std::size_t>(M) * L);
  for (std::size_t j = 0; j < static_cast<std::size_t>(M); ++j)
    for (std::size_t r = 0; r < L; ++r) work.lead_targets[j * L + r] = X[static_cast<std::size_t>(Nb[j] + D - 1) + r];
  const std::vector<double> before = work.lead_targets;
  TransformLeadTargets(work, M, D, L);
  for (std::size_t r = 0; r < L; ++r) {
    std::vector<double> y(static_cast<std::size_t>(M)), qty(static_cast<std::size_t>(M));
    for (std::size_t j = 0; j < y.size(); ++j) y[j] = before[j * L + r];
    DLQRSL(M, D + 1, work.design, M, work.hhaux, y, 1000, {}, qty, {}, {}, {});
    for (std::size_t j = 0; j < y.size(); ++j)
      ASSERT_EQ(std::bit_cast<std::uint64_t>(work.lead_targets[j * L + r]), std::bit_cast<std::uint64_t>(qty[j]))
          << "lead " << r + 1 << ", row " << j + 1;
  }
}

}  // namespace
}  // namespace modelcheck
