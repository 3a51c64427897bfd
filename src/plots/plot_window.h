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
// colour 12 selected for the steps that follow. Reads check.settings and
// T(1..Ntest) from check.test_segment, writes check.plot_range and
// check.graphics_status, draws on *check.surface. A missing window or a
// segment shorter than Ntest is a broken invariant: the program stops with
// file and line. When no font can be selected the labels and titles are
// missing and everything else is drawn.
void SetUpPlotWindow(ModelCheck& check);

}  // namespace modelcheck
