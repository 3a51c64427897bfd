#include <cmath>
#include <utility>

#include "linalg/qr_views.h"
#include "linalg/vector_kernels.h"

namespace modelcheck {

namespace {

// Weight of the remaining share of a column norm in the test of whether its
// downdated value is still accurate.
constexpr double kDowndateWeight = 0.05;

// Exchanges columns j and k of QR, rows 1..NRA.
void SwapColumns(const QrViews& v, int j, int k) { DSWAP(v.nra, v.From(1, j), 1, v.From(1, k), 1); }

void MoveInitialColumns(QrViews& v) {
  for (int j = 1; j <= v.nca; ++j) {
    const int code = v.Perm(j);
    v.Perm(j) = code < 0 ? -j : j;
    if (code <= 0) continue;
    if (v.pl != j) SwapColumns(v, v.pl, j);
    v.Perm(j) = v.Perm(v.pl);
    v.Perm(v.pl) = j;
    ++v.pl;
  }
}

void MoveFinalColumns(QrViews& v) {
  v.pu = v.nca;
  for (int j = v.nca; j >= 1; --j) {
    if (v.Perm(j) >= 0) continue;
    v.Perm(j) = -v.Perm(j);
    if (j != v.pu) {
      SwapColumns(v, v.pu, j);
      std::swap(v.Perm(v.pu), v.Perm(j));
    }
    --v.pu;
  }
}

void DowndateNorm(const QrViews& v, int l, int j) {
  const double ratio = std::fabs(v.At(l, j)) / v.Aux(j);
  double t = 1.0 - ratio * ratio;
  // Rounding can make the remaining share slightly negative.
  if (t < 0.0) t = 0.0;
  const double drift = v.Aux(j) / v.ReferenceNorm(j);
  const double test = 1.0 + kDowndateWeight * t * (drift * drift);
  if (test != 1.0) {
    v.Aux(j) = v.Aux(j) * std::sqrt(t);
    return;
  }
  // The downdated norm has lost its accuracy: take it afresh from the column.
  const double norm = DNRM2(v.nra - l, v.From(l + 1, j), 1);
  v.Aux(j) = norm;
  v.ReferenceNorm(j) = norm;
}

}  // namespace

void ArrangeFixedColumns(QrViews& v) {
  MoveInitialColumns(v);
  MoveFinalColumns(v);
}

void ChoosePivot(const QrViews& v, int l) {
  const int maxj = l - 1 + IDXMAX(v.pu - l + 1, v.hhaux.subspan(static_cast<std::size_t>(l - 1)), 1);
  if (maxj == l) return;
  SwapColumns(v, l, maxj);
  v.Aux(maxj) = v.Aux(l);
  v.ReferenceNorm(maxj) = v.ReferenceNorm(l);
  std::swap(v.Perm(maxj), v.Perm(l));
}

void DowndateNorms(const QrViews& v, int l) {
  for (int j = l + 1; j <= v.nca; ++j) {
    if (j < v.pl || j > v.pu || v.Aux(j) == 0.0) continue;
    DowndateNorm(v, l, j);
  }
}

}  // namespace modelcheck
