// A console cannot show the plot window, so the finished picture of every
// model check is kept as a PNG image in the working directory instead.
#include <string>

#include "dialogue/plot_window_view.h"
#include "platform/plot_image.h"

namespace modelcheck {

SurfaceView PlotWindowSurfaceView() { return {}; }

void FinishPlotPicture(const GraphicsSurface& surface, DialogueWindow& dialogue) {
  std::string error;
  if (!WritePlotImage(surface, kPlotImageFileName, error)) WriteDialogueLine(dialogue, error);
}

void KeepCheckPicture(CheckPicture) {}

}  // namespace modelcheck
