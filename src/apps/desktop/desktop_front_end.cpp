#include "apps/desktop/desktop_front_end.h"

namespace modelcheck {

FrontEnd DesktopFrontEnd() {
  return {.dialogue = DesktopDialogueWindow(),
          .choose_file = &ChooseFileInDialog,
          .plot_window = PlotWindowSurfaceView(),
          .finish_picture = &FinishPlotPicture,
          .keep_picture = &KeepCheckPicture,
          .show_program_step = &ShowStepOnStatusLine,
          .check_progress = &CheckProgressReporter,
          .file_refused = &ShowFileRefusal,
          .series_opened = &NameOpenedSeries};
}

}  // namespace modelcheck
