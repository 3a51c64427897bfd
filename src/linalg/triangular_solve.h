// Internal to the least-squares routines: the back substitution R x = c on
// the upper triangle of a compact QR factor, shared by DLQRSL and the
// one-sweep fit so that both divide and update in the same order.
#pragma once

#include <span>

namespace modelcheck {

// Solves in place for COEF(1..KBASIS), from the last row up; R(i,j) lies at
// QR[(j - 1) * LDQR + (i - 1)]. Returns 0, or, at the first exactly zero
// diagonal element met going up, its index (COEF is then partly updated).
int BackSubstitute(int KBASIS, std::span<const double> QR, int LDQR, std::span<double> COEF);

}  // namespace modelcheck
