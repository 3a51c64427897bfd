#include "engine/local_model.h"

#include <cstddef>

#include "engine/model_invariant.h"
#include "linalg/least_squares.h"
#include "linalg/one_sweep_fit.h"
#include "linalg/qr_decomposition.h"

namespace modelcheck {
namespace {

std::size_t Index(std::int32_t one_based) { return static_cast<std::size_t>(one_based - 1); }

// The offset of a state's newest value from its oldest: (D-1) tau.
std::int64_t LastOffset(std::int32_t D, std::int32_t tau) { return std::int64_t{D - 1} * tau; }

// X(o+m+s), the value that followed neighbour o; the caller's bound guarantees it exists.
double Target(std::span<const double> X, std::int32_t o, std::int64_t m, std::int32_t s) {
  const std::int64_t last = o + m + s;
  MC_MODEL_REQUIRE(o >= 1 && last <= static_cast<std::int64_t>(X.size()));
  return X[static_cast<std::size_t>(last - 1)];
}

// Sized by the actual neighbour count; resizing keeps the capacity of earlier fits.
void SizeWork(LocalFitWork& work, std::int32_t M, std::int32_t D) {
  const auto rows = static_cast<std::size_t>(M);
  const auto columns = static_cast<std::size_t>(D) + 1;
  work.design.resize(rows * columns);
  work.targets.resize(rows);
  work.scratch.resize(rows);
  work.hhaux.resize(columns);
  // L2RRR needs D; the one-sweep fit a product for every column.
  work.qr_work.resize(columns);
  work.coef.resize(columns);
}

// Row j of the design matrix (M rows): a one for the constant and
// neighbour o's D values, oldest first; the caller has checked that they
// lie inside X.
void FillDesignRow(std::span<const double> X, std::int32_t D, std::int32_t tau, std::size_t rows, std::size_t j,
                   std::int32_t o, LocalFitWork& work) {
  work.design[j] = 1.0;
  const std::size_t oldest = Index(o);
  const auto step = static_cast<std::size_t>(tau);
  for (std::size_t l = 1; l <= static_cast<std::size_t>(D); ++l) work.design[l * rows + j] = X[oldest + (l - 1) * step];
}

void FillDesign(std::span<const double> X, std::int32_t D, std::int32_t tau, std::span<const std::int32_t> Nb,
                std::int32_t M, LocalFitWork& work) {
  const auto rows = static_cast<std::size_t>(M);
  const std::int64_t m = LastOffset(D, tau);
  for (std::size_t j = 0; j < rows; ++j) {
    const std::int32_t o = Nb[j];
    // The row's newest value is its last read: this keeps every read inside X.
    MC_MODEL_REQUIRE(o >= 1 && o + m <= static_cast<std::int64_t>(X.size()));
    FillDesignRow(X, D, tau, rows, j, o, work);
  }
}

// How many rows ahead a gather asks for the values it will read: the
// neighbours lie far apart in the series, so without the hint every row
// waits for memory.
constexpr std::size_t kGatherAhead = 32;

// A hint only; a start index outside the series is never dereferenced.
void PrefetchRow(std::span<const double> X, std::int32_t o) {
  if (o >= 1 && static_cast<std::size_t>(o) <= X.size()) __builtin_prefetch(&X[Index(o)]);
}

// The design matrix and the targets X(o+m+s) in one pass over the neighbours:
// a row's target lies beside its values in the series, so it is read while
// they are at hand.
void FillDesignAndTargets(std::span<const double> X, std::int32_t D, std::int32_t tau, std::span<const std::int32_t> Nb,
                          std::int32_t M, std::int32_t s, LocalFitWork& work) {
  const auto rows = static_cast<std::size_t>(M);
  const std::int64_t m = LastOffset(D, tau);
  for (std::size_t j = 0; j < rows; ++j) {
    if (j + kGatherAhead < rows) PrefetchRow(X, Nb[j + kGatherAhead]);
    const std::int32_t o = Nb[j];
    // The target is the row's last read: this keeps every read inside X.
    MC_MODEL_REQUIRE(o >= 1 && o + m + s <= static_cast<std::int64_t>(X.size()));
    FillDesignRow(X, D, tau, rows, j, o, work);
    work.targets[j] = X[static_cast<std::size_t>(o + m + s - 1)];
  }
}

void FillTargets(std::span<const double> X, std::int64_t m, std::span<const std::int32_t> Nb, std::int32_t M,
                 std::int32_t s, LocalFitWork& work) {
  for (std::size_t j = 0; j < static_cast<std::size_t>(M); ++j) work.targets[j] = Target(X, Nb[j], m, s);
}

double MeanOfTargets(std::span<const double> X, std::int64_t m, std::span<const std::int32_t> Nb, std::int32_t M,
                     std::int32_t s, MeanRule mean_rule) {
  double sum = 0.0;
  for (std::int32_t j = 1; j <= M; ++j) sum += Target(X, Nb[Index(j)], m, s);
  // The two rules round differently; each caller keeps its own.
  if (mean_rule == MeanRule::kMultiplyByReciprocal) return sum * (1.0 / M);
  return sum / M;
}

}  // namespace

void FactoriseLocalFit(std::span<const double> X, std::int32_t D, std::int32_t tau, std::span<const std::int32_t> Nb,
                       std::int32_t M, LocalFitWork& work) {
  MC_MODEL_REQUIRE(D >= 1 && tau >= 1 && M >= D + 1 && static_cast<std::size_t>(M) <= Nb.size());
  SizeWork(work, M, D);
  FillDesign(X, D, tau, Nb, M, work);
  // The factorisation replaces the design matrix in place: A and QR are one array.
  // No pivoting: JPERM is not used, and the column norms are not wanted.
  L2RRR(M, D + 1, work.design, M, false, {}, work.design, M, work.hhaux, {}, work.qr_work);
}

double PredictFromFactor(std::span<const double> X, std::span<const double> Z, std::int32_t D, std::int32_t tau,
                         std::span<const std::int32_t> Nb, std::int32_t M, std::int32_t s, LocalFitWork& work) {
  MC_MODEL_REQUIRE(static_cast<std::size_t>(D) <= Z.size() && s >= 1);
  MC_MODEL_REQUIRE(work.design.size() == static_cast<std::size_t>(M) * (static_cast<std::size_t>(D) + 1));
  FillTargets(X, LastOffset(D, tau), Nb, M, s, work);
  // The solver lends each diagonal element of the factor to its reflector and
  // puts it back, so one factor serves every lead bit for bit.
  DLQRSL(M, D + 1, work.design, M, work.hhaux, work.targets, 100, work.scratch, work.scratch, work.coef, work.scratch,
         work.scratch);
  return ApplyAffineMap(work.coef, Z, D);
}

double ApplyAffineMap(std::span<const double> coef, std::span<const double> Z, std::int32_t D) {
  MC_MODEL_REQUIRE(static_cast<std::size_t>(D) <= Z.size() && coef.size() == static_cast<std::size_t>(D) + 1);
  double p = coef[0];
  for (std::int32_t l = 1; l <= D; ++l) p += coef[static_cast<std::size_t>(l)] * Z[Index(l)];
  return p;
}

double PredictLocal(std::span<const double> X, std::span<const double> Z, std::int32_t D, std::int32_t tau,
                    std::span<const std::int32_t> Nb, std::int32_t M, std::int32_t s, LocalFitWork& work,
                    MeanRule mean_rule) {
  MC_MODEL_REQUIRE(D >= 1 && tau >= 1 && static_cast<std::size_t>(D) <= Z.size());
  MC_MODEL_REQUIRE(M >= 0 && static_cast<std::size_t>(M) <= Nb.size() && s >= 1);
  if (M >= D + 1) {
    SizeWork(work, M, D);
    FillDesignAndTargets(X, D, tau, Nb, M, s, work);
    if (FactoriseAndSolve(M, D + 1, work.design, M, work.hhaux, work.targets, work.coef, work.qr_work) == 0)
      return ApplyAffineMap(work.coef, Z, D);
    // An exactly singular factor: the two routines again, whose solve stops
    // with its message.
    FactoriseLocalFit(X, D, tau, Nb, M, work);
    return PredictFromFactor(X, Z, D, tau, Nb, M, s, work);
  }
  if (M >= 1) return MeanOfTargets(X, LastOffset(D, tau), Nb, M, s, mean_rule);
  return Z[Index(D)];
}

}  // namespace modelcheck
