// The desktop's front-end: the dialogue window is the child window "Input
// Window", the file chooser the platform's file dialog, the plot window the
// child window "Model efficiency", and the main window's status line shows
// the program's step, a running check's progress and the value the last
// answer was read as. Every operation may be called from the program's
// thread; the widgets are touched on the window thread only.
#pragma once

#include <functional>
#include <string_view>

#include "dialogue/front_end.h"
#include "dialogue/main_window.h"

namespace modelcheck {

FrontEnd DesktopFrontEnd();

// What the start-up hook may do to the main window.
MainWindow DesktopMainWindowOperations();

// The parts DesktopFrontEnd puts together, one file each.
DialogueWindow DesktopDialogueWindow();
FileChoice ChooseFileInDialog(DialogueWindow& window);

// Why the dialogue refused a chosen file, in a message box over the main
// window; the chooser opens again once it is closed.
void ShowFileRefusal(std::string_view why);

// The title names the accepted series, and the chooser starts in its folder
// now and in later runs.
void NameOpenedSeries(std::string_view path);
SurfaceView PlotWindowSurfaceView();
void FinishPlotPicture(const GraphicsSurface& surface, DialogueWindow& dialogue);
void KeepCheckPicture(CheckPicture picture);
std::function<bool(const CheckProgress&)> CheckProgressReporter();
void ShowStepOnStatusLine(std::string_view text);
void ShowReadAsOnStatusLine(std::string_view text);

// The status line shows `text` in colour in place of the value read, until
// the next answer: an answer read otherwise than typed.
void WarnReadAsOnStatusLine(std::string_view text);

}  // namespace modelcheck
