// The local affine model step: the value s steps after the newest component
// of a state Z(1..D), predicted from the state's neighbours.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace modelcheck {

// Work arrays of one least-squares fit; one set may serve every lead of one
// neighbour list, since M and D do not change between them, and so may its
// factor, since the design matrix does not depend on the lead.
struct LocalFitWork {
  std::vector<double> design;  // M x (D+1), column-major, factorised in place
  std::vector<double> targets;
  std::vector<double> scratch;
  std::vector<double> hhaux;
  std::vector<double> qr_work;  // L2RRR's workspace, kept so that a fit allocates nothing
  std::vector<double> coef;
  // Every lead at once (every_lead.h): targets row by row, sums, coefficients.
  std::vector<double> lead_targets;
  std::vector<double> lead_sums;
  std::vector<double> lead_coef;
};

// How the mean of fewer than D+1 neighbours' targets is formed: divided once
// by M, or multiplied by the reciprocal of M (the direct test's rule).
enum class MeanRule { kDivideByCount, kMultiplyByReciprocal };

// M >= D+1: affine least-squares fit over the neighbours, neighbour o's row
// a one and X(o), X(o+tau), ..., X(o+m), m = (D-1) tau; 1 <= M <= D: mean of
// their targets X(o+m+s); M = 0: persistence, Z(D). X holds X(1..Ntrain)
// zero-based, Nb[0..M-1] one-based start indices with o + m + s <= Ntrain
// (a neighbour beyond that is a broken invariant and stops the program).
// The fit sizes `work` by M rows and D+1 columns and gives bit for bit what
// factorising with L2RRR (the factorisation of DLQRRR in a workspace kept in
// `work`, without the column norms, which nothing reads) and solving with
// DLQRSL give, in one sweep (linalg/one_sweep_fit.h); the rows follow the
// order of Nb. An exactly singular triangular factor stops the program with
// the solver's FATAL message.
double PredictLocal(std::span<const double> X, std::span<const double> Z, std::int32_t D, std::int32_t tau,
                    std::span<const std::int32_t> Nb, std::int32_t M, std::int32_t s, LocalFitWork& work,
                    MeanRule mean_rule = MeanRule::kDivideByCount);

// The fit of PredictLocal in two halves, for callers that predict several
// leads from one neighbour list (M >= D+1): FactoriseLocalFit sizes `work`,
// fills the design matrix from Nb and factorises it;
// PredictFromFactor then fills the targets X(o+m+s), solves with DLQRSL
// and applies the coefficients to Z. Each lead gives bit for bit what
// PredictLocal gives, since the factor is the same and the solver leaves it
// as it found it.
void FactoriseLocalFit(std::span<const double> X, std::int32_t D, std::int32_t tau, std::span<const std::int32_t> Nb,
                       std::int32_t M, LocalFitWork& work);

// The affine map with coefficients coef(1..D+1) (the constant first) applied
// to a state Z(1..D), summed in coefficient order: what PredictFromFactor
// returns from the coefficients of its solve, for callers that apply one fit
// to many states or solve several leads at once.
double ApplyAffineMap(std::span<const double> coef, std::span<const double> Z, std::int32_t D);

double PredictFromFactor(std::span<const double> X, std::span<const double> Z, std::int32_t D, std::int32_t tau,
                         std::span<const std::int32_t> Nb, std::int32_t M, std::int32_t s, LocalFitWork& work);

}  // namespace modelcheck
