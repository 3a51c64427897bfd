// The picture of the plot window "Model efficiency", shown whole: scaled to
// fit the window with its aspect kept (a smooth scale of the 800 × 600
// raster, centred on white), or at 100 %, one screen pixel a raster pixel,
// with scroll bars when the window is smaller.
#pragma once

#include <QImage>
#include <QScrollArea>
#include <QWidget>

namespace modelcheck {

class PictureView final : public QWidget {
 public:
  explicit PictureView(QWidget* parent = nullptr);

  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }

  // Where the picture is drawn in the widget, in widget pixels.
  QRect pictureRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

// The scroll area that holds the view: fitted, it gives the view its whole
// viewport; at 100 %, the view keeps the picture's size and scrolls.
QScrollArea& PictureScrollArea(PictureView& view);

void SetActualSize(QScrollArea& area, PictureView& view, bool actual_size);

}  // namespace modelcheck
