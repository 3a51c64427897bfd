#include "apps/desktop/picture_view.h"

#include <QPainter>

#include "apps/desktop/vector_painter.h"
#include "plots/graphics_surface.h"

namespace modelcheck {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  setMinimumSize(80, 60);
}

void PictureView::setPicture(const QImage& picture) {
  picture_ = picture;
  recorded_.reset();
  update();
}

void PictureView::setRecordedPicture(VectorSurface picture) {
  recorded_ = std::move(picture);
  update();
}

// At 100 % the raster is exact; any other size is drawn again from the record.
bool PictureView::showsRecordedPicture() const {
  return recorded_.has_value() && pictureRect().size() != picture_.size();
}

QRect PictureView::pictureRect() const {
  if (picture_.isNull()) return {};
  const QSize fitted = picture_.size().scaled(size(), Qt::KeepAspectRatio);
  return {QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted};
}

void PictureView::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  const QRect target = pictureRect();
  if (showsRecordedPicture()) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / static_cast<double>(kSurfaceWidth),
                  target.height() / static_cast<double>(kSurfaceHeight));
    PaintVectorPicture(painter, *recorded_);
    return;
  }
  // A smooth scale keeps the one-pixel curves visible when the picture shrinks.
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture_);
}

QScrollArea& PictureScrollArea(PictureView& view) {
  auto* area = new QScrollArea;
  area->setBackgroundRole(QPalette::Base);
  area->setAlignment(Qt::AlignCenter);
  area->setWidget(&view);
  SetActualSize(*area, view, false);
  return *area;
}

void SetActualSize(QScrollArea& area, PictureView& view, bool actual_size) {
  area.setWidgetResizable(!actual_size);
  if (actual_size) view.resize(kSurfaceWidth, kSurfaceHeight);
}

}  // namespace modelcheck
