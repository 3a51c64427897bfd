// Neighbour grid: cells, build structure, and the search against a brute-force scan.
#include "engine/neighbour_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "engine/grid_cell.h"

namespace modelcheck {
namespace {

using Indices = std::vector<std::int32_t>;

// Written apart from the library: floor-based modulo on a 64-bit truncation.
int ReferenceCell(double value, double u) {
  const double t = std::trunc(value * u);
  if (!(t >= -2147483648.0 && t <= 2147483647.0)) return 0;
  const auto whole = static_cast<std::int64_t>(t);
  return static_cast<int>(((whole % 128) + 128) % 128);
}

// Every delay vector inside the open max-norm box, in the grid's fixed order:
// block row (last component) outer, block column (first component) inner,
// latest start index first within a cell.
Indices BruteForce(const std::vector<double>& X, const std::vector<double>& Z, std::int32_t m, double eps,
                   std::int32_t bound) {
  const double u = 1.0 / eps;
  const int c0 = ReferenceCell(Z.front(), u);
  const int q0 = ReferenceCell(Z.back(), u);
  auto block_offset = [](int cell, int centre) { return ((cell - centre + 1) % 128 + 128) % 128; };
  std::vector<std::tuple<int, std::int32_t>> found;  // (rank in block, -o)
  const auto n = static_cast<std::int32_t>(X.size()) - m;
  for (std::int32_t o = 1; o <= n && o <= bound - m; ++o) {
    bool inside = true;
    for (std::int32_t k = 0; k <= m && inside; ++k) inside = std::fabs(Z[k] - X[o - 1 + k]) < eps;
    if (!inside) continue;
    const int rank =
        block_offset(ReferenceCell(X[o - 1 + m], u), q0) * 3 + block_offset(ReferenceCell(X[o - 1], u), c0);
    found.emplace_back(rank, -o);
  }
  std::sort(found.begin(), found.end());
  Indices result;
  for (const auto& entry : found) result.push_back(-std::get<1>(entry));
  return result;
}

// Both forms of the search: into an array sized for every vector, and into a
// list that grows as needed, whose first M entries must be the same.
Indices Search(const std::vector<double>& X, const std::vector<double>& Z, std::int32_t m, double eps,
               std::int32_t bound, const NeighbourGrid& grid) {
  Indices Nb(X.size(), -1);
  const auto Ntrain = static_cast<std::int32_t>(X.size());
  const std::int32_t M = FindNeighbours(Ntrain, bound, X, Z, m, 1, eps, grid, std::span<std::int32_t>(Nb));
  Nb.resize(static_cast<std::size_t>(M));
  Indices grown = {-7, -7, -7};
  EXPECT_EQ(FindNeighbours(Ntrain, bound, X, Z, m, 1, eps, grid, grown), M);
  EXPECT_GE(grown.size(), Nb.size());
  grown.resize(Nb.size());
  EXPECT_EQ(grown, Nb);
  return Nb;
}

Indices BuildAndSearch(const std::vector<double>& X, const std::vector<double>& Z, std::int32_t m, double eps,
                       std::int32_t bound) {
  NeighbourGrid grid;
  BuildNeighbourGrid(static_cast<std::int32_t>(X.size()), X, m, eps, grid);
  return Search(X, Z, m, eps, bound, grid);
}

TEST(GridCellTest, TruncatesTowardZeroAndKeepsSevenBits) {
  EXPECT_EQ(GridCell(0.99, 1.0), 0);
  EXPECT_EQ(GridCell(-0.99, 1.0), 0);
  EXPECT_EQ(GridCell(-1.0, 1.0), 127);
  EXPECT_EQ(GridCell(-128.0, 1.0), 0);
  EXPECT_EQ(GridCell(128.0, 1.0), 0);
  EXPECT_EQ(GridCell(127.9, 1.0), 127);
  EXPECT_EQ(GridCell(-129.5, 1.0), 127);
  EXPECT_EQ(GridCell(2.5, 2.0), 5);  // multiplied by the reciprocal
}

TEST(GridCellTest, ValuesWithoutIntegerProductFallInCellZero) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(GridCell(nan, 1.0), 0);
  EXPECT_EQ(GridCell(inf, 1.0), 0);
  EXPECT_EQ(GridCell(-inf, 1.0), 0);
  EXPECT_EQ(GridCell(1e300, 1.0), 0);
  EXPECT_EQ(GridCell(-1e300, 1.0), 0);
  EXPECT_EQ(GridCell(2147483648.0, 1.0), 0);
  EXPECT_EQ(GridCell(2147483647.5, 1.0), 127);
  EXPECT_EQ(GridCell(-2147483648.5, 1.0), 0);
  EXPECT_EQ(GridCell(-2147483647.5, 1.0), 1);
}

// The point list must hold each start index once, in its own cell's run, latest first.
TEST(NeighbourGridBuildTest, RunsPartitionTheVectorsByCell) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> value(-40.0, 40.0);
  for (std::int32_t m : {0, 2}) {
    SCOPED_TRACE("m = " + std::to_string(m));
    std::vector<double> X(500);
    for (double& x : X) x = value(rng);
    NeighbourGrid grid;
    const double eps = 0.2;
    BuildNeighbourGrid(500, X, m, eps, grid);
    const std::int32_t n = 500 - m;
    std::vector<int> seen(static_cast<std::size_t>(n) + 1, 0);
    for (int c = 0; c < 128; ++c) {
      for (int q = 0; q < 128; ++q) {
        const std::int32_t begin = grid.cells[q * 128 + c];
        const std::int32_t end = q < 127 ? grid.cells[(q + 1) * 128 + c] : c < 127 ? grid.cells[c + 1] : n;
        ASSERT_LE(begin, end);
        if (m == 0 && q != c) {
          EXPECT_EQ(begin, end) << "cell off the diagonal with D = 1";
        }
        for (std::int32_t j = begin; j < end; ++j) {
          const std::int32_t o = grid.points[j];
          ASSERT_TRUE(o >= 1 && o <= n);
          ++seen[o];
          EXPECT_EQ(ReferenceCell(X[o - 1], 1.0 / eps), c);
          EXPECT_EQ(ReferenceCell(X[o - 1 + m], 1.0 / eps), q);
          if (j > begin) {
            EXPECT_LT(o, grid.points[j - 1]);
          }
        }
      }
    }
    EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), 1), n);
  }
}

struct RandomCase {
  std::int32_t Ntrain;
  std::int32_t D;
  double eps;
  double spread;   // values drawn from [-spread, spread]
  bool quantised;  // values on multiples of eps: many exact box edges and ties
};

std::vector<double> RandomSeries(const RandomCase& setup, std::mt19937_64& rng) {
  std::uniform_real_distribution<double> value(-setup.spread, setup.spread);
  std::vector<double> X(static_cast<std::size_t>(setup.Ntrain));
  for (double& x : X) x = setup.quantised ? std::round(value(rng) / setup.eps) * setup.eps : value(rng);
  return X;
}

// Queries: training vectors, slightly moved training vectors, and free random states.
std::vector<double> RandomQuery(const std::vector<double>& X, const RandomCase& setup, int kind, std::mt19937_64& rng) {
  std::uniform_int_distribution<std::int32_t> start(1, setup.Ntrain - setup.D + 1);
  std::uniform_real_distribution<double> jitter(-setup.eps, setup.eps);
  std::uniform_real_distribution<double> value(-setup.spread, setup.spread);
  const std::int32_t o = start(rng);
  std::vector<double> Z(static_cast<std::size_t>(setup.D));
  for (std::int32_t k = 0; k < setup.D; ++k) {
    const double base = X[o - 1 + k];
    Z[k] = kind == 0 ? base : kind == 1 ? base + jitter(rng) : value(rng);
  }
  return Z;
}

TEST(FindNeighboursTest, MatchesBruteForceSetAndOrder) {
  const std::vector<RandomCase> cases = {
      {.Ntrain = 400, .D = 1, .eps = 0.05, .spread = 20.0, .quantised = false},
      {.Ntrain = 400, .D = 2, .eps = 0.1, .spread = 30.0, .quantised = false},  // 300 eps: cells wrap
      {.Ntrain = 1000, .D = 3, .eps = 0.5, .spread = 2.0, .quantised = false},
      {.Ntrain = 800, .D = 4, .eps = 1.0, .spread = 3.0, .quantised = false},
      {.Ntrain = 600, .D = 2, .eps = 0.25, .spread = 40.0, .quantised = true},
      {.Ntrain = 300, .D = 1, .eps = 0.125, .spread = 1.0, .quantised = true},
      {.Ntrain = 300, .D = 3, .eps = 1e-9, .spread = 5.0, .quantised = false},  // products beyond 32 bits
      {.Ntrain = 300, .D = 2, .eps = 1e6, .spread = 5.0, .quantised = false},   // everything in cell 0
      {.Ntrain = 5, .D = 4, .eps = 10.0, .spread = 1.0, .quantised = false},
  };
  for (std::size_t index = 0; index < cases.size(); ++index) {
    const RandomCase& setup = cases[index];
    const std::uint64_t seed = 1000 + index;
    SCOPED_TRACE("case " + std::to_string(index) + ", seed " + std::to_string(seed));
    std::mt19937_64 rng(seed);
    const std::vector<double> X = RandomSeries(setup, rng);
    NeighbourGrid grid;
    const std::int32_t m = setup.D - 1;
    BuildNeighbourGrid(setup.Ntrain, X, m, setup.eps, grid);
    for (int query = 0; query < 60; ++query) {
      const std::vector<double> Z = RandomQuery(X, setup, query % 3, rng);
      for (std::int32_t bound : {setup.Ntrain - 1, setup.Ntrain - 3}) {
        SCOPED_TRACE("query " + std::to_string(query) + ", bound " + std::to_string(bound));
        ASSERT_EQ(Search(X, Z, m, setup.eps, bound, grid), BruteForce(X, Z, m, setup.eps, bound));
      }
    }
  }
}

// Beyond the old 16-bit limit of 32767 delay vectors.
TEST(FindNeighboursTest, HandlesMoreThanSixteenBitsOfVectors) {
  const std::uint64_t seed = 99;
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937_64 rng(seed);
  const RandomCase setup{.Ntrain = 100000, .D = 2, .eps = 0.01, .spread = 1.0, .quantised = false};
  const std::vector<double> X = RandomSeries(setup, rng);
  NeighbourGrid grid;
  BuildNeighbourGrid(setup.Ntrain, X, 1, setup.eps, grid);
  for (int query = 0; query < 10; ++query) {
    const std::vector<double> Z = RandomQuery(X, setup, query % 2, rng);
    const Indices found = Search(X, Z, 1, setup.eps, setup.Ntrain - 1, grid);
    EXPECT_FALSE(found.empty() && query % 2 == 0);
    ASSERT_EQ(found, BruteForce(X, Z, 1, setup.eps, setup.Ntrain - 1));
  }
}

TEST(FindNeighboursTest, BoxIsOpenAndBoundDropsVectorsWithoutSuccessor) {
  const double eps = 0.5;  // exact in binary, so distances of exactly eps arise
  const std::vector<double> X = {0.0, 0.5, 0.0, 0.0, 0.0};
  // (0, 0.5) is exactly eps away in its second coordinate from (0, 0).
  EXPECT_EQ(BuildAndSearch(X, {0.0, 0.0}, 1, eps, 5), (Indices{4, 3}));
  // With bound Ntrain - 1 the vector ending at X(Ntrain) is dropped.
  EXPECT_EQ(BuildAndSearch(X, {0.0, 0.0}, 1, eps, 4), (Indices{3}));
  EXPECT_EQ(BuildAndSearch(X, {0.0, 0.0}, 1, eps, 2), (Indices{}));
}

TEST(FindNeighboursTest, FindsAcrossCellZeroAndTheWrap) {
  const double eps = 0.1;
  // -1.5 eps lies in cell 127, -0.6 eps in cell 0.
  EXPECT_EQ(GridCell(-1.5 * eps, 1.0 / eps), 127);
  EXPECT_EQ(GridCell(-0.6 * eps, 1.0 / eps), 0);
  EXPECT_EQ(BuildAndSearch({-1.5 * eps, 7.0}, {-0.6 * eps}, 0, eps, 1), (Indices{1}));
  // 127.5 eps (cell 127) and 128.2 eps (cell 0) are neighbours through the
  // wrap; cell 127 comes first in the block around cell 0.
  EXPECT_EQ(BuildAndSearch({127.5 * eps, 1.0, 128.2 * eps}, {128.2 * eps}, 0, eps, 3), (Indices{1, 3}));
  // 128 eps apart: same cell, rejected by the exact test.
  EXPECT_EQ(BuildAndSearch({5.5 * eps, 133.5 * eps}, {5.5 * eps}, 0, eps, 2), (Indices{1}));
}

TEST(FindNeighboursTest, ValuesThatAreNotNumbersAreNeverNeighbours) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double eps = 1e6;  // every number is inside the box
  EXPECT_EQ(BuildAndSearch({1.0, 2.0, 3.0, 4.0}, {nan, 2.0}, 1, eps, 4), Indices{});
  EXPECT_EQ(BuildAndSearch({1.0, 2.0, 3.0, 4.0}, {1.0, nan, 2.0}, 2, eps, 4), Indices{});
  // Vectors 2 and 3 hold the NaN of X(3).
  EXPECT_EQ(BuildAndSearch({1.0, 2.0, nan, 4.0, 5.0}, {1.0, 2.0}, 1, eps, 5), (Indices{4, 1}));
}

TEST(FindNeighboursTest, NoVectorsMeansNoNeighbours) {
  EXPECT_EQ(BuildAndSearch({1.0, 2.0}, {1.0, 2.0, 3.0}, 2, 1.0, 2), Indices{});
  EXPECT_EQ(BuildAndSearch({1.0, 2.0, 3.0}, {10.0, 20.0}, 1, 1.0, 3), Indices{});
}

}  // namespace
}  // namespace modelcheck
