#pragma once
// Paints a device-independent bitmap with a QPainter, at a fixed origin of the
// painter's surface (the preview control's top-left corner).
#include <QPoint>

#include "jpeg/dib_painter.h"

class QPainter;

class QtDibPainter : public DibPainter {
 public:
  QtDibPainter(QPainter& painter, QPoint origin) : painter_(painter), origin_(origin) {}
  void DrawDib(int destX, int destY, int width, int height, int srcX, int srcY,
               const DibView& dib) override;

 private:
  QPainter& painter_;
  QPoint origin_;
};
