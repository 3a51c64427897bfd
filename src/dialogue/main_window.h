// The main window that holds the dialogue window and the plot window, as a
// front-end with windows gives it to the start-up hook. A console has no main
// window: it gives none, and the hook changes nothing there.
#pragma once

#include <functional>

namespace modelcheck {

struct MainWindow {
  // The main window fills the screen.
  std::function<void()> maximise;
  // Removes the menu at one-based `position` of the menu bar with all its
  // items; a position with no menu changes nothing.
  std::function<void(int position)> remove_menu;
};

// Start-up hook, run once before the dialogue begins: the main window is
// maximised and loses its first menu. Returns true.
bool ConfigureMainWindow(const MainWindow& window);

}  // namespace modelcheck
