// A console cannot show the plot window, so the finished picture of every
// model check is kept as a PNG image in the working directory instead.
#include <string>

#include "platform/plot_image.h"
#include "dialogue/plot_window_view.h"

namespace modelcheck {

SurfaceView PlotWindowSurfaceView() { return {}; }

void FinishPlotPicture(const GraphicsSurface& surface, DialogueWindow& dialogue) {
  std::string error;
  if (!WritePlotImage(surface, kPlotImageFileName, error)) WriteDialogueLine(dialogue, error);
}

}  // namespace modelcheck
