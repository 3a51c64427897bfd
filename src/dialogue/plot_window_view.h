// How the platform shows the plot window "Model efficiency" that the
// dialogue draws each model check into (GraphicsSurface).
//
// The program's thread draws; the view's operations run on it after each
// drawing operation, and the platform takes a copy of the raster when it
// wants one, so no lock guards the raster. A console has no window: its view
// does nothing, and only the finished picture of a model check is kept, as
// the PNG image model-efficiency.png in the working directory.
#pragma once

#include "dialogue/dialogue_window.h"
#include "plots/graphics_surface.h"
#include "presentation/check_picture.h"

namespace modelcheck {

// The platform's window for the raster (all members null on a console).
SurfaceView PlotWindowSurfaceView();

// A model check has drawn everything: the window shows the whole picture.
// A failure to keep it is written as one line on `dialogue`.
void FinishPlotPicture(const GraphicsSurface& surface, DialogueWindow& dialogue);

// The finished model check, for a window that offers it as data or as a
// picture that scales (a console keeps none: report.txt, neighbors.txt and
// model-efficiency.png hold it).
void KeepCheckPicture(CheckPicture picture);

}  // namespace modelcheck
