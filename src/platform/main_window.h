// The main window that holds the dialogue window and the plot window.
//
// A console has no main window: both operations change nothing there. In a
// desktop window they act on the main window's frame and its menu bar; they
// may be called from the program's thread or the window thread.
#pragma once

namespace modelcheck {

// The main window fills the screen.
void MaximiseMainWindow();

// Removes the menu at one-based `position` of the menu bar with all its
// items; a position with no menu changes nothing.
void RemoveMenu(int position);

// Start-up hook, run once before the dialogue begins: the main window is
// maximised and loses its first menu. Returns true.
bool ConfigureMainWindow();

}  // namespace modelcheck
