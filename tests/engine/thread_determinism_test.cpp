// Thread counts: every figure of a whole check is the one-thread figure to
// the last bit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_input.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

TEST(ThreadDeterminismTest, EveryThreadCountGivesTheOneThreadResultBitForBit) {
  const std::vector<double> series = testing::HenonValues(20000);
  const ModelSettings settings{.Ntrain = 19000, .D = 2, .eps = 0.02, .Ltest = 30, .Ktest = 400};
  const CheckResult one = CheckSeries(series, settings, {.threads = 1, .progress = {}});
  ASSERT_TRUE(one.finished());
  ASSERT_EQ(one.orbit.size(), 430u);
  ASSERT_EQ(one.iterative.neighbour_counts.size(), 400u * 30u);
  ASSERT_EQ(one.direct.neighbour_counts.size(), 400u);
  ASSERT_EQ(one.direct.first_piece.size(), 30u);
  for (const int threads : {2, 3, 4, 7, 0}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    testing::ExpectSameResult(CheckSeries(series, settings, {.threads = threads, .progress = {}}), one);
  }
}

}  // namespace
}  // namespace modelcheck
