// Everything a front-end gives the dialogue, and nothing else: the console,
// the desktop and any new front-end build one FrontEnd and hand it to
// RunMainDialogue (main_dialogue.h). Members marked optional may be left
// empty; the dialogue then does without them.
//
// The dialogue runs on one thread and calls every member on it, in the order
// the dialogue shows things; a front-end with windows hands the work to its
// window thread itself.
#pragma once

#include <functional>
#include <string_view>

#include "dialogue/dialogue_window.h"
#include "dialogue/file_chooser.h"
#include "modelcheck/engine.h"
#include "plots/graphics_surface.h"
#include "presentation/check_picture.h"

namespace modelcheck {

struct FrontEnd {
  // The Input Window (dialogue_window.h).
  DialogueWindow dialogue;

  // The file chooser (file_chooser.h): required.
  std::function<FileChoice(DialogueWindow& dialogue)> choose_file;

  // The plot window "Model efficiency" that every model check is drawn into:
  // called after each drawing operation on the program's thread, so the
  // front-end takes a copy of the raster when it wants one and no lock
  // guards it. Optional: all empty where no window shows the picture.
  SurfaceView plot_window;

  // A model check has drawn everything: keep or show the whole picture. A
  // failure to keep it is written as one line on `dialogue`. Optional.
  std::function<void(const GraphicsSurface& surface, DialogueWindow& dialogue)> finish_picture;

  // The finished model check, for a window that offers it as data or as a
  // picture that scales. Optional.
  std::function<void(CheckPicture picture)> keep_picture;

  // The step the program is at, e.g. "Drawing the model check"; empty when
  // it waits for the user again. Optional.
  std::function<void(std::string_view text)> show_program_step;

  // The progress callback a model check runs with. Asking for it tells the
  // front-end that a check starts; show_program_step("") that the program
  // waits for the user again. The callback returns false to stop the check
  // (its result is then marked cancelled). Optional: no callback costs the
  // check nothing.
  std::function<std::function<bool(const CheckProgress& progress)>()> check_progress;

  // A chosen file was refused, `why` being the lines the dialogue wrote
  // about it, before the chooser opens again: for a chooser that shows
  // them where the user is looking. Optional.
  std::function<void(std::string_view why)> file_refused;

  // A series file was accepted and its pass begins (for a title that names
  // it, a folder to start from next time). Optional.
  std::function<void(std::string_view path)> series_opened;
};

}  // namespace modelcheck
