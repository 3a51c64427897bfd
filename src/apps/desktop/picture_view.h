// The picture of the plot window "Model efficiency", shown whole: scaled to
// fit the window with its aspect kept, centred on white, or at 100 %, one
// screen pixel a raster pixel, with scroll bars when the window is smaller.
// Scaled, a finished check is drawn again at the window's size from its
// recorded picture, so lines and text stay sharp; a check still being drawn,
// or one that stopped, is the raster smoothly scaled.
#pragma once

#include <QImage>
#include <QScrollArea>
#include <QWidget>
#include <optional>

#include "plots/vector_surface.h"

namespace modelcheck {

class PictureView final : public QWidget {
 public:
  explicit PictureView(QWidget* parent = nullptr);

  // A new raster; it replaces the recorded picture, which belongs to the last one.
  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }
  // The recorded picture of the finished check the raster shows.
  void setRecordedPicture(VectorSurface picture);
  bool showsRecordedPicture() const;

  // Where the picture is drawn in the widget, in widget pixels.
  QRect pictureRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
  std::optional<VectorSurface> recorded_;
};

// The scroll area that holds the view: fitted, it gives the view its whole
// viewport; at 100 %, the view keeps the picture's size and scrolls.
QScrollArea& PictureScrollArea(PictureView& view);

void SetActualSize(QScrollArea& area, PictureView& view, bool actual_size);

}  // namespace modelcheck
