#include "linalg/least_squares.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "errors/error_stack.h"
#include "linalg/array_checks.h"
#include "linalg/strided_index.h"
#include "linalg/triangular_solve.h"
#include "linalg/vector_kernels.h"

namespace modelcheck {

namespace {

constexpr int kFatal = 4;
constexpr int kTerminal = 5;
constexpr std::string_view kName = "DLQRSL";

struct OutputFlags {
  bool cqy;   // Q * y
  bool cqty;  // Q^T * y
  bool cb;    // coefficients
  bool cr;    // residual
  bool cxb;   // fitted values
};

struct Outputs {
  std::span<double> qrhs;
  std::span<double> qtrhs;
  std::span<double> coef;
  std::span<double> resid;
  std::span<double> fitv;
};

// The decomposition as DLQRSL reads it, with one-based accessors.
struct Factor {
  int nra;
  int kbasis;
  int ldqr;
  std::span<double> qr;
  std::span<const double> hhaux;

  std::size_t Offset(int i, int j) const { return ColumnMajorIndex(i, j, ldqr); }
  double& At(int i, int j) const { return qr[Offset(i, j)]; }
};

OutputFlags DecodePath(int ipath) {
  return {.cqy = ipath / 10000 != 0,
          .cqty = ipath % 10000 != 0,
          .cb = (ipath % 1000) / 100 != 0,
          .cr = (ipath % 100) / 10 != 0,
          .cxb = ipath % 10 != 0};
}

void Post(int code, std::string_view text, int i1) {
  E1INT(1, i1);
  E1MES(kTerminal, code, text);
}

void Post(int code, std::string_view text, int i1, int i2) {
  E1INT(1, i1);
  E1INT(2, i2);
  E1MES(kTerminal, code, text);
}

void RejectArguments(int nra, int kbasis, int ldqr, int ipath) {
  if (nra < 1) {
    Post(1, "The number of rows of the input matrix must be positive while NRA = %(I1) is given.", nra);
  } else if (nra > ldqr) {
    Post(2,
         "The number of rows of QR must be less than or equal to its leading dimension while "
         "NRA = %(I1) and LDQR = %(I2) are given.",
         nra, ldqr);
  } else if (kbasis < 1) {
    Post(3,
         "The number of columns of the submatrix AK of A must be positive while KBASIS = %(I1) "
         "is given.",
         kbasis);
  }
  if (ipath < 1 || ipath > 99999) {
    Post(4,
         "Illegal format for IPATH.  IPATH must be between 1 and 99999 while a value of %(I1) "
         "is given.",
         ipath);
  }
}

void RequireArrays(const Factor& f, const OutputFlags& on, std::span<const double> rhs, const Outputs& out) {
  RequireCondition(f.kbasis <= f.nra, "KBASIS exceeds NRA");
  RequireElements(f.qr.size(), MatrixExtent(f.nra, f.kbasis, f.ldqr));
  RequireElements(f.hhaux.size(), std::min(f.nra - 1, f.kbasis));
  RequireElements(rhs.size(), f.nra);
  if (on.cqy) RequireElements(out.qrhs.size(), f.nra);
  if (on.cqty) RequireElements(out.qtrhs.size(), f.nra);
  if (on.cb) RequireElements(out.coef.size(), f.kbasis);
  if (on.cr) RequireElements(out.resid.size(), f.nra);
  if (on.cxb) RequireElements(out.fitv.size(), f.nra);
}

// Applies H_j to v; the diagonal holds R(j,j) and lends its place to u_j(1).
void ApplyReflector(const Factor& f, int j, std::span<double> v) {
  const double first = f.hhaux[static_cast<std::size_t>(j - 1)];
  // No reflector was built for this column: H_j is the identity.
  if (first == 0.0) return;
  double& diagonal = f.At(j, j);
  const double saved = diagonal;
  diagonal = first;
  const int length = f.nra - j + 1;
  const std::span<double> u = f.qr.subspan(f.Offset(j, j));
  const std::span<double> tail = v.subspan(static_cast<std::size_t>(j - 1));
  const double t = -DDOT(length, u, 1, tail, 1) / diagonal;
  DAXPY(length, t, u, 1, tail, 1);
  diagonal = saved;
}

int SolveSingleRow(const Factor& f, const OutputFlags& on, std::span<const double> rhs, const Outputs& out) {
  if (on.cqy) out.qrhs[0] = rhs[0];
  if (on.cqty) out.qtrhs[0] = rhs[0];
  if (on.cr) out.resid[0] = 0.0;
  if (on.cxb) out.fitv[0] = rhs[0];
  if (!on.cb) return 0;
  if (f.At(1, 1) == 0.0) return 1;
  out.coef[0] = rhs[0] / f.At(1, 1);
  return 0;
}

// Splits Q^T y into the coefficient, residual and fitted-value parts.
void SplitTransformed(const Factor& f, const OutputFlags& on, const Outputs& out) {
  const int k = f.kbasis;
  const int rest = f.nra - k;
  const auto tail = static_cast<std::size_t>(k);
  if (on.cb) DCOPY(k, out.qtrhs, 1, out.coef, 1);
  if (on.cxb) DCOPY(k, out.qtrhs, 1, out.fitv, 1);
  if (on.cr && rest > 0) DCOPY(rest, out.qtrhs.subspan(tail), 1, out.resid.subspan(tail), 1);
  if (on.cxb && rest > 0) DFILL(rest, 0.0, out.fitv.subspan(tail), 1);
  if (on.cr) DFILL(k, 0.0, out.resid, 1);
}

int SolveGeneral(const Factor& f, const OutputFlags& on, std::span<const double> rhs, const Outputs& out) {
  const int ju = std::min(f.nra - 1, f.kbasis);
  if (on.cqy) DCOPY(f.nra, rhs, 1, out.qrhs, 1);
  if (on.cqty) DCOPY(f.nra, rhs, 1, out.qtrhs, 1);
  if (on.cqy) {
    for (int j = ju; j >= 1; --j) ApplyReflector(f, j, out.qrhs);
  }
  if (on.cqty) {
    for (int j = 1; j <= ju; ++j) ApplyReflector(f, j, out.qtrhs);
  }
  SplitTransformed(f, on, out);
  if (on.cb) {
    const int info = BackSubstitute(f.kbasis, f.qr, f.ldqr, out.coef);
    if (info != 0) return info;
  }
  for (int j = ju; j >= 1 && (on.cr || on.cxb); --j) {
    if (on.cr) ApplyReflector(f, j, out.resid);
    if (on.cxb) ApplyReflector(f, j, out.fitv);
  }
  return 0;
}

void ReportSingular(int index) {
  E1INT(1, index);
  E1MES(kFatal, 1,
        "Computation of the least squares solution has been requested but the upper triangular "
        "matrix R is exactly singular; the index of the first zero diagonal element of R is "
        "%(I1).");
}

}  // namespace

void DLQRSL(int NRA, int KBASIS, std::span<double> QR, int LDQR, std::span<const double> HHAUX,
            std::span<const double> RHS, int IPATH, std::span<double> QRHS, std::span<double> QTRHS,
            std::span<double> COEF, std::span<double> RESID, std::span<double> FITV) {
  E1PSH(kName);
  RejectArguments(NRA, KBASIS, LDQR, IPATH);
  if (N1RCD(0) == 0) {
    const Factor f{.nra = NRA, .kbasis = KBASIS, .ldqr = LDQR, .qr = QR, .hhaux = HHAUX};
    const OutputFlags on = DecodePath(IPATH);
    const Outputs out{.qrhs = QRHS, .qtrhs = QTRHS, .coef = COEF, .resid = RESID, .fitv = FITV};
    RequireArrays(f, on, RHS, out);
    const int info = NRA == 1 ? SolveSingleRow(f, on, RHS, out) : SolveGeneral(f, on, RHS, out);
    if (info != 0) ReportSingular(info);
  }
  E1POP(kName);
}

}  // namespace modelcheck
