// The local affine model step: the value s steps after the newest component
// of a state Z(1..D), predicted from the state's neighbours.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace modelcheck {

// Work arrays of one least-squares fit; one set may serve every lead of one
// neighbour list, since M and D do not change between them.
struct LocalFitWork {
  std::vector<double> design;  // M x (D+1), column-major, factorised in place
  std::vector<double> targets;
  std::vector<double> scratch;
  std::vector<double> hhaux;
  std::vector<double> colnrm;
  std::vector<int> jperm;
  std::vector<double> coef;
};

// How the mean of fewer than D+1 neighbours' targets is formed: divided once
// by M, or multiplied by the reciprocal of M (the direct test's rule).
enum class MeanRule { kDivideByCount, kMultiplyByReciprocal };

// M >= D+1: affine least-squares fit over the neighbours; 1 <= M <= D: mean
// of their targets X(o+D-1+s); M = 0: persistence, Z(D). X holds X(1..Ntrain)
// zero-based, Nb[0..M-1] one-based start indices with o + D - 1 + s <= Ntrain
// (a neighbour beyond that is a broken invariant and stops the program).
// The fit sizes `work` by M rows and D+1 columns, factorises with DLQRRR and
// solves with DLQRSL; the rows follow the order of Nb. An exactly singular
// triangular factor stops the program with the solver's FATAL message.
double PredictLocal(std::span<const double> X, std::span<const double> Z, std::int32_t D,
                    std::span<const std::int32_t> Nb, std::int32_t M, std::int32_t s,
                    LocalFitWork& work, MeanRule mean_rule = MeanRule::kDivideByCount);

}  // namespace modelcheck
