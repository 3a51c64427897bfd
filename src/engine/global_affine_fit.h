// The global affine model's fit: the least-squares affine map from the
// states of start indices o = 1..M (values X(o), X(o+tau), ..., X(o+m),
// m = (D-1) tau) to their successors X(o+m+s), for every lead s = 1..L at
// once.
//
// The states are taken in fixed blocks of consecutive start indices, built
// straight from X: each block is factorised as a local fit is (Householder
// QR, rows in start-index order) and reduced to its triangular factor R and
// the first D + 1 rows of its leads' transformed targets. The reduced blocks,
// stacked in block order, are reduced the same way until one block is left,
// and that one is solved. Block boundaries depend only on M, D and L, never
// on the number of threads, so the coefficients are the same for any thread
// count and machine. A fit of at most one block's rows is the plain fit of
// every state, bit for bit what FactoriseLocalFit and PredictFromFactor give.
// Memory: one block per thread and D + 1 rows per block, never a matrix of
// every state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace modelcheck {

struct GlobalAffineFit {
  std::int32_t D = 0;
  std::vector<double> coefficients;  // lead s: D + 1 values from (s - 1) * (D + 1), the constant first

  std::span<const double> Lead(std::int32_t s) const {
    const auto width = static_cast<std::size_t>(D) + 1;
    return std::span<const double>(coefficients).subspan(static_cast<std::size_t>(s - 1) * width, width);
  }
};

// The rows of a block for these sizes: enough that the reduced blocks hold
// at most an eighth of the rows they stand for, few enough that a block and
// its targets stay in a core's cache.
std::int32_t GlobalFitBlockRows(std::int32_t D, std::int32_t L);

// Requires M >= D + 1, L >= 1 and X(M + m + L) to exist (a broken
// invariant otherwise), and block_rows >= 2 * (D + 1). Runs the blocks of
// each level on up to `threads` threads (0: every hardware thread). An
// exactly singular final factor stops as the solver does, with its FATAL
// message, on the calling thread.
GlobalAffineFit FitGlobalAffine(std::span<const double> X, std::int32_t D, std::int32_t tau, std::int32_t M,
                                std::int32_t L, int threads, std::int32_t block_rows);

}  // namespace modelcheck
