// The plot window "Model efficiency": start-up configuration and the set-up
// at the beginning of every model check.
#pragma once

#include "model/model_check.h"

namespace modelcheck {

// Start-up hook, run once before the dialogue begins; returns true.
bool ConfigureMainWindow();

// Opens (or reuses) and clears the plot window, replaces the plot range by
// the test segment's range widened by a tenth at each end, draws the six
// frames and the measured reference curves in black, and leaves drawing
// colour 12 selected for the steps that follow.
void SetUpPlotWindow(ModelCheck& check);

}  // namespace modelcheck
