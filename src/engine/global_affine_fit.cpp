#include "engine/global_affine_fit.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "engine/check_schedule.h"
#include "engine/every_lead.h"
#include "engine/local_model.h"
#include "engine/model_invariant.h"
#include "errors/message_sink.h"
#include "linalg/least_squares.h"
#include "linalg/qr_decomposition.h"

namespace modelcheck {

namespace {

std::size_t Size(std::int32_t n) { return static_cast<std::size_t>(n); }

// Rows 0..rows-1 cut into blocks of block_rows, the last one taking the rest.
struct Blocks {
  std::int32_t rows = 0;
  std::int32_t block_rows = 0;

  std::int32_t count() const { return std::max<std::int32_t>(1, rows / block_rows); }
  std::int32_t begin(std::int32_t b) const { return b * block_rows; }
  std::int32_t end(std::int32_t b) const { return b + 1 == count() ? rows : (b + 1) * block_rows; }
};

// Fills work.design (end - begin rows of D + 1, column-major) and
// work.lead_targets (end - begin rows of L) with rows begin..end-1.
using FillRows = std::function<void(std::int32_t begin, std::int32_t end, LocalFitWork& work)>;

// Row r is the state of start index o = r + 1: a one and X(o), X(o+tau),
// ..., X(o+(D-1) tau), with targets X(o+(D-1) tau+s).
FillRows RowsFromSeries(std::span<const double> X, std::int32_t D, std::int32_t tau, std::int32_t L) {
  return [X, D, tau, L](std::int32_t begin, std::int32_t end, LocalFitWork& work) {
    const std::size_t m = Size(end - begin);
    const std::size_t step = Size(tau);
    work.design.resize(m * (Size(D) + 1));
    work.lead_targets.resize(m * Size(L));
    for (std::size_t j = 0; j < m; ++j) {
      const std::size_t first = Size(begin) + j;  // zero-based index of X(o)
      work.design[j] = 1.0;
      for (std::size_t l = 1; l <= Size(D); ++l) work.design[l * m + j] = X[first + (l - 1) * step];
      std::copy_n(X.begin() + static_cast<std::ptrdiff_t>(first + Size(D - 1) * step + 1), L,
                  work.lead_targets.begin() + static_cast<std::ptrdiff_t>(j * Size(L)));
    }
  };
}

// Rows stacked row by row: D + 1 design values, and L targets, per row.
struct StackedRows {
  std::vector<double> design;
  std::vector<double> targets;
};

FillRows RowsFromStack(const StackedRows& stack, std::int32_t D, std::int32_t L) {
  return [&stack, D, L](std::int32_t begin, std::int32_t end, LocalFitWork& work) {
    const std::size_t m = Size(end - begin);
    const std::size_t width = Size(D) + 1;
    work.design.resize(m * width);
    for (std::size_t j = 0; j < m; ++j)
      for (std::size_t l = 0; l < width; ++l) work.design[l * m + j] = stack.design[(Size(begin) + j) * width + l];
    const auto first = stack.targets.begin() + static_cast<std::ptrdiff_t>(Size(begin) * Size(L));
    work.lead_targets.assign(first, first + static_cast<std::ptrdiff_t>(m * Size(L)));
  };
}

void Factorise(LocalFitWork& work, std::int32_t m, std::int32_t D) {
  work.hhaux.resize(Size(D) + 1);
  work.qr_work.resize(Size(D));
  // No pivoting and no column norms: the rows keep their order, as a local fit's do.
  L2RRR(m, D + 1, work.design, m, false, {}, work.design, m, work.hhaux, {}, work.qr_work);
}

// Block b reduced: R (zeros below its diagonal) and the first D + 1 rows of
// the transformed targets, into rows b * (D + 1).. of `out`.
void ReduceBlock(LocalFitWork& work, std::int32_t m, std::int32_t D, std::int32_t L, std::int32_t b, StackedRows& out) {
  Factorise(work, m, D);
  TransformLeadTargets(work, m, D, Size(L));
  const std::size_t width = Size(D) + 1;
  const std::size_t row0 = Size(b) * width;
  for (std::size_t i = 0; i < width; ++i) {
    for (std::size_t j = 0; j < width; ++j)
      out.design[(row0 + i) * width + j] = j >= i ? work.design[i + j * Size(m)] : 0.0;
    std::copy_n(work.lead_targets.begin() + static_cast<std::ptrdiff_t>(i * Size(L)), L,
                out.targets.begin() + static_cast<std::ptrdiff_t>((row0 + i) * Size(L)));
  }
}

// The last block solved for every lead. A singular factor goes to the
// solver, which reports it as it reports a local fit's.
GlobalAffineFit Solve(LocalFitWork& work, std::int32_t m, std::int32_t D, std::int32_t L) {
  Factorise(work, m, D);
  if (FactorIsSingular(work, m, D)) {
    std::vector<double> y(Size(m));
    for (std::size_t j = 0; j < Size(m); ++j) y[j] = work.lead_targets[j * Size(L)];
    std::vector<double> scratch(Size(m));
    std::vector<double> coef(Size(D) + 1);
    DLQRSL(m, D + 1, work.design, m, work.hhaux, y, 100, scratch, scratch, coef, scratch, scratch);
  }
  MC_MODEL_REQUIRE(!FactorIsSingular(work, m, D));
  TransformLeadTargets(work, m, D, Size(L));
  GlobalAffineFit fit{.D = D, .coefficients = {}};
  fit.coefficients.reserve(Size(L) * (Size(D) + 1));
  for (std::size_t r = 0; r < Size(L); ++r) {
    LeadCoefficients(work, m, D, Size(L), r, work.lead_coef);
    fit.coefficients.insert(fit.coefficients.end(), work.lead_coef.begin(), work.lead_coef.end());
  }
  return fit;
}

}  // namespace

std::int32_t GlobalFitBlockRows(std::int32_t D, std::int32_t L) { return std::max(4096, 8 * (D + 1 + L)); }

GlobalAffineFit FitGlobalAffine(std::span<const double> X, std::int32_t D, std::int32_t tau, std::int32_t M,
                                std::int32_t L, int threads, std::int32_t block_rows) {
  MC_MODEL_REQUIRE(D >= 1 && tau >= 1 && M >= D + 1 && L >= 1 && block_rows >= 2 * (D + 1));
  MC_MODEL_REQUIRE(std::int64_t{M} + std::int64_t{D - 1} * tau + L <= static_cast<std::int64_t>(X.size()));
  const std::size_t width = Size(D) + 1;
  StackedRows stack;
  FillRows fill = RowsFromSeries(X, D, tau, L);
  std::int32_t rows = M;
  for (;;) {
    const Blocks blocks{.rows = rows, .block_rows = block_rows};
    if (blocks.count() == 1) {
      LocalFitWork work;
      fill(0, rows, work);
      return Solve(work, rows, D, L);
    }
    StackedRows reduced{.design = std::vector<double>(Size(blocks.count()) * width * width),
                        .targets = std::vector<double>(Size(blocks.count()) * width * Size(L))};
    RunSchedule(blocks.count(), threads,
                [&](std::int32_t b, PieceWork& piece) {
                  // A stop in a block (a broken invariant) reaches the caller as an exception, never ends the process.
                  StopCapture capture;
                  fill(blocks.begin(b), blocks.end(b), piece.fit);
                  ReduceBlock(piece.fit, blocks.end(b) - blocks.begin(b), D, L, b, reduced);
                  return true;
                },
                {});
    stack = std::move(reduced);
    fill = RowsFromStack(stack, D, L);
    rows = blocks.count() * static_cast<std::int32_t>(width);
  }
}

}  // namespace modelcheck
