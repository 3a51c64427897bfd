#include "apps/desktop/vector_painter.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

#include "plots/graphics_surface.h"
#include "presentation/neighbour_counts_file.h"

namespace modelcheck {

namespace {

QColor PaletteColour(int index) {
  const Rgb& rgb = kPalette[static_cast<std::size_t>(index)];
  return {rgb.red, rgb.green, rgb.blue};
}

void PaintItem(QPainter& painter, const VectorItem& item) {
  const QColor colour = PaletteColour(item.colour);
  QPen pen(colour, 1.0, Qt::SolidLine, Qt::SquareCap);
  painter.setPen(pen);
  switch (item.shape) {
    case VectorShape::kLine:
      painter.drawLine(QPointF(item.x1 + 0.5, item.y1 + 0.5), QPointF(item.x2 + 0.5, item.y2 + 0.5));
      break;
    case VectorShape::kPixel:
      painter.fillRect(QRectF(item.x1, item.y1, 1.0, 1.0), colour);
      break;
    case VectorShape::kRectangle:
      painter.drawRect(QRectF(QPointF(item.x1 + 0.5, item.y1 + 0.5), QPointF(item.x2 + 0.5, item.y2 + 0.5)));
      break;
    case VectorShape::kText: {
      QFont font(QString::fromStdString(item.font.typeface));
      font.setPixelSize(static_cast<int>(TextPixelSize(item)));
      font.setItalic(item.font.italic);
      font.setBold(item.font.bold);
      painter.setFont(font);
      painter.drawText(QPointF(item.x1, TextBaseline(item)), QString::fromLatin1(item.text.c_str()));
      break;
    }
  }
}

}  // namespace

void PaintVectorPicture(QPainter& painter, const VectorSurface& picture) {
  painter.fillRect(QRectF(0, 0, kSurfaceWidth, kSurfaceHeight), PaletteColour(picture.background));
  for (const VectorItem& item : picture.items) PaintItem(painter, item);
}

// Drawn into memory first and then replaced whole like every other output,
// so a failed or interrupted save never leaves half a PDF under `path`.
QString SavePdf(const VectorSurface& picture, const QString& path) {
  QBuffer document;
  document.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&document);
    writer.setPageSize(QPageSize(QSizeF(kSurfaceWidth, kSurfaceHeight), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);
    writer.setTitle(QString::fromStdString(picture.title));
    QPainter painter;
    if (!painter.begin(&writer)) return "Cannot draw the PDF for \"" + path + "\".";
    PaintVectorPicture(painter, picture);
    if (!painter.end()) return "Cannot draw the PDF for \"" + path + "\".";
  }
  const QByteArray& bytes = document.data();
  return QString::fromStdString(
      ReplaceTextFile(path.toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

}  // namespace modelcheck
