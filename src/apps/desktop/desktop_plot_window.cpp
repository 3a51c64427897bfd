// The plot window realised as the child window "Model efficiency": it shows
// copies of the raster, taken on the program's thread and handed over whole,
// so the window never reads pixels while the program draws them.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <chrono>
#include <utility>

#include "apps/desktop/desktop_front_end.h"
#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/picture_view.h"
#include "apps/desktop/window_thread.h"

namespace modelcheck {

namespace {

// Often enough to watch a long model check being drawn, seldom enough that
// copying the raster costs nothing next to the computation.
constexpr std::chrono::milliseconds kRepaintInterval{40};

std::chrono::steady_clock::time_point last_copy;  // the program's thread only

QImage CopyOfRaster(const GraphicsSurface& surface) {
  QImage image(kSurfaceWidth, kSurfaceHeight, QImage::Format_Indexed8);
  QList<QRgb> colours;
  for (const Rgb& colour : kPalette) colours.push_back(qRgb(colour.red, colour.green, colour.blue));
  image.setColorTable(colours);
  for (int y = 0; y < kSurfaceHeight; ++y) {
    const std::uint8_t* row = surface.pixels.data() + static_cast<std::size_t>(y) * kSurfaceWidth;
    std::copy(row, row + kSurfaceWidth, image.scanLine(y));
  }
  return image;
}

void Present(const GraphicsSurface& surface) {
  if (!surface.is_open || surface.pixels.size() != static_cast<std::size_t>(kSurfaceWidth) * kSurfaceHeight) return;
  last_copy = std::chrono::steady_clock::now();
  OnWindowThread([image = CopyOfRaster(surface)] {
    Windows().picture = image;
    PlotWindowView().setPicture(image);
  });
}

void ShowPlotWindow(const GraphicsSurface& surface) {
  OnWindowThread([title = QString::fromStdString(surface.title)] {
    PlotWindowView();
    Windows().plot_frame->setWindowTitle(title);
  });
}

// Every check asks for the same place; only the first is given it, so a
// window the user has moved or resized stays where it was put.
void PlacePlotWindow(int column, int row, int rows, int columns) {
  OnWindowThread([=] {
    PlotWindowView();
    if (Windows().plot_placed) return;
    Windows().plot_placed = true;
    PlacePlotWindowFirst(*Windows().plot_frame, column, row, rows, columns);
  });
}

void RefreshPlotWindow(const GraphicsSurface& surface) {
  if (std::chrono::steady_clock::now() - last_copy >= kRepaintInterval) Present(surface);
}

void BringPlotWindowToFront(const GraphicsSurface& surface) {
  Present(surface);
  OnWindowThread([] {
    QMdiSubWindow* frame = Windows().plot_frame;
    if (frame == nullptr) return;
    frame->show();
    Windows().area->setActiveSubWindow(frame);
    frame->raise();
  });
}

}  // namespace

SurfaceView PlotWindowSurfaceView() {
  return {.show = &ShowPlotWindow,
          .place = &PlacePlotWindow,
          .refresh = &RefreshPlotWindow,
          .bring_to_front = &BringPlotWindowToFront,
          .show_all = &Present};
}

void FinishPlotPicture(const GraphicsSurface& surface, DialogueWindow&) { Present(surface); }

void KeepCheckPicture(CheckPicture picture) {
  OnWindowThread([picture = std::move(picture)]() mutable {
    VectorSurface recorded;
    DrawCheckPicture(recorded, picture);
    PlotWindowView().setRecordedPicture(std::move(recorded));
    Windows().last_picture = std::move(picture);
  });
}

}  // namespace modelcheck
