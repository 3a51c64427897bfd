#include "linalg/one_sweep_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "linalg/array_checks.h"
#include "linalg/qr_views.h"
#include "linalg/triangular_solve.h"
#include "linalg/vector_kernels.h"

namespace modelcheck {

namespace {

// How many products ReflectorProducts sums side by side: enough to hide the
// latency of one addition behind the others.
constexpr std::size_t kChainsTogether = 4;

// sums[c] = u . v[c], each summed in the order of the elements as DDOT sums
// it; the kCount chains of additions are independent of each other.
template <std::size_t kCount>
void SumProducts(std::size_t m, std::span<const double> u, const std::array<std::span<const double>, kCount>& v,
                 std::span<double> sums) {
  std::array<double, kCount> sum{};
  for (std::size_t i = 0; i < m; ++i) {
    for (std::size_t c = 0; c < kCount; ++c) sum[c] = sum[c] + u[i] * v[c][i];
  }
  std::copy(sum.begin(), sum.end(), sums.begin());
}

// The products of u (m elements) with vector(k) for k = 0..count-1, in
// groups of chains, into sums[k].
template <typename Vector>
void ReflectorProducts(std::size_t m, std::span<const double> u, std::size_t count, const Vector& vector,
                       std::span<double> sums) {
  std::size_t k = 0;
  for (; k + kChainsTogether <= count; k += kChainsTogether) {
    SumProducts<kChainsTogether>(m, u, {vector(k), vector(k + 1), vector(k + 2), vector(k + 3)}, sums.subspan(k));
  }
  switch (count - k) {
    case 3:
      return SumProducts<3>(m, u, {vector(k), vector(k + 1), vector(k + 2)}, sums.subspan(k));
    case 2:
      return SumProducts<2>(m, u, {vector(k), vector(k + 1)}, sums.subspan(k));
    case 1:
      return SumProducts<1>(m, u, {vector(k)}, sums.subspan(k));
    default:
      return;
  }
}

// The norm of rows l..NRA of column l, as DNRM2 takes it.
double ColumnNorm(const QrViews& v, int l) {
  const int m = v.nra - l + 1;
  const std::span<const double> column = v.From(l, l).first(static_cast<std::size_t>(m));
  // Sums of m ones are exact, so DNRM2 would give sqrt(m) itself.
  if (l == 1 && std::all_of(column.begin(), column.end(), [](double x) { return x == 1.0; }))
    return std::sqrt(static_cast<double>(m));
  return DNRM2(m, column, 1);
}

// Reflector l, already built in column l, applied to columns l+1..NCA as
// L2RRR's product and rank-one update apply it, and to the right-hand side as
// DLQRSL applies it, from one pass of products.
void ApplyReflector(const QrViews& v, int l, std::span<double> rhs, std::span<double> products) {
  const auto m = static_cast<std::size_t>(v.nra - l + 1);
  const int trailing = v.nca - l;
  const std::span<const double> u = v.From(l, l).first(m);
  const std::span<double> tail = rhs.subspan(static_cast<std::size_t>(l - 1), m);
  // Vectors 0..trailing-1 are columns l+1..NCA from row l, the last is the
  // right-hand side's tail.
  const auto vector = [&](std::size_t k) -> std::span<const double> {
    if (k == static_cast<std::size_t>(trailing)) return tail;
    return v.From(l, l + 1 + static_cast<int>(k)).first(m);
  };
  ReflectorProducts(m, u, static_cast<std::size_t>(trailing) + 1, vector, products);
  const double diagonal = v.At(l, l);
  const double alpha = -1.0 / diagonal;
  for (int k = 0; k < trailing; ++k) {
    // The product's row starts at zero; a zero alpha leaves it there.
    double row = 0.0;
    if (alpha != 0.0) row = row + alpha * products[static_cast<std::size_t>(k)];
    DAXPY(static_cast<int>(m), 1.0 * row, u, 1, v.From(l, l + 1 + k), 1);
  }
  // DLQRSL skips a reflector whose first component is zero.
  if (diagonal == 0.0) return;
  const double t = -products[static_cast<std::size_t>(trailing)] / diagonal;
  DAXPY(static_cast<int>(m), t, u, 1, tail, 1);
}

}  // namespace

int FactoriseAndSolve(int NRA, int NCA, std::span<double> QR, int LDQR, std::span<double> HHAUX, std::span<double> RHS,
                      std::span<double> COEF, std::span<double> WORK) {
  RequireCondition(NRA >= 2 && NRA <= LDQR && NCA >= 1 && NCA <= NRA, "2 <= NRA <= LDQR and 1 <= NCA <= NRA");
  RequireElements(QR.size(), MatrixExtent(NRA, NCA, LDQR));
  RequireElements(HHAUX.size(), NCA);
  RequireElements(RHS.size(), NRA);
  RequireElements(COEF.size(), NCA);
  RequireElements(WORK.size(), NCA);
  const double sfmin = QrSafeMinimum();
  const QrViews v{.nra = NRA, .nca = NCA, .ldqr = LDQR, .qr = QR, .hhaux = HHAUX, .work = WORK, .jperm = {}};
  for (int l = 1; l <= NCA; ++l) {
    v.Aux(l) = 0.0;
    // The last row needs no reflector.
    if (l == NRA) break;
    double s = ColumnNorm(v, l);
    if (s < sfmin) continue;
    // A zero pivot element keeps s positive.
    if (v.At(l, l) < 0.0) s = -s;
    DSCAL(NRA - l + 1, 1.0 / s, v.From(l, l), 1);
    v.At(l, l) = 1.0 + v.At(l, l);
    ApplyReflector(v, l, RHS, WORK);
    v.Aux(l) = v.At(l, l);
    v.At(l, l) = -s;
  }
  DCOPY(NCA, RHS, 1, COEF, 1);
  return BackSubstitute(NCA, QR, LDQR, COEF);
}

}  // namespace modelcheck
