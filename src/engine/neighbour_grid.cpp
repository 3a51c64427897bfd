#include "engine/neighbour_grid.h"

#include <cmath>
#include <cstddef>

#include "engine/grid_cell.h"
#include "engine/model_invariant.h"

namespace modelcheck {
namespace {

constexpr int kLastCell = kGridCells - 1;

std::size_t CellIndex(int q, int c) { return static_cast<std::size_t>(q * kGridCells + c); }

// One past the last point-list position of the run of cell (q, c), zero-based.
std::int32_t RunEnd(const NeighbourGrid& grid, int q, int c, std::int32_t n) {
  if (q < kLastCell) return grid.cells[CellIndex(q + 1, c)];
  if (c < kLastCell) return grid.cells[CellIndex(0, c + 1)];
  return n;
}

double Value(std::span<const double> X, std::int32_t index) { return X[static_cast<std::size_t>(index - 1)]; }

void CountVectors(std::int32_t n, std::span<const double> X, std::int32_t m, double u, NeighbourGrid& grid) {
  for (std::int32_t o = 1; o <= n; ++o) {
    ++grid.cells[CellIndex(GridCell(Value(X, o + m), u), GridCell(Value(X, o), u))];
  }
}

// Inclusive running sum, column by column: all rows of column 0, then column 1.
void AccumulateInCellOrder(NeighbourGrid& grid) {
  for (int c = 0; c < kGridCells; ++c) {
    for (int q = 1; q < kGridCells; ++q) grid.cells[CellIndex(q, c)] += grid.cells[CellIndex(q - 1, c)];
    if (c < kLastCell) grid.cells[CellIndex(0, c + 1)] += grid.cells[CellIndex(kLastCell, c)];
  }
}

// Filling each run from its end leaves the run in decreasing start index.
void PlaceVectors(std::int32_t n, std::span<const double> X, std::int32_t m, double u, NeighbourGrid& grid) {
  for (std::int32_t o = 1; o <= n; ++o) {
    std::int32_t& slot = grid.cells[CellIndex(GridCell(Value(X, o + m), u), GridCell(Value(X, o), u))];
    grid.points[static_cast<std::size_t>(slot - 1)] = o;
    grid.first_values[static_cast<std::size_t>(slot - 1)] = Value(X, o);
    --slot;
  }
}

// One query: the state, the box and the last start index the caller accepts.
struct BoxQuery {
  std::span<const double> X;
  std::span<const double> Z;
  std::int32_t m;  // offset of the last component
  std::int32_t tau;
  double eps;
  std::int32_t last_start;
};

// The later components of vector o, the first one outside ending the test.
// The strict test is written so that a NaN difference rejects the vector.
bool LaterComponentsInside(const BoxQuery& query, std::int32_t o) {
  for (std::int32_t l = 1, offset = query.tau; offset <= query.m; ++l, offset += query.tau) {
    const double difference = query.Z[static_cast<std::size_t>(l)] - Value(query.X, o + offset);
    if (!(std::fabs(difference) < query.eps)) return false;
  }
  return true;
}

// D = 1: no later component; D = 2: the last one, X(o+m), read whatever the
// first component gave.
bool LastComponentInside(const BoxQuery& query, std::int32_t o) {
  if (query.m == 0) return true;
  return std::fabs(query.Z[1] - Value(query.X, o + query.m)) < query.eps;
}

// How many vectors of a run ahead the search asks for the series values it
// will compare: a run lists its vectors far apart in the series, so without
// the hint every comparison waits for memory.
constexpr std::int32_t kPrefetchDistance = 12;

// A hint only, for the later components of a vector that will be read: with
// D = 2 every vector of the run, beyond only those whose first component is
// in the box. A start index outside the series is never dereferenced.
void PrefetchVector(const BoxQuery& query, const NeighbourGrid& grid, std::int32_t j) {
  const auto at = static_cast<std::size_t>(j);
  if (query.m == 0) return;
  if (query.m > query.tau && !(std::fabs(query.Z[0] - grid.first_values[at]) < query.eps)) return;
  // The second component, X(o + tau), is the first one read from the series.
  const std::int64_t second = std::int64_t{grid.points[at]} - 1 + query.tau;
  if (second >= 0 && static_cast<std::size_t>(second) < query.X.size())
    __builtin_prefetch(&query.X[static_cast<std::size_t>(second)]);
}

// Appends the accepted vectors of cell (q, c), in the run's order, to Nb
// after the M found so far, and returns the new M; Nb has room for every
// vector of the run after them.
std::int32_t SearchCell(const NeighbourGrid& grid, int q, int c, std::int32_t n, const BoxQuery& query,
                        std::span<std::int32_t> Nb, std::int32_t M) {
  const std::int32_t begin = grid.cells[CellIndex(q, c)];
  const std::int32_t end = RunEnd(grid, q, c, n);
  // A grid built for another Ntrain or m would index past the list or the series.
  MC_MODEL_REQUIRE(static_cast<std::size_t>(end) <= grid.points.size() &&
                   grid.first_values.size() == grid.points.size() &&
                   static_cast<std::size_t>(M) + static_cast<std::size_t>(end - begin) <= Nb.size());
  for (std::int32_t j = begin; j < end; ++j) {
    if (j + kPrefetchDistance < end) PrefetchVector(query, grid, j + kPrefetchDistance);
    const std::int32_t o = grid.points[static_cast<std::size_t>(j)];
    MC_MODEL_REQUIRE(o >= 1 && o <= n);
    // The first component sits beside the start index: no read of the series
    // for a vector that fails it.
    const bool first_inside =
        (o <= query.last_start) & (std::fabs(query.Z[0] - grid.first_values[static_cast<std::size_t>(j)]) < query.eps);
    if (query.m <= query.tau) {
      // D = 1 or 2: the index is stored whatever the outcome and kept only
      // when inside, since a branch on a box edge that cuts the cell at random
      // is mispredicted about every other time. With more components, reading
      // them all for every vector costs more than the branches.
      Nb[static_cast<std::size_t>(M)] = o;
      M += (first_inside & LastComponentInside(query, o)) ? 1 : 0;
    } else if (first_inside && LaterComponentsInside(query, o)) {
      Nb[static_cast<std::size_t>(M++)] = o;
    }
  }
  return M;
}

// The number of vectors in the 3 x 3 cells around cell (q0, c0).
std::size_t CandidateCount(const NeighbourGrid& grid, int q0, int c0, std::int32_t n) {
  std::size_t count = 0;
  for (int dq = -1; dq <= 1; ++dq) {
    for (int dc = -1; dc <= 1; ++dc) {
      const int q = (q0 + dq) & kLastCell, c = (c0 + dc) & kLastCell;
      count += static_cast<std::size_t>(RunEnd(grid, q, c, n) - grid.cells[CellIndex(q, c)]);
    }
  }
  return count;
}

// The 3 x 3 cells around the query's, rows outer and columns inner: this
// fixes the order in which the fit sees the rows.
// Z(D), the last component of a state whose last value lies m after its first.
double LastComponent(std::span<const double> Z, std::int32_t m, std::int32_t tau) {
  MC_MODEL_REQUIRE(m >= 0 && tau >= 1 && m % tau == 0 && static_cast<std::size_t>(m / tau) < Z.size());
  return Z[static_cast<std::size_t>(m / tau)];
}

std::int32_t SearchBox(std::int32_t Ntrain, std::int32_t bound, std::span<const double> X, std::span<const double> Z,
                       std::int32_t m, std::int32_t tau, double eps, const NeighbourGrid& grid,
                       std::span<std::int32_t> Nb) {
  const double u = 1.0 / eps;
  const std::int32_t n = Ntrain - m;
  if (n <= 0) return 0;
  const double last = LastComponent(Z, m, tau);
  MC_MODEL_REQUIRE(static_cast<std::size_t>(Ntrain) <= X.size());
  const BoxQuery query{.X = X, .Z = Z, .m = m, .tau = tau, .eps = eps, .last_start = bound - m};
  const int c0 = GridCell(Z[0], u);
  const int q0 = GridCell(last, u);
  std::int32_t M = 0;
  for (int dq = -1; dq <= 1; ++dq) {
    for (int dc = -1; dc <= 1; ++dc)
      M = SearchCell(grid, (q0 + dq) & kLastCell, (c0 + dc) & kLastCell, n, query, Nb, M);
  }
  return M;
}

}  // namespace

void BuildNeighbourGrid(std::int32_t Ntrain, std::span<const double> X, std::int32_t m, double eps,
                        NeighbourGrid& grid) {
  const double u = 1.0 / eps;
  grid.cells.fill(0);
  const std::int32_t n = Ntrain - m;
  if (n <= 0) return;
  MC_MODEL_REQUIRE(m >= 0 && static_cast<std::size_t>(Ntrain) <= X.size());
  grid.points.resize(static_cast<std::size_t>(n));
  grid.first_values.resize(static_cast<std::size_t>(n));
  CountVectors(n, X, m, u, grid);
  AccumulateInCellOrder(grid);
  PlaceVectors(n, X, m, u, grid);
}

std::int32_t FindNeighbours(std::int32_t Ntrain, std::int32_t bound, std::span<const double> X,
                            std::span<const double> Z, std::int32_t m, std::int32_t tau, double eps,
                            const NeighbourGrid& grid, std::span<std::int32_t> Nb) {
  return SearchBox(Ntrain, bound, X, Z, m, tau, eps, grid, Nb);
}

std::int32_t FindNeighbours(std::int32_t Ntrain, std::int32_t bound, std::span<const double> X,
                            std::span<const double> Z, std::int32_t m, std::int32_t tau, double eps,
                            const NeighbourGrid& grid, std::vector<std::int32_t>& Nb) {
  // Room for every vector of the 3 x 3 cells, so the search stores without
  // asking for more; a grid without vectors needs none.
  const double last = LastComponent(Z, m, tau);
  const std::int32_t n = Ntrain - m;
  if (n > 0 && Nb.size() < static_cast<std::size_t>(n)) {
    const std::size_t candidates = CandidateCount(grid, GridCell(last, 1.0 / eps), GridCell(Z[0], 1.0 / eps), n);
    if (Nb.size() < candidates) Nb.resize(candidates);
  }
  return FindNeighbours(Ntrain, bound, X, Z, m, tau, eps, grid, std::span<std::int32_t>(Nb));
}

}  // namespace modelcheck
