// The console's front-end. A console cannot show the plot window, so the
// finished picture of every model check is kept as a PNG image in the
// working directory instead.
#include "apps/console/console_front_end.h"

#include <string>

#include "presentation/plot_image.h"

namespace modelcheck {

FrontEnd ConsoleFrontEnd(std::istream& in, std::ostream& out, bool echo_input) {
  return {.dialogue = ConsoleDialogueWindow(in, out, echo_input),
          .choose_file = &ChooseTypedPath,
          .plot_window = {},
          .finish_picture =
              [](const GraphicsSurface& surface, DialogueWindow& dialogue) {
                std::string error;
                if (!WritePlotImage(surface, kPlotImageFileName, error)) WriteDialogueLine(dialogue, error);
              },
          .keep_picture = nullptr,
          .show_program_step = nullptr,
          .check_progress = nullptr,
          .file_refused = nullptr,
          .series_opened = nullptr};
}

}  // namespace modelcheck
