// How the platform shows the plot window "Model efficiency" while the
// program draws into its raster (GraphicsSurface).
//
// The program's thread calls these after its own drawing operations; the
// platform takes a copy of the raster when it wants one, so no lock guards the
// raster. A console has no window: there only the finished picture of a model
// check is kept, as the PNG image model-efficiency.png in the working
// directory.
#pragma once

#include "platform/dialogue_window.h"
#include "plots/graphics_surface.h"

namespace modelcheck {

// The window was opened (or reused) with `surface.title`.
void ShowPlotWindow(const GraphicsSurface& surface);

// Column, row, height and width in text cells of the main window.
void PlacePlotWindow(int column, int row, int rows, int columns);

// Something was drawn; the platform may repaint now or later.
void RefreshPlotWindow(const GraphicsSurface& surface);

// The window comes to the front, showing the raster as it is now.
void BringPlotWindowToFront(const GraphicsSurface& surface);

// A model check has drawn everything: the window shows the whole picture.
// A failure to keep it is written as one line on `dialogue`.
void FinishPlotPicture(const GraphicsSurface& surface, DialogueWindow& dialogue);

}  // namespace modelcheck
