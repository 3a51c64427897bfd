// What the desktop program remembers between runs, in the user's settings
// (QSettings: ~/.config/modelcheck/modelcheck-gui.conf on Linux): the folder
// of the last series opened and the main window's geometry. A value that no
// longer fits (a folder since removed) is left unused.
#pragma once

#include <QString>

namespace modelcheck {

// Takes the remembered folder into the file chooser's starting place and
// the geometry into the main window (before it is shown).
void RestoreRememberedPlaces();

// Remembers the folder of a series the user opened.
void RememberSeriesFolder(const QString& folder);

// Remembers the main window's geometry (as it closes).
void RememberWindowGeometry();

}  // namespace modelcheck
