// Matrix-vector kernels on column-major matrices, with argument checking.
//
// A is an M x N matrix in a span whose element 0 is A(1,1); A(i,j) (one-based)
// lies at index (j - 1) * LDA + (i - 1). Vectors are strided as in
// vector_kernels.h, a negative increment walking from the far end.
//
// Bad arguments are reported on the error stack under the kernel's name as a
// TERMINAL error (which prints its message and stops the program); only the
// first failing check is reported, in the order of the codes:
//   1 M < 0, 2 N < 0, 3 LDA = 0 or LDA < M, 4 INCX = 0, 5 INCY = 0,
//   6 (DGEMV only) TRANS is not N, T or C.
// Spans too short for the dimensions stop the program (array_checks.h).
#pragma once

#include <span>

namespace modelcheck {

// y := ALPHA * op(A) * x + BETA * y, op(A) = A for TRANS 'N', A^T for 'T' or
// 'C' (either case). x has N elements and y M for 'N'; x has M, y N otherwise.
// BETA = 0 sets y to zero without reading it. Returns after the checks without
// touching y when M = 0 or N = 0, or when ALPHA = 0 and BETA = 1.
void DGEMV(char trans, int m, int n, double alpha, std::span<const double> a, int lda, std::span<const double> x,
           int incx, double beta, std::span<double> y, int incy);

// A := ALPHA * x * y^T + A, x of M elements, y of N. Returns after the checks
// when M = 0, N = 0 or ALPHA = 0.
void DGER(int m, int n, double alpha, std::span<const double> x, int incx, std::span<const double> y, int incy,
          std::span<double> a, int lda);

}  // namespace modelcheck
