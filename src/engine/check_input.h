// What one model check reads, and the work arrays of one computing thread.
//
// Arrays are zero-based: x(i) is training[i - 1], T(m) is test_segment[m - 1],
// Z(l) is state[l - 1]. Start indices o in the grid and the neighbour list
// keep their one-based values.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/local_model.h"
#include "engine/neighbour_grid.h"
#include "engine/training_statistics.h"
#include "modelcheck/engine.h"

namespace modelcheck {

struct CheckInput {
  ModelSettings settings;
  std::span<const double> training;      // x(1..Ntrain)
  std::span<const double> test_segment;  // T(1..Ntest)
  double variance = 0.0;                 // population variance of the training values, times error_scale^2
  double error_scale = 1.0;              // errors and variance in units of this (training_statistics.h)
  const NeighbourGrid* grid = nullptr;   // built over `training` for D and eps
};

// One thread's scratch: reused from piece to piece, never shared.
struct PieceWork {
  LocalFitWork fit;
  std::vector<double> state;             // DelayState Z(1..D)
  std::vector<double> history;           // the last W values an iterated state is drawn from
  std::vector<std::int32_t> neighbours;  // Nb(1..M) first; grows, never shrinks
  std::int32_t neighbour_count = 0;      // M of the latest search
  std::vector<double> leads;             // the direct test's predictions of one piece
};

// The input of a check of `series` for `settings`: its first Ntrain values
// are the training part (with these statistics and a grid built over them),
// the Ntest values after them the test segment. `series` holds them all.
CheckInput MakeCheckInput(std::span<const double> series, const ModelSettings& settings,
                          const TrainingStatistics& statistics, const NeighbourGrid& grid);

// The same input without a grid, for predictors that search no neighbours.
CheckInput MakeCheckInput(std::span<const double> series, const ModelSettings& settings,
                          const TrainingStatistics& statistics);

// Stops the program with file and line when `input` does not have the shape
// every phase relies on (array sizes, the grid, settings in range).
void RequireCheckInput(const CheckInput& input);

}  // namespace modelcheck
