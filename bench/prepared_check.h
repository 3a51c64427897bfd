// One model check set up as the dialogue driver holds it when an evaluation
// starts, for the benchmark programs: D = 2, Ltest = 30, Ktest = 100 and
// every value but the last 200 in the training part. The files the check
// writes (report.txt, neighbors.txt, the picture) land in the working
// directory.
#pragma once

#include <cstdint>
#include <sstream>
#include <vector>

#include "dialogue/report_log.h"
#include "model/model_check.h"
#include "plots/graphics_surface.h"

namespace modelcheck {

inline constexpr std::int32_t kBenchmarkD = 2;
inline constexpr std::int32_t kBenchmarkTestValues = 200;  // more than Ltest + Ktest + D - 1

struct PreparedCheck {
  std::vector<double> series;  // every value, as the dialogue keeps them
  ModelCheck check;
  GraphicsSurface surface;
  ReportLog report;
  std::ostringstream dialogue_text;
  DialogueWindow dialogue{.in = nullptr, .out = &dialogue_text};
};

// The training pass and the model pass on `run.series` with box size `eps`,
// the report opened and the plot window set up.
void PrepareCheck(PreparedCheck& run, double eps);

// Plot set-up, model orbit, iterative test, direct test and the picture
// written, as the console program runs them; false when the picture
// cannot be written.
bool RunWholeCheck(PreparedCheck& run);

}  // namespace modelcheck
