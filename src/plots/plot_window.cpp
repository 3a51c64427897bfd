#include "plots/plot_window.h"

namespace modelcheck {

bool ConfigureMainWindow() { return true; }

void SetUpPlotWindow(ModelCheck&) {}

}  // namespace modelcheck
