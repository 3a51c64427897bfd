#include "linalg/matrix_kernels.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <string_view>

#include "errors/error_stack.h"
#include "linalg/array_checks.h"
#include "linalg/strided_index.h"
#include "linalg/vector_kernels.h"

namespace modelcheck {

namespace {

constexpr int kTerminal = 5;

struct Shape {
  int m;
  int n;
  int lda;
  int incx;
  int incy;
};

void Report(std::string_view routine, int code, std::string_view text, int i1, std::optional<int> i2 = std::nullopt) {
  E1PSH(routine);
  E1INT(1, i1);
  if (i2) E1INT(2, *i2);
  E1MES(kTerminal, code, text);
  E1POP(routine);
}

// Reports the first bad dimension or increment; true when one was found.
bool ShapeRejected(std::string_view routine, const Shape& s) {
  if (s.m < 0) {
    Report(routine, 1, "M must be greater than or equal to zero while %(I1) is given.", s.m);
  } else if (s.n < 0) {
    Report(routine, 2, "N must be greater than or equal to zero while %(I1) is given.", s.n);
  } else if (s.lda == 0 || s.lda < s.m) {
    Report(routine, 3,
           "LDA must be greater than or equal to M and greater than zero while LDA = %(I1) and "
           "M = %(I2) are given.",
           s.lda, s.m);
  } else if (s.incx == 0) {
    Report(routine, 4, "INCX must not be equal to zero while %(I1) is given.", s.incx);
  } else if (s.incy == 0) {
    Report(routine, 5, "INCY must not be equal to zero while %(I1) is given.", s.incy);
  } else {
    return false;
  }
  return true;
}

// 'N' -> 0, 'T' or 'C' -> 1, anything else -> -1; case does not matter.
int TransposeCode(char trans) {
  if (trans == 'N' || trans == 'n') return 0;
  if (trans == 'T' || trans == 't' || trans == 'C' || trans == 'c') return 1;
  return -1;
}

void ReportTrans(char trans) {
  E1PSH("DGEMV");
  // Kept with its trailing blank: a blank TRANS is still one character to quote.
  E1TXT(-1, std::string_view(&trans, 1));
  E1MES(kTerminal, 6, "TRANS must be set equal to N or T or C while %(L1) is given.");
  E1POP("DGEMV");
}

std::span<const double> Column(std::span<const double> a, int lda, int j) {
  return a.subspan(static_cast<std::size_t>(j) * static_cast<std::size_t>(lda));
}

// |inc|; the most negative int, whose negation overflows, is only ever met with
// a single element (longer vectors fail the length check), where any step will do.
int Magnitude(int inc) {
  if (inc == std::numeric_limits<int>::min()) return std::numeric_limits<int>::max();
  return inc < 0 ? -inc : inc;
}

// y := BETA * y; BETA = 0 clears y even where it holds NaN.
void ScaleResult(int leny, double beta, std::span<double> y, int incy) {
  if (beta == 1.0) return;
  if (beta == 0.0) {
    DFILL(leny, 0.0, y, Magnitude(incy));
  } else {
    DSCAL(leny, beta, y, Magnitude(incy));
  }
}

void ProductPlain(const Shape& s, double alpha, std::span<const double> a, std::span<const double> x,
                  std::span<double> y) {
  const StridedIndex jx(s.n, s.incx);
  for (int j = 0; j < s.n; ++j) {
    DAXPY(s.m, alpha * x[jx(j)], Column(a, s.lda, j), 1, y, s.incy);
  }
}

// The dot products of two columns with a unit-stride x, each summed in the
// order of the elements exactly as DDOT sums it; the two chains of additions
// are independent, so they run side by side.
void DotPair(int m, std::span<const double> a0, std::span<const double> a1, std::span<const double> x, double& dot0,
             double& dot1) {
  double sum0 = 0.0;
  double sum1 = 0.0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(m); ++i) {
    sum0 = sum0 + a0[i] * x[i];
    sum1 = sum1 + a1[i] * x[i];
  }
  dot0 = sum0;
  dot1 = sum1;
}

void ProductTransposed(const Shape& s, double alpha, std::span<const double> a, std::span<const double> x,
                       std::span<double> y) {
  const StridedIndex jy(s.n, s.incy);
  int j = 0;
  for (; s.incx == 1 && j + 1 < s.n; j += 2) {
    double dot0 = 0.0, dot1 = 0.0;
    DotPair(s.m, Column(a, s.lda, j), Column(a, s.lda, j + 1), x, dot0, dot1);
    y[jy(j)] = y[jy(j)] + alpha * dot0;
    y[jy(j + 1)] = y[jy(j + 1)] + alpha * dot1;
  }
  for (; j < s.n; ++j) {
    const double dot = DDOT(s.m, Column(a, s.lda, j), 1, x, s.incx);
    double& yj = y[jy(j)];
    yj = yj + alpha * dot;
  }
}

}  // namespace

void DGEMV(char trans, int m, int n, double alpha, std::span<const double> a, int lda, std::span<const double> x,
           int incx, double beta, std::span<double> y, int incy) {
  const Shape shape{.m = m, .n = n, .lda = lda, .incx = incx, .incy = incy};
  if (ShapeRejected("DGEMV", shape)) return;
  const int transposed = TransposeCode(trans);
  if (transposed < 0) return ReportTrans(trans);
  if (m == 0 || n == 0 || (alpha == 0.0 && beta == 1.0)) return;
  const int lenx = transposed ? m : n;
  const int leny = transposed ? n : m;
  RequireElements(a.size(), MatrixExtent(m, n, lda));
  RequireElements(x.size(), StridedExtent(lenx, incx));
  RequireElements(y.size(), StridedExtent(leny, incy));
  ScaleResult(leny, beta, y, incy);
  if (alpha == 0.0) return;
  if (transposed) return ProductTransposed(shape, alpha, a, x, y);
  ProductPlain(shape, alpha, a, x, y);
}

void DGER(int m, int n, double alpha, std::span<const double> x, int incx, std::span<const double> y, int incy,
          std::span<double> a, int lda) {
  const Shape shape{.m = m, .n = n, .lda = lda, .incx = incx, .incy = incy};
  if (ShapeRejected("DGER", shape)) return;
  if (m == 0 || n == 0 || alpha == 0.0) return;
  RequireElements(x.size(), StridedExtent(m, incx));
  RequireElements(y.size(), StridedExtent(n, incy));
  RequireElements(a.size(), MatrixExtent(m, n, lda));
  const auto column_stride = static_cast<std::size_t>(lda);
  const StridedIndex jy(n, incy);
  for (int j = 0; j < n; ++j) {
    DAXPY(m, alpha * y[jy(j)], x, incx, a.subspan(static_cast<std::size_t>(j) * column_stride), 1);
  }
}

}  // namespace modelcheck
