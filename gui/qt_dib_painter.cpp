#include "gui/qt_dib_painter.h"

#include <QImage>
#include <QPainter>

#include "jpeg/dib_pixel.h"

void QtDibPainter::DrawDib(int destX, int destY, int width, int height, int srcX, int srcY,
                           const DibView& dib) {
  if (width <= 0 || height <= 0) return;
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return;
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      RgbQuad p = DibPixel(dib, srcX + x, srcY + y);
      line[x] = qRgb(p.red, p.green, p.blue);
    }
  }
  painter_.drawImage(origin_ + QPoint(destX, destY), image);
}
