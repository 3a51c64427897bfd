// Kernels on strided vectors of doubles, without argument checking.
//
// A vector is given by a span whose element 0 is x_1, a length n and an
// increment inc: x_i lies at span index (i - 1) * inc. For the two-vector
// kernels a negative increment walks the vector from its far end: the first
// element used lies at index (n - 1) * |inc| and each next one |inc| earlier.
// The one-vector kernels (DSCAL, DFILL, DNRM2, IDXMAX) expect inc > 0; for
// inc <= 0 DSCAL and DFILL do nothing and IDXMAX returns 0 (DNRM2: see below).
// n <= 0 does nothing and returns 0. A span too short for n and inc stops
// the program (see array_checks.h). Spans may overlap; the elements are
// visited in increasing order of i.
//
// Unit-stride loops are unrolled (copy by 7, dot product and scaling by 5,
// remainder first); DDOT adds its products in the order i = 1, 2, ..., n, so
// its result is the same on every machine.
#pragma once

#include <span>

namespace modelcheck {

// y := x
void DCOPY(int n, std::span<const double> x, int incx, std::span<double> y, int incy);

// Exchanges x and y.
void DSWAP(int n, std::span<double> x, int incx, std::span<double> y, int incy);

// Returns the sum of x_i * y_i; 0 for n <= 0.
double DDOT(int n, std::span<const double> x, int incx, std::span<const double> y, int incy);

// y := a * x + y
void DAXPY(int n, double a, std::span<const double> x, int incx, std::span<double> y, int incy);

// x := a * x
void DSCAL(int n, double a, std::span<double> x, int incx);

// Every x_i := a.
void DFILL(int n, double a, std::span<double> x, int incx);

// Euclidean norm of x, without overflow or destructive underflow: the sum of
// squares is taken unscaled, scaled up (tiny elements) or scaled down (huge
// elements) as a first pass over |x_i| decides. Returns 0 for n < 1 or
// incx < 0, and sqrt(n) * |x_1| for incx = 0.
double DNRM2(int n, std::span<const double> x, int incx);

// DNRM2 of each of the columns 1..n of an m-row column-major matrix with
// leading dimension lda, bit for bit, into norms[0..n-1]: the columns' sums
// run side by side instead of one column after the other. m >= 1, n >= 0.
void ColumnNorms(int m, int n, std::span<const double> a, int lda, std::span<double> norms);

// One-based index of the largest x_i by signed value, the first on ties;
// 0 for n <= 0 or incx <= 0, 1 for n = 1.
int IDXMAX(int n, std::span<const double> x, int incx);

}  // namespace modelcheck
