// The run state of the main procedure and its passes, innermost last.
//
// Each pass function runs one pass including the question that closes it
// and returns that answer ('y' repeats the pass). The series values are kept
// whole for the series pass, so every later load reads what was counted.
#pragma once

#include <vector>

#include "dialogue/report_log.h"
#include "model/model_check.h"
#include "platform/dialogue_window.h"
#include "plots/graphics_surface.h"

namespace modelcheck {

struct DialogueRun {
  DialogueWindow* window = nullptr;
  ModelCheck check;             // settings, training values, arrays, plot range
  std::vector<double> series;   // every record of the current series file
  GraphicsSurface surface;      // the plot window, alive for the whole run
  ReportLog report;
  bool loaded = false;          // test segment and horizon errors exist in this model pass
};

// Chooses and counts a series file; false when the user ends the program.
bool LoadSeries(DialogueRun& run);

char RunTrainingPass(DialogueRun& run);

// Returns 'n' without asking question 6) when no box size can be accepted.
char RunModelPass(DialogueRun& run);

// Runs evaluation passes until "n" to question 5), or returns at once with a
// line of explanation when no test piece fits after the training part.
void RunEvaluationPasses(DialogueRun& run);

// Loads the test segment when needed and runs the four evaluation steps.
void RunModelCheck(DialogueRun& run, bool settings_changed);

}  // namespace modelcheck
