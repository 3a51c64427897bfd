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
#include <QString>
#include <functional>
#include <optional>

#include "presentation/check_picture.h"

class QLabel;
class QMessageBox;
class QMdiArea;
class QMdiSubWindow;
class QScrollArea;

namespace modelcheck {

class DialogueView;
class PictureView;

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
  QPointer<QScrollArea> plot_area;
  QPointer<PictureView> plot;
  QImage picture;                            // what the plot window shows: palette indices, 8 bits a pixel
  bool plot_placed = false;                  // only the first check places the plot window; later ones leave it be
  bool actual_size = false;                  // the picture at 100 % instead of fitted to the window
  QPointer<QLabel> answer_read;              // the status line's value of the last answer
  QPointer<QMessageBox> quit_question;       // "Stop it and quit?" while a check runs
  std::optional<CheckPicture> last_picture;  // the finished check, for pictures that scale and its curves
  QString series_name;                       // file name of the series, for the title
  QString series_folder;                     // where the file chooser opens
  QFont cell_font;
};

DesktopWindows& Windows();

// Creates the main window with its menus and an empty child-window area.
void BuildMainWindow();

// The dialogue window and the plot window, created on first use.
DialogueView& DialogueWindowView();
PictureView& PlotWindowView();

// The plot window's first place: as the dialogue asks, `columns` cells wide
// at least, and as wide and high as the area leaves beside the dialogue so
// the picture is seen whole; on an area too small for both, the windows tile.
void PlacePlotWindowFirst(QMdiSubWindow& frame, int column, int row, int rows, int columns);

// "modelcheck - henon.txt", with " [Finished]" when the program has ended.
QString MainWindowTitle(bool finished);

// Brings a child window to the front, showing it again when it was closed
// (its content kept) or minimised; null changes nothing.
void BringToFront(QMdiSubWindow* frame);

// Places a child window at `column`, `row`, `rows` high and `columns` wide.
void PlaceInCells(QMdiSubWindow& frame, int column, int row, int rows, int columns);

// The title shown in the main window's frame.
inline constexpr const char* kMainWindowTitle = "modelcheck";

}  // namespace modelcheck
