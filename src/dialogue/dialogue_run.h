// The run state of the main procedure and its passes, innermost last.
//
// Each pass function runs one pass including the question that closes it
// and returns that answer ('y' repeats the pass). The series values are kept
// whole for the series pass, so every later part (the training values, the
// test segment) is read from what was counted, as a view into them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "dialogue/dialogue_window.h"
#include "dialogue/front_end.h"
#include "dialogue/report_log.h"
#include "modelcheck/engine.h"
#include "modelcheck/prepared_training.h"
#include "plots/graphics_surface.h"
#include "plots/plot_scale.h"

namespace modelcheck {

struct DialogueRun {
  FrontEnd* front_end = nullptr;

  // The front-end's dialogue window.
  DialogueWindow& window() const { return front_end->dialogue; }

  ModelSettings settings;      // Ltest and Ktest keep their values across every pass
  std::vector<double> series;  // every record of the current series file
  std::int32_t value_count = 0;
  std::optional<PreparedTraining> training;  // x(1..Ntrain), the first Ntrain records, once per training pass
  PlotRange plot_range;                      // bounds eps: the training range, then the last check's widened range
  std::optional<PreparedModel> model;        // D and eps with their neighbour grid, once per model pass
  GraphicsSurface surface;                   // the plot window, alive for the whole run
  ReportLog report;
  int threads = 0;  // threads a check computes on; 0: every hardware thread
};

// Chooses and counts a series file; false when the user ends the program.
bool LoadSeries(DialogueRun& run);

char RunTrainingPass(DialogueRun& run);

// Returns 'n' without asking question 6) when no box size can be accepted.
char RunModelPass(DialogueRun& run);

// Runs evaluation passes until "n" to question 5), or returns at once with a
// line of explanation when no test piece fits after the training part.
void RunEvaluationPasses(DialogueRun& run);

// One model check for the current settings: computed, then drawn, reported
// and written in the order the dialogue shows them. A check that stopped on
// an exactly singular fit presents what came before the stop, prints the
// numerical core's message and stops the program.
void RunEvaluation(DialogueRun& run);

}  // namespace modelcheck
