// Box-assisted neighbour search over the delay vectors of the training series.
//
// A delay vector is identified by its one-based start index o: it is
// (X(o), X(o+tau), ..., X(o+m)), m = (D - 1) tau, stored as X[o - 1] ...
// X[o + m - 1].
// The grid is keyed by the cells of the first and the last component
// (grid_cell.h); counts and start indices are 32-bit. A coordinate that is
// not a number is never inside a box, in the state or in the training series.
// Indices outside X, Z or Nb are broken invariants and stop the program.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/grid_cell.h"

namespace modelcheck {

// Box-assisted index over the training states. The counts and start indices
// are 32-bit so that training series of millions of values fit.
struct NeighbourGrid {
  // cells[q * kGridCells + c]: row q is the cell of the last component,
  // column c the cell of the first component.
  std::array<std::int32_t, kGridCells * kGridCells> cells{};
  std::vector<std::int32_t> points;  // start indices, grouped in cell order
  // X(o) of points[j] at [j]: a search tests the first component without
  // reaching into the series, so vectors outside the box cost no cache miss.
  std::vector<double> first_values;
};

// Fills `grid` (cell table and point list) for the n = Ntrain - m delay
// vectors of X(1..Ntrain) with box size eps > 0. With n <= 0 the table is
// all zero. The table is overwritten; the point list is resized to n.
void BuildNeighbourGrid(std::int32_t Ntrain, std::span<const double> X, std::int32_t m, double eps,
                        NeighbourGrid& grid);

// Writes to Nb[0..M-1] the start indices o <= bound - m of every delay vector
// with |Z(1+l) - X(o+l tau)| < eps for all l = 0..D-1, and returns M. Order:
// the 3 x 3 cells around the query's, rows (last component) outer, columns
// (first component) inner, wrapping from 127 to 0; within a cell the latest
// start index first. Ntrain and m must be those of the last build, m a
// multiple of tau; Z holds D = m / tau + 1 values and Nb at least
// n = Ntrain - m entries.
std::int32_t FindNeighbours(std::int32_t Ntrain, std::int32_t bound, std::span<const double> X,
                            std::span<const double> Z, std::int32_t m, std::int32_t tau, double eps,
                            const NeighbourGrid& grid, std::span<std::int32_t> Nb);

// The same search into a list that grows as needed and never shrinks: its
// first M entries are the neighbours found, the rest is left as it was.
std::int32_t FindNeighbours(std::int32_t Ntrain, std::int32_t bound, std::span<const double> X,
                            std::span<const double> Z, std::int32_t m, std::int32_t tau, double eps,
                            const NeighbourGrid& grid, std::vector<std::int32_t>& Nb);

}  // namespace modelcheck
