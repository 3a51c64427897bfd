// The widgets of the desktop program, touched only on the window thread: the
// main window with its menu bar and child-window area, the dialogue window
// "Input Window" and the plot window "Model efficiency".
//
// Child windows are placed in text cells of the main window: one cell is
// one character of the fixed-pitch font that the dialogue is written in, with
// a pixel to spare each way.
#pragma once

#include <QFont>
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <functional>

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace modelcheck {

class DialogueView;

// The main window; closing it asks `on_close` whether it may close now.
class DesktopMainWindow final : public QMainWindow {
 public:
  std::function<bool()> on_close;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

struct DesktopWindows {
  QPointer<DesktopMainWindow> main;
  QPointer<QMdiArea> area;
  QPointer<QMdiSubWindow> dialogue_frame;
  QPointer<DialogueView> dialogue;
  QPointer<QMdiSubWindow> plot_frame;
  QPointer<QLabel> plot;
  QImage picture;  // what the plot window shows: palette indices, 8 bits a pixel
  QFont cell_font;
};

DesktopWindows& Windows();

// Creates the main window with its menus and an empty child-window area.
void BuildMainWindow();

// The dialogue window and the plot window, created on first use.
DialogueView& DialogueWindowView();
QLabel& PlotWindowView();

// Places a child window at `column`, `row`, `rows` high and `columns` wide.
void PlaceInCells(QMdiSubWindow& frame, int column, int row, int rows, int columns);

// The title shown in the main window's frame.
inline constexpr const char* kMainWindowTitle = "modelcheck";

}  // namespace modelcheck
