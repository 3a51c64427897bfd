// The main window's frame and menu bar, as the start-up hook asks.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "apps/desktop/desktop_front_end.h"
#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/window_thread.h"

namespace modelcheck {

namespace {

void MaximiseMainWindow() {
  OnWindowThread([] {
    DesktopMainWindow* main = Windows().main;
    if (main == nullptr) return;
    // Without a window manager a request to maximise is never answered, so
    // the window is first given the screen's free area itself.
    if (const QScreen* screen = main->screen(); screen != nullptr) main->setGeometry(screen->availableGeometry());
    main->showMaximized();
  });
}

void RemoveMenu(int position) {
  OnWindowThread([position] {
    if (Windows().main == nullptr || position < 1) return;
    const QList<QAction*> menus = Windows().main->menuBar()->actions();
    if (position > menus.size()) return;
    QAction* entry = menus[position - 1];
    Windows().main->menuBar()->removeAction(entry);
    // The menu goes with its own entry: a menu left without it would leave
    // every shortcut of its items pointing at a deleted entry.
    if (QMenu* menu = entry->menu<QMenu*>(); menu != nullptr) {
      menu->deleteLater();
    } else {
      entry->deleteLater();
    }
  });
}

}  // namespace

MainWindow DesktopMainWindowOperations() { return {.maximise = &MaximiseMainWindow, .remove_menu = &RemoveMenu}; }

}  // namespace modelcheck
