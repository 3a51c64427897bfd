// Least-squares solution and related products from the compact QR
// decomposition that DLQRRR leaves (see qr_decomposition.h).
//
// Storage: column-major, one-based; QR(i,j) lies at span index
// (j - 1) * LDQR + (i - 1). Vectors have unit stride; RHS, QRHS, QTRHS, RESID
// and FITV hold NRA elements, COEF holds KBASIS. The caller guarantees
// KBASIS <= NRA and KBASIS <= the number of columns decomposed (a violation
// stops the program, see array_checks.h).
//
// IPATH holds five decimal digits abcde; a non-zero digit switches on:
//   a  QRHS  := Q * y
//   b..e (any non-zero)  QTRHS := Q^T * y, through which the rest is computed
//   c  COEF  := x, the least-squares solution of AK * x ~ y, where AK is
//               the first KBASIS columns of A * P
//   d  RESID := y - AK * x
//   e  FITV  := AK * x
// Output arrays whose digit is off are neither read nor written (they may be
// empty or all be one scratch array). QR is modified while each reflector is
// applied and every element is restored before the call returns.
//
// Errors on the error stack under "DLQRSL": TERMINAL (printed at once, the
// program stops on return) code 1 NRA < 1, code 2 NRA > LDQR, code 3
// KBASIS < 1 (first of these three only), and independently code 4 IPATH
// outside 1..99999. FATAL code 1 when COEF is requested and R has an exactly
// zero diagonal element; the index is the first one met going down from
// KBASIS. Then COEF(j+1..KBASIS) are final, COEF(1..j) partly updated, and
// RESID and FITV untransformed. A tiny non-zero diagonal is divided by.
#pragma once

#include <span>

namespace modelcheck {

void DLQRSL(int NRA, int KBASIS, std::span<double> QR, int LDQR, std::span<const double> HHAUX,
            std::span<const double> RHS, int IPATH, std::span<double> QRHS, std::span<double> QTRHS,
            std::span<double> COEF, std::span<double> RESID, std::span<double> FITV);

}  // namespace modelcheck
