// The menu bar of the main window. A windowing platform gives a main window a
// first menu of frame commands (restore, minimise, maximise, close) that act
// on the windows behind the dialogue's back; the start-up hook removes it,
// and the program's menus follow in the order a desktop program has them:
// File (open another series, Ctrl+O; save the picture as PNG, SVG or PDF,
// Ctrl+S; save the curves as CSV; quit, Ctrl+Q), Edit (copy the dialogue
// text, Ctrl+C: the selection, or all of it; or the picture, Ctrl+Shift+C),
// Picture (show it at 100 % instead of fitted; bring it to the front),
// Window (arrange and choose the child windows) and Help. Save dialogs add
// the chosen type's suffix to a name typed without one.
#pragma once

#include <QImage>
#include <QString>

class QMainWindow;

namespace modelcheck {

void AddMenus(QMainWindow& main_window);

// Writes `picture` (palette indices) as the PNG image that the console
// program writes; an empty string on success, otherwise the problem.
QString SavePicture(const QImage& picture, const QString& path);

// Writes the picture at `path` in the format its suffix names (or, with
// none, the one `filter` names): PNG as the console writes it, or SVG or
// PDF drawn again from the last finished check; the problem, or empty.
QString SavePictureFile(const QString& path, const QString& filter = {});

// `path` with the suffix of `filter` ("SVG pictures (*.svg)" gives .svg)
// when it has no suffix of its own.
QString WithFilterSuffix(const QString& path, const QString& filter);

// Writes the last finished check's curves as a CSV table
// (presentation/check_curves_table.h); an empty string on success.
QString SaveCurves(const QString& path);

}  // namespace modelcheck
