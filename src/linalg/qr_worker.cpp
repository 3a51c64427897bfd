#include <algorithm>
#include <cstddef>
#include <span>
#include <string_view>

#include "errors/error_stack.h"
#include "errors/machine_constants.h"
#include "linalg/array_checks.h"
#include "linalg/matrix_kernels.h"
#include "linalg/qr_decomposition.h"
#include "linalg/qr_views.h"
#include "linalg/strided_index.h"
#include "linalg/vector_kernels.h"

namespace modelcheck {

namespace {

constexpr int kTerminal = 5;
constexpr std::string_view kName = "dL2RRR";

void RejectArguments(int nra, int nca, int lda, int ldqr) {
  if (nra <= 0 || nca <= 0) {
    E1INT(1, nra);
    E1INT(2, nca);
    E1MES(kTerminal, 1,
          "Both the number of rows and the number of columns of the input matrix must be "
          "positive while NRA = %(I1) and NCA = %(I2) are given.");
  } else if (nra > lda) {
    E1INT(1, nra);
    E1INT(2, lda);
    E1MES(kTerminal, 2,
          "The number of rows of A must be less than or equal to its leading dimension while "
          "NRA = %(I1) and LDA = %(I2) are given.");
  } else if (nra > ldqr) {
    E1INT(1, nra);
    E1INT(2, ldqr);
    E1MES(kTerminal, 3,
          "The number of rows of QR must be less than or equal to its leading dimension while "
          "NRA = %(I1) and LDQR = %(I2) are given.");
  }
}

void CopyColumns(int nra, int nca, std::span<const double> a, int lda, const QrViews& v) {
  // A factorisation in place would copy every element onto itself.
  if (a.data() == v.qr.data() && lda == v.ldqr) return;
  for (int j = 1; j <= nca; ++j) {
    DCOPY(nra, a.subspan(ColumnMajorIndex(1, j, lda)), 1, v.From(1, j), 1);
  }
}

void TakeColumnNorms(const QrViews& v, std::span<double> colnrm) {
  ColumnNorms(v.nra, v.nca, v.qr, v.ldqr, colnrm);
  for (int j = v.pl; j <= v.pu; ++j) {
    v.Aux(j) = colnrm[static_cast<std::size_t>(j - 1)];
    v.ReferenceNorm(j) = v.Aux(j);
  }
}

// Applies reflector l to columns l+1..NCA: one product, one rank-one update.
void UpdateTrailingColumns(const QrViews& v, int l) {
  const int m = v.nra - l + 1;
  const int n = v.nca - l;
  const std::span<double> row = v.work.first(static_cast<std::size_t>(n));
  DGEMV('T', m, n, -1.0 / v.At(l, l), v.From(l, l + 1), v.ldqr, v.From(l, l), 1, 0.0, row, 1);
  DGER(m, n, 1.0, v.From(l, l), 1, row, 1, v.From(l, l + 1), v.ldqr);
}

void EliminateColumn(const QrViews& v, int l, double sfmin) {
  if (v.pl <= l && l < v.pu) ChoosePivot(v, l);
  v.Aux(l) = 0.0;
  // The last row needs no reflector.
  if (l == v.nra) return;
  double s = DNRM2(v.nra - l + 1, v.From(l, l), 1);
  if (s < sfmin) return;
  // A zero pivot element keeps s positive.
  if (v.At(l, l) < 0.0) s = -s;
  DSCAL(v.nra - l + 1, 1.0 / s, v.From(l, l), 1);
  v.At(l, l) = 1.0 + v.At(l, l);
  if (l < v.nca) UpdateTrailingColumns(v, l);
  DowndateNorms(v, l);
  v.Aux(l) = v.At(l, l);
  v.At(l, l) = -s;
}

void RequireArrays(const QrViews& v, std::span<const double> a, int lda, bool pivflg, std::span<const double> colnrm) {
  RequireElements(a.size(), MatrixExtent(v.nra, v.nca, lda));
  RequireElements(v.qr.size(), MatrixExtent(v.nra, v.nca, v.ldqr));
  RequireElements(v.hhaux.size(), v.nca);
  // Without pivoting a caller that does not read the norms may pass none.
  if (pivflg || !colnrm.empty()) RequireElements(colnrm.size(), v.nca);
  RequireElements(v.work.size(), pivflg ? 2 * std::ptrdiff_t{v.nca} - 1 : v.nca - 1);
  if (pivflg) RequireElements(v.jperm.size(), v.nca);
}

}  // namespace

double QrSafeMinimum() {
  if (DMACH(1) * DMACH(2) < 1.0) return 1.0 / DMACH(2);
  return DMACH(1);
}

void L2RRR(int NRA, int NCA, std::span<const double> A, int LDA, bool PIVFLG, std::span<int> JPERM,
           std::span<double> QR, int LDQR, std::span<double> HHAUX, std::span<double> COLNRM, std::span<double> WORK) {
  E1PSH(kName);
  const double sfmin = QrSafeMinimum();
  RejectArguments(NRA, NCA, LDA, LDQR);
  if (N1RCD(0) == 0) {
    QrViews v{.nra = NRA, .nca = NCA, .ldqr = LDQR, .qr = QR, .hhaux = HHAUX, .work = WORK, .jperm = JPERM};
    RequireArrays(v, A, LDA, PIVFLG, COLNRM);
    CopyColumns(NRA, NCA, A, LDA, v);
    if (PIVFLG) ArrangeFixedColumns(v);
    if (PIVFLG || !COLNRM.empty()) TakeColumnNorms(v, COLNRM);
    for (int l = 1; l <= std::min(NRA, NCA); ++l) EliminateColumn(v, l, sfmin);
  }
  E1POP(kName);
}

}  // namespace modelcheck
