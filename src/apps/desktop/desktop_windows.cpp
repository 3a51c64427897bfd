#include "apps/desktop/desktop_windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "apps/desktop/desktop_menus.h"
#include "apps/desktop/dialogue_view.h"
#include "apps/desktop/picture_view.h"
#include "apps/desktop/program_link.h"
#include "apps/desktop/window_layout.h"

namespace modelcheck {

namespace {

constexpr int kCellRows = 31;
constexpr int kCellColumns = 47;
// Narrower than this beside the dialogue, the picture is better tiled.
constexpr int kNarrowestPlot = 320;

QMdiSubWindow& AddChildWindow(QWidget* content, const QString& title) {
  QMdiSubWindow* frame = Windows().area->addSubWindow(content);
  frame->setWindowTitle(title);
  frame->setAttribute(Qt::WA_DeleteOnClose, false);
  return *frame;
}

// The Input Window holds the whole dialogue: its close button does nothing,
// so no transcript and no typed key is ever lost with it.
class KeepOpen final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Close) return QObject::eventFilter(watched, event);
    event->ignore();
    return true;
  }
};

// Typing always goes to the dialogue: whenever the keyboard focus lands on
// another part of the main window (the plot window after a click, the menu
// bar after a menu closed with Escape, a child window after tiling), the
// Input Window takes it back once the event that moved it is done.
void KeepTypingInTheDialogue() {
  QObject::connect(qApp, &QApplication::focusChanged, [](QWidget*, QWidget* now) {
    DialogueView* dialogue = Windows().dialogue;
    if (now == nullptr || dialogue == nullptr || now == dialogue || now->window() != Windows().main) return;
    QTimer::singleShot(0, dialogue, [dialogue] { dialogue->setFocus(); });
  });
}

// Keys typed for the dialogue reach it even when they arrive before the
// Input Window has the focus back: while it is minimised, or in the moment a
// window that came to the front holds the focus. Shortcuts, keys with Ctrl
// or Alt, and the menu bar's own navigation are left alone.
class KeysGoToTheDialogue final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    DialogueView* dialogue = Windows().dialogue;
    auto* receiver = qobject_cast<QWidget*>(watched);
    // A key the dialogue does not take travels up to its parents: it is not
    // handed to the dialogue a second time.
    if (forwarding_ || dialogue == nullptr || receiver == nullptr || receiver == dialogue) return false;
    if (receiver->window() != Windows().main || qobject_cast<QMenuBar*>(receiver) != nullptr) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if ((key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) return false;
    if (event->type() == QEvent::KeyPress) {
      BringToFront(Windows().dialogue_frame);
      dialogue->setFocus();
    }
    forwarding_ = true;
    QCoreApplication::sendEvent(dialogue, event);
    forwarding_ = false;
    return true;
  }

 private:
  bool forwarding_ = false;
};

}  // namespace

void BringToFront(QMdiSubWindow* frame) {
  if (frame == nullptr) return;
  if (frame->isMinimized()) {
    frame->showNormal();
  } else {
    frame->show();
  }
  Windows().area->setActiveSubWindow(frame);
  frame->raise();
}

void DesktopMainWindow::closeEvent(QCloseEvent* event) {
  if (!on_close || on_close()) {
    event->accept();
  } else {
    event->ignore();
  }
}

DesktopWindows& Windows() {
  static DesktopWindows windows;
  return windows;
}

void BuildMainWindow() {
  DesktopWindows& windows = Windows();
  windows.main = new DesktopMainWindow;
  windows.main->setWindowTitle(kMainWindowTitle);
  windows.area = new QMdiArea(windows.main);
  windows.area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  windows.area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  windows.main->setCentralWidget(windows.area);
  // Maximise acts on the window it is clicked on: the Input Window taking
  // the focus back must not be maximised in its turn.
  windows.area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
  KeepChildWindowsInArea(*windows.area);
  windows.cell_font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  AddMenus(*windows.main);
  windows.answer_read = new QLabel;
  windows.main->statusBar()->addPermanentWidget(windows.answer_read);
  KeepTypingInTheDialogue();
  qApp->installEventFilter(new KeysGoToTheDialogue(windows.main));
  windows.main->resize(1024, 640);  // the size it returns to when no longer maximised
}

DialogueView& DialogueWindowView() {
  DesktopWindows& windows = Windows();
  if (windows.dialogue == nullptr) {
    windows.dialogue = new DialogueView;
    windows.dialogue->setFont(windows.cell_font);
    windows.dialogue->on_line = [](const std::string& line) {
      {
        std::lock_guard lock(Link().mutex);
        Link().typed_lines.push_back(line);
      }
      Link().changed.notify_all();
    };
    windows.dialogue_frame = &AddChildWindow(windows.dialogue, "Input Window");
    windows.dialogue_frame->installEventFilter(new KeepOpen(windows.dialogue_frame));
    PlaceInCells(*windows.dialogue_frame, 0, 0, kCellRows, kCellColumns);
    windows.dialogue_frame->show();
  }
  return *windows.dialogue;
}

PictureView& PlotWindowView() {
  DesktopWindows& windows = Windows();
  if (windows.plot == nullptr) {
    windows.plot = new PictureView;
    windows.plot_area = &PictureScrollArea(*windows.plot);
    SetActualSize(*windows.plot_area, *windows.plot, windows.actual_size);
    windows.plot_frame = &AddChildWindow(windows.plot_area, "Model efficiency");
    windows.plot_frame->show();
  }
  return *windows.plot;
}

void PlacePlotWindowFirst(QMdiSubWindow& frame, int column, int row, int rows, int columns) {
  PlaceInCells(frame, column, row, rows, columns);
  const QSize room = Windows().area->viewport()->size();
  const QRect cells = frame.geometry();
  const int width = std::max(cells.width(), room.width() - cells.left());
  const int height = std::max(cells.height(), room.height() - cells.top());
  if (room.width() - cells.left() < kNarrowestPlot) {
    if (Windows().dialogue_frame != nullptr) TileChildWindows(*Windows().area, *Windows().dialogue_frame, &frame);
    return;
  }
  frame.setGeometry(cells.left(), cells.top(), width, height);
  FitInArea(frame);
}

QString MainWindowTitle(bool finished) {
  QString title = kMainWindowTitle;
  if (!Windows().series_name.isEmpty()) title += " - " + Windows().series_name;
  return finished ? title + " [Finished]" : title;
}

// A cell is one character of the dialogue's font and the pixel beside and
// below it, so that a window 47 cells wide still shows 47 characters inside
// its frame.
void PlaceInCells(QMdiSubWindow& frame, int column, int row, int rows, int columns) {
  const QFontMetrics metrics(Windows().cell_font);
  const int width = metrics.horizontalAdvance(QLatin1Char('0')) + 1;
  const int height = metrics.lineSpacing() + 1;
  frame.setGeometry(column * width, row * height, columns * width, rows * height);
  // On a small screen or at a large scale factor the cells asked for may not
  // fit: the window is kept inside, so its last line is always seen.
  FitInArea(frame);
}

}  // namespace modelcheck
