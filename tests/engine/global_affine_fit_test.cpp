// The global affine fit in blocks: the least-squares solution of one matrix
// of every state to rounding, through several levels of reduced blocks; the
// same bits for any thread count; the plain fit bit for bit when one block
// holds every state; an exactly singular fit stopped as the solver stops it.
#include "engine/global_affine_fit.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "engine/local_model.h"
#include "errors/message_sink.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

// Lead s's coefficients from one factor of every state o = 1..M.
std::vector<double> WholeFit(const std::vector<double>& X, std::int32_t D, std::int32_t M, std::int32_t s) {
  std::vector<std::int32_t> Nb(static_cast<std::size_t>(M));
  std::iota(Nb.begin(), Nb.end(), 1);
  LocalFitWork work;
  FactoriseLocalFit(X, D, 1, Nb, M, work);
  const std::vector<double> any_state(static_cast<std::size_t>(D));
  PredictFromFactor(X, any_state, D, 1, Nb, M, s, work);
  return work.coef;
}

std::vector<std::uint64_t> Bits(const GlobalAffineFit& fit) {
  std::vector<std::uint64_t> bits;
  for (const double c : fit.coefficients) bits.push_back(std::bit_cast<std::uint64_t>(c));
  return bits;
}

TEST(GlobalAffineFitTest, BlocksReducedOverSeveralLevelsGiveTheWholeFitToRounding) {
  const std::vector<double> X = testing::HenonValues(2000);
  for (const std::int32_t D : {1, 2, 4}) {
    const std::int32_t L = 5;
    const std::int32_t M = 1900;
    // 16-row blocks: 1900 rows, then 118 * (D + 1), ... : three or more levels.
    const GlobalAffineFit fit = FitGlobalAffine(X, D, 1, M, L, 1, 16);
    for (std::int32_t s = 1; s <= L; ++s) {
      const std::vector<double> whole = WholeFit(X, D, M, s);
      const std::span<const double> blocked = fit.Lead(s);
      ASSERT_EQ(blocked.size(), whole.size());
      for (std::size_t j = 0; j < whole.size(); ++j)
        EXPECT_NEAR(blocked[j], whole[j], 1e-11 * (1.0 + std::abs(whole[j]))) << "D " << D << ", lead " << s;
    }
  }
}

TEST(GlobalAffineFitTest, TheSameBitsOnAnyNumberOfThreads) {
  const std::vector<double> X = testing::HenonValues(30000);
  const GlobalAffineFit one = FitGlobalAffine(X, 3, 1, 29000, 30, 1, 64);
  for (const int threads : {2, 3, 8}) EXPECT_EQ(Bits(FitGlobalAffine(X, 3, 1, 29000, 30, threads, 64)), Bits(one));
}

TEST(GlobalAffineFitTest, OneBlockIsThePlainFitBitForBit) {
  const std::vector<double> X = testing::HenonValues(3000);
  const std::int32_t D = 2;
  const std::int32_t M = 2900;
  ASSERT_LT(M, 2 * GlobalFitBlockRows(D, 30));
  const GlobalAffineFit fit = FitGlobalAffine(X, D, 1, M, 30, 2, GlobalFitBlockRows(D, 30));
  for (const std::int32_t s : {1, 7, 30}) {
    const std::vector<double> whole = WholeFit(X, D, M, s);
    for (std::size_t j = 0; j < whole.size(); ++j)
      EXPECT_EQ(std::bit_cast<std::uint64_t>(fit.Lead(s)[j]), std::bit_cast<std::uint64_t>(whole[j])) << s;
  }
}

TEST(GlobalAffineFitTest, AnExactlySingularFitStopsAsTheSolverDoes) {
  // All zeros: the columns of the state values vanish in every block.
  const std::vector<double> X(300, 0.0);
  for (const std::int32_t block_rows : {8, 4096}) {
    StopCapture capture;
    try {
      FitGlobalAffine(X, 2, 1, 250, 3, 2, block_rows);
      ADD_FAILURE() << "no stop with blocks of " << block_rows;
    } catch (const CapturedStop& stop) {
      // FATAL 1: R has an exactly zero diagonal element, the last one first.
      EXPECT_EQ(stop.routine, "DLQRSL") << stop.messages;
      EXPECT_EQ(stop.code, 1);
      EXPECT_EQ(stop.values, std::vector<int>{3});
    }
  }
}

}  // namespace
}  // namespace modelcheck
