// One model check set up as the dialogue holds it when an evaluation starts,
// for the benchmark programs: D = 2, Ltest = 30, Ktest = 100 and every value
// but the last 200 in the training part. The files the check writes
// (report.txt, neighbors.txt, the picture) land in the working directory.
#pragma once

#include <cstdint>
#include <memory>
#include <sstream>
#include <vector>

#include "apps/console/console_front_end.h"
#include "dialogue/dialogue_run.h"
#include "engine/check_input.h"
#include "engine/neighbour_grid.h"
#include "engine/training_statistics.h"

namespace modelcheck {

inline constexpr std::int32_t kBenchmarkD = 2;
inline constexpr std::int32_t kBenchmarkTestValues = 200;  // more than Ltest + Ktest + D - 1

struct PreparedCheck {
  std::unique_ptr<DialogueRun> run = std::make_unique<DialogueRun>();
  std::ostringstream dialogue_text;
  std::istringstream no_input;
  FrontEnd front_end = ConsoleFrontEnd(no_input, dialogue_text, false);

  // The engine's view of the same check, for timing its steps one by one.
  std::span<const double> training;
  TrainingStatistics statistics;
  std::unique_ptr<NeighbourGrid> grid = std::make_unique<NeighbourGrid>();
  CheckInput Input() const;
};

// The training pass and the model pass on `prepared.run->series` with box
// size `eps`: the prepared training part and model, the report opened, and
// the engine's view of them.
void PrepareCheck(PreparedCheck& prepared, double eps);

// One whole check as the console program runs it on `threads` threads (0:
// all): computed, drawn, reported, neighbors.txt and the picture written.
void RunWholeCheck(PreparedCheck& prepared, int threads);

}  // namespace modelcheck
