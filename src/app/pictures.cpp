#include "app/pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace wrenly {
namespace {

constexpr QColor kInk(0x1F, 0x4E, 0x8C);
constexpr QColor kPaper(0xFF, 0xFF, 0xFF);

QPixmap Blank(int Width, int Height) {
  QPixmap pixmap(Width, Height);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace

QPixmap LogoPicture() {
  QPixmap pixmap = Blank(87, 16);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);

  // A speech bubble with its tail at the lower left.
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(1.5, 1.5, 17, 10), 3, 3);
  QPainterPath tail;
  tail.moveTo(4, 10);
  tail.lineTo(3, 15);
  tail.lineTo(9, 10);
  tail.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(kInk);
  painter.drawPath(bubble.united(tail));
  painter.setBrush(kPaper);
  for (int dot = 0; dot < 3; ++dot) {
    painter.drawEllipse(QPointF(5.5 + 4.5 * dot, 6.5), 1.3, 1.3);
  }

  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(13);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(kInk);
  painter.drawText(QRect(22, 0, 65, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Wrenly"));
  return pixmap;
}

QPixmap ContactsPicture() {
  QPixmap pixmap = Blank(16, 16);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);

  // A card with a person on its left half and two lines of writing on its right.
  painter.setPen(QPen(kInk, 1));
  painter.setBrush(kPaper);
  painter.drawRoundedRect(QRectF(0.5, 2.5, 15, 11), 1.5, 1.5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kInk);
  painter.drawEllipse(QPointF(5, 6.5), 1.8, 1.8);
  QPainterPath shoulders;
  shoulders.moveTo(2, 12);
  shoulders.cubicTo(2, 8.5, 8, 8.5, 8, 12);
  shoulders.closeSubpath();
  painter.drawPath(shoulders);
  painter.drawRect(QRectF(9.5, 5.5, 4, 1));
  painter.drawRect(QRectF(9.5, 8.5, 4, 1));
  return pixmap;
}

}  // namespace wrenly
