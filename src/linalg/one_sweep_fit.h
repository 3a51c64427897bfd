// The least-squares fit of one right-hand side in one sweep over the matrix:
// the Householder factorisation L2RRR makes without pivoting, each reflector
// applied to the right-hand side as soon as it is built, then the
// coefficients by back substitution.
//
// Every figure is bit for bit what L2RRR (no pivoting, no column norms)
// followed by DLQRSL with IPATH = 100 gives: QR, HHAUX and COEF alike, each
// sum in the same order with the same roundings. The speed comes from doing
// independent work side by side: a reflector's product with the right-hand
// side is summed beside its products with the trailing columns, instead of in
// a pass of its own once the factorisation is done, and a column of exact
// ones (the constant of an affine fit) has the norm sqrt(NRA - l + 1), which
// is exactly what summing its ones gives.
//
// Storage: column-major, one-based; QR(i,j) lies at span index
// (j - 1) * LDQR + (i - 1). QR (NRA x NCA) is factorised in place, RHS
// (NRA elements) is overwritten by Q^T y, COEF receives NCA coefficients,
// HHAUX NCA elements, WORK NCA elements.
//
// Returns 0, or the index of the exactly zero diagonal element of R that
// DLQRSL would report (COEF is then incomplete): a caller that wants the
// solver's message runs the two routines again. Requires 2 <= NRA <= LDQR
// and 1 <= NCA <= NRA; a violation, or an array too short, stops the program
// (array_checks.h).
#pragma once

#include <span>

namespace modelcheck {

int FactoriseAndSolve(int NRA, int NCA, std::span<double> QR, int LDQR, std::span<double> HHAUX, std::span<double> RHS,
                      std::span<double> COEF, std::span<double> WORK);

}  // namespace modelcheck
