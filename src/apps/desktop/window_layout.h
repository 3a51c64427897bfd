// Where the child windows go in the main window's area, at any screen size
// and scale factor: nothing placed beyond the area's visible part (the
// current question of the Input Window is always in view without scrolling
// the area), and Tile and Cascade that never shrink the picture below a
// readable size.
#pragma once

#include <QRect>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

namespace modelcheck {

// The smallest picture that Tile and Cascade leave, in device-independent
// pixels: half the plot's 800 x 600, still readable.
inline constexpr QSize kSmallestPicture{400, 300};

// `wanted` moved and, if need be, shrunk to lie inside `room` (both in the
// area's coordinates); a window at least `smallest` large where room allows.
QRect FitInside(const QRect& wanted, const QRect& room, const QSize& smallest = {});

// Moves and shrinks `frame` into the area's visible part.
void FitInArea(QMdiSubWindow& frame);

// Keeps every child window inside the visible part whenever the area
// changes size (a smaller screen, the window restored from maximised).
void KeepChildWindowsInArea(QMdiArea& area);

// The Input Window `dialogue` and the plot window `plot` (null or hidden:
// the dialogue alone) side by side (the plot below when the area is too
// narrow for both), the picture at least kSmallestPicture where the area
// allows; the dialogue's last line stays in view.
void TileChildWindows(QMdiArea& area, QMdiSubWindow& dialogue, QMdiSubWindow* plot);

// The two windows overlapping, the dialogue a title bar's height further in
// and in front, the picture at least kSmallestPicture, both inside the
// visible part; the dialogue's last line stays in view.
void CascadeChildWindows(QMdiArea& area, QMdiSubWindow& dialogue, QMdiSubWindow* plot);

}  // namespace modelcheck
