#include "apps/desktop/desktop_menus.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <string>

#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/dialogue_view.h"
#include "apps/desktop/picture_view.h"
#include "apps/desktop/program_link.h"
#include "apps/desktop/vector_painter.h"
#include "apps/desktop/window_layout.h"
#include "presentation/check_curves_table.h"
#include "presentation/neighbour_counts_file.h"
#include "presentation/plot_image.h"
#include "presentation/svg_picture.h"

namespace modelcheck {

namespace {

bool HavePicture() { return !Windows().picture.isNull(); }

void ExplainNoPicture() {
  QMessageBox::information(Windows().main, "Model efficiency", "No model check has been drawn yet.");
}

void SavePictureAs() {
  if (!HavePicture()) return ExplainNoPicture();
  QString filter;
  const QString chosen =
      QFileDialog::getSaveFileName(Windows().main, "Save Picture As", kPlotImageFileName,
                                   "PNG images (*.png);;SVG pictures (*.svg);;PDF documents (*.pdf)", &filter);
  if (chosen.isEmpty()) return;
  const QString path = WithFilterSuffix(chosen, filter);
  const QString problem = SavePictureFile(path, filter);
  if (!problem.isEmpty()) QMessageBox::warning(Windows().main, "Save Picture As", problem);
}

void SaveCurvesAs() {
  if (!Windows().last_picture) {
    QMessageBox::information(Windows().main, "Model efficiency", "No model check has finished yet.");
    return;
  }
  const QString chosen =
      QFileDialog::getSaveFileName(Windows().main, "Save Curves As CSV", "model-curves.csv", "CSV tables (*.csv)");
  if (chosen.isEmpty()) return;
  const QString path = WithFilterSuffix(chosen, "CSV tables (*.csv)");
  const QString problem = SaveCurves(path);
  if (!problem.isEmpty()) QMessageBox::warning(Windows().main, "Save Curves As CSV", problem);
}

void ShowActualSize(bool actual_size) {
  Windows().actual_size = actual_size;
  if (Windows().plot != nullptr) SetActualSize(*Windows().plot_area, *Windows().plot, actual_size);
}

void CopyText() {
  DialogueView* view = Windows().dialogue;
  if (view == nullptr) return;
  if (view->textCursor().hasSelection()) {
    view->copy();
  } else {
    QApplication::clipboard()->setText(view->toPlainText());
  }
}

void CopyPicture() {
  if (!HavePicture()) return ExplainNoPicture();
  QApplication::clipboard()->setImage(Windows().picture.convertToFormat(QImage::Format_RGB32));
}

// Ends this series' pass at the program's next question, as answering
// "8) Different time series?" with y would, and the file chooser opens; a
// running check finishes first.
void OpenSeries() {
  bool running = false;
  {
    std::lock_guard lock(Link().mutex);
    // At the chooser already, or after the end: nothing to end.
    if (Link().done || Link().choosing_file) return;
    Link().open_series = true;
    running = Link().check_running;
  }
  Link().changed.notify_all();
  if (running && Windows().main != nullptr)
    Windows().main->statusBar()->showMessage("The file chooser opens when this model check ends.");
}

// The platform's frame commands, which the start-up hook removes.
void AddFrameMenu(QMenuBar& bar, QMainWindow& main_window) {
  QMenu* menu = bar.addMenu("F&rame");
  menu->addAction("&Restore", &main_window, &QMainWindow::showNormal);
  menu->addAction("Mi&nimise", &main_window, &QMainWindow::showMinimized);
  menu->addAction("Ma&ximise", &main_window, &QMainWindow::showMaximized);
  menu->addAction("&Close", &main_window, &QMainWindow::close);
}

void ShowAbout() {
  QMessageBox::about(Windows().main, "About modelcheck",
                     "modelcheck tests how well a local model map predicts a measured time series.\n\n"
                     "The dialogue in the Input Window asks for the settings; the window Model efficiency "
                     "shows each model check. report.txt and neighbors.txt are written in the working "
                     "directory.\n\nVersion " MODELCHECK_VERSION);
}

// Quit (Ctrl+Q) closes the main window, which asks first during a check. The
// action belongs to the main window itself, so it lives as long as the window
// and its shortcut works whichever menus the program keeps.
QAction& AddQuitAction(QMainWindow& main_window) {
  auto* quit = new QAction("&Quit", &main_window);
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  QObject::connect(quit, &QAction::triggered, &main_window, &QMainWindow::close);
  main_window.addAction(quit);
  return *quit;
}

void AddFileMenu(QMenuBar& bar, QAction& quit) {
  QMenu* menu = bar.addMenu("&File");
  menu->addAction("&Open Series...", QKeySequence::Open, &OpenSeries);
  menu->addSeparator();
  menu->addAction("Save Picture &As...", QKeySequence::Save, &SavePictureAs);
  menu->addAction("Save &Curves...", &SaveCurvesAs);
  menu->addSeparator();
  menu->addAction(&quit);
}

void AddEditMenu(QMenuBar& bar) {
  QMenu* menu = bar.addMenu("&Edit");
  menu->addAction("&Copy Text", QKeySequence::Copy, &CopyText);
  menu->addAction("Copy &Picture", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &CopyPicture);
}

void AddPictureMenu(QMenuBar& bar) {
  QMenu* menu = bar.addMenu("&Picture");
  QAction* actual = menu->addAction("&Actual Size (100 %)", &ShowActualSize);
  actual->setCheckable(true);
  menu->addAction("&Bring to Front", [] { BringToFront(Windows().plot_frame); });
}

void AddWindowMenu(QMenuBar& bar) {
  QMenu* menu = bar.addMenu("&Window");
  menu->addAction("&Tile", [] {
    if (Windows().dialogue_frame != nullptr)
      TileChildWindows(*Windows().area, *Windows().dialogue_frame, Windows().plot_frame);
  });
  menu->addAction("&Cascade", [] {
    if (Windows().dialogue_frame != nullptr)
      CascadeChildWindows(*Windows().area, *Windows().dialogue_frame, Windows().plot_frame);
  });
  menu->addSeparator();
  menu->addAction("&Input Window", [] { BringToFront(Windows().dialogue_frame); });
  menu->addAction("&Model efficiency", [] { BringToFront(Windows().plot_frame); });
}

}  // namespace

void AddMenus(QMainWindow& main_window) {
  QMenuBar& bar = *main_window.menuBar();
  QAction& quit = AddQuitAction(main_window);
  AddFrameMenu(bar, main_window);
  AddFileMenu(bar, quit);
  AddEditMenu(bar);
  AddPictureMenu(bar);
  AddWindowMenu(bar);
  bar.addMenu("&Help")->addAction("&About modelcheck", &ShowAbout);
}

QString SavePicture(const QImage& picture, const QString& path) {
  GraphicsSurface surface;
  surface.is_open = true;
  for (int y = 0; y < picture.height(); ++y) {
    const uchar* row = picture.constScanLine(y);
    surface.pixels.insert(surface.pixels.end(), row, row + picture.width());
  }
  std::string error;
  if (WritePlotImage(surface, path.toStdString(), error)) return {};
  return QString::fromStdString(error);
}

QString SavePictureFile(const QString& path, const QString& filter) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  const bool svg = suffix == "svg" || (suffix != "pdf" && suffix != "png" && filter.startsWith("SVG"));
  const bool pdf = suffix == "pdf" || (suffix != "svg" && suffix != "png" && filter.startsWith("PDF"));
  if (!svg && !pdf) return SavePicture(Windows().picture, path);
  if (!Windows().last_picture) return "The picture of a stopped model check can be saved as PNG only.";
  VectorSurface picture;
  DrawCheckPicture(picture, *Windows().last_picture);
  if (svg) return QString::fromStdString(ReplaceTextFile(path.toStdString(), SvgPicture(picture)));
  return SavePdf(picture, path);
}

QString WithFilterSuffix(const QString& path, const QString& filter) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  const qsizetype star = filter.indexOf("(*.");
  const qsizetype end = filter.indexOf(')', star);
  if (star < 0 || end < 0) return path;
  return path + filter.mid(star + 2, end - star - 2);
}

QString SaveCurves(const QString& path) {
  if (!Windows().last_picture) return "No model check has finished yet.";
  return QString::fromStdString(ReplaceTextFile(path.toStdString(), CheckCurvesTable(*Windows().last_picture)));
}

}  // namespace modelcheck
