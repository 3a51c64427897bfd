// The menu bar of the main window, in the order a desktop program has them:
// File (save the picture, exit), Edit (copy the dialogue text, Ctrl+C, or
// the picture, Ctrl+Shift+C), Picture (save it as PNG, SVG or PDF, Ctrl+S; save the
// curves as CSV; show it at 100 % instead of fitted; bring it to the front),
// Window (arrange and choose the child windows) and Help. The start-up hook
// removes the first; every other menu works on its own.
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

// Writes the last finished check's curves as a CSV table
// (presentation/check_curves_table.h); an empty string on success.
QString SaveCurves(const QString& path);

}  // namespace modelcheck
