#include "qt/glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

// The icon file is compiled into this static library; its registration is called for, as
// nothing else would pull it into the program.
static void InitVelmoraResources() {
  Q_INIT_RESOURCE(velmora);
}

namespace velmora::qt {
namespace {

const QColor kBlue(0x1f, 0x5f, 0xd0);
const QColor kGreen(0x2e, 0xa0, 0x4a);

QColor Grey(const QColor& c) {
  const int g = qGray(c.rgb());
  return QColor(g, g, g);
}

}  // namespace

QPixmap Glyph(int index, int size, qreal pixelRatio) {
  QPixmap pixmap(QSize(size, size) * pixelRatio);
  pixmap.setDevicePixelRatio(pixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  const bool grey = index % 2 == 1;
  const auto tone = [grey](const QColor& c) { return grey ? Grey(c) : c; };
  switch (index / 2) {
    case 0:  // start: a right-pointing triangle
      p.setPen(QPen(tone(kBlue.darker(130)), 0.8));
      p.setBrush(tone(kBlue));
      p.drawPolygon(QPolygonF({{4, 2.5}, {13, 8}, {4, 13.5}}));
      break;
    case 1: {  // exit: an open door and an arrow pointing left
      p.setPen(QPen(tone(QColor(0x80, 0x50, 0x20)), 1));
      p.setBrush(tone(QColor(0xc8, 0x90, 0x50)));
      p.drawRect(QRectF(8.5, 1.5, 6, 13));
      p.setBrush(tone(QColor(0x90, 0x60, 0x30)));
      p.drawPolygon(QPolygonF({{8.5, 1.5}, {11.5, 3}, {11.5, 15}, {8.5, 14.5}}));
      p.setPen(QPen(tone(kBlue), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawLine(QPointF(7, 8), QPointF(1.8, 8));
      p.drawPolyline(QPolygonF({{4.2, 5.2}, {1.6, 8}, {4.2, 10.8}}));
      break;
    }
    case 2:  // stop: a square
      p.setPen(QPen(tone(kBlue.darker(130)), 0.8));
      p.setBrush(tone(kBlue));
      p.drawRect(QRectF(3, 3, 10, 10));
      break;
    default:  // clear: a rounded block
      p.setPen(QPen(tone(kGreen.darker(130)), 0.8));
      p.setBrush(tone(kGreen));
      p.drawRoundedRect(QRectF(2, 4, 12, 8), 3, 3);
      break;
  }
  return pixmap;
}

QIcon ToolButtonIcon(int index, qreal pixelRatio) {
  QIcon icon;
  icon.addPixmap(Glyph(index, 16, pixelRatio), QIcon::Normal);
  icon.addPixmap(Glyph(index + 1, 16, pixelRatio), QIcon::Disabled);
  return icon;
}

QIcon ApplicationIcon() {
  static const bool registered = (InitVelmoraResources(), true);
  (void)registered;
  return QIcon(":/velmora/Velmora.ico");
}

}  // namespace velmora::qt
