// Box-assisted neighbour search over the delay vectors of the training series.
//
// A delay vector is identified by its one-based start index o: it is
// (X(o), ..., X(o+m)), m = D - 1, stored as X[o - 1] ... X[o + m - 1].
// The grid is keyed by the cells of the first and the last component.
#pragma once

#include <cstdint>
#include <span>

#include "model/model_check.h"

namespace modelcheck {

// Fills `grid` (cell table and point list) for the n = Ntrain - m delay
// vectors of X(1..Ntrain) with box size eps > 0.
void BuildNeighbourGrid(std::int32_t Ntrain, std::span<const double> X, std::int32_t m, double eps,
                        NeighbourGrid& grid);

// Writes to Nb[0..M-1] the start indices o <= bound - m of every delay vector
// with |Z(1+k) - X(o+k)| < eps for all k = 0..m, in the fixed cell order, and
// returns M. Ntrain and m must be those of the last build; Nb holds Ntrain.
std::int32_t FindNeighbours(std::int32_t Ntrain, std::int32_t bound, std::span<const double> X,
                            std::span<const double> Z, std::int32_t m, double eps,
                            const NeighbourGrid& grid, std::span<std::int32_t> Nb);

}  // namespace modelcheck
