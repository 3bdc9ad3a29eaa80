#include "gui/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
QPixmap Draw(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 150));
  p.drawRoundedRect(QRectF(0.03 * s, 0.03 * s, 0.94 * s, 0.94 * s), 0.12 * s, 0.12 * s);
  p.setBrush(QColor(250, 245, 230));
  p.drawRect(QRectF(0.16 * s, 0.2 * s, 0.68 * s, 0.6 * s));
  p.setBrush(QColor(230, 120, 20));
  p.drawEllipse(QPointF(0.64 * s, 0.36 * s), 0.08 * s, 0.08 * s);
  QPainterPath hills;
  hills.moveTo(0.16 * s, 0.8 * s);
  hills.lineTo(0.36 * s, 0.48 * s);
  hills.lineTo(0.5 * s, 0.66 * s);
  hills.lineTo(0.62 * s, 0.54 * s);
  hills.lineTo(0.84 * s, 0.8 * s);
  hills.closeSubpath();
  p.setBrush(QColor(0, 150, 0));
  p.drawPath(hills);
  return pixmap;
}
}  // namespace

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addPixmap(Draw(size));
  return icon;
}
