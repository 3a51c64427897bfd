// QR decomposition A * P = Q * R of a real NRA x NCA matrix by Householder
// reflections, with optional column pivoting, left in compact form for DLQRSL.
//
// Storage: column-major, one-based indices; A(i,j) lies at span index
// (j - 1) * LDA + (i - 1). A is only read: it is first copied into QR, and A
// and QR may be the same storage (the copy is then onto itself).
//
// Result, for l = 1 .. min(NRA, NCA):
//   QR(i,j), i <= j        element (i,j) of R; R(l,l) carries the sign
//                          opposite to the pivot element it replaced.
//   QR(l+1..NRA, l)        components 2.. of reflector vector u_l.
//   HHAUX(l)               first component u_l(1) in [1, 2], or 0 when no
//                          reflector was built (a column of norm below the
//                          safe minimum, or l = NRA): H_l is then the identity.
//   H_l = I - u_l u_l^T / u_l(1) acts on rows l..NRA; Q = H_1 H_2 ... H_k.
// HHAUX beyond min(NRA, NCA) is left as passed without pivoting, and holds the
// free columns' current norms with pivoting.
// COLNRM(j): Euclidean norm of column j after the fixed columns are arranged.
// Without pivoting COLNRM may be empty: the norms are then not taken (nothing
// else depends on them), which saves a pass over A for callers that never
// read them.
//
// Pivoting (PIVFLG true): on entry JPERM(j) > 0 marks an initial column (moved
// to the front, never exchanged), < 0 a final column (moved to the back, never
// exchanged), 0 a free column. At each step the free column of largest current
// norm comes next, the lowest index on ties. On exit JPERM(k) is the column of
// A that stands in position k of A * P. Without pivoting JPERM is neither read
// nor written (it may be empty).
//
// Errors go to the error stack as TERMINAL errors, which print their message
// and stop the program. DLQRRR: code 1 NCA <= 0, code 2 workspace cannot be
// obtained. L2RRR (shown as "DL2RRR"): code 1 NRA <= 0 or NCA <= 0,
// code 2 NRA > LDA, code 3 NRA > LDQR; only the first failing check is posted.
// Arrays too short for the dimensions stop the program (array_checks.h).
#pragma once

#include <span>

namespace modelcheck {

// Obtains the workspace, calls L2RRR and releases the workspace again.
void DLQRRR(int NRA, int NCA, std::span<const double> A, int LDA, bool PIVFLG, std::span<int> JPERM,
            std::span<double> QR, int LDQR, std::span<double> HHAUX, std::span<double> COLNRM);

// The decomposition in caller-supplied WORK: 2 * NCA - 1 elements with
// pivoting (1..NCA-1 the row vector of each update, NCA..2*NCA-1 the
// reference norms of the free columns), NCA - 1 without.
void L2RRR(int NRA, int NCA, std::span<const double> A, int LDA, bool PIVFLG, std::span<int> JPERM,
           std::span<double> QR, int LDQR, std::span<double> HHAUX, std::span<double> COLNRM, std::span<double> WORK);

}  // namespace modelcheck
