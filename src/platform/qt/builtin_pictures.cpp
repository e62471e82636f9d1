#include <QPainter>
#include <QPainterPath>

#include "platform/qt/qt_controls.h"

namespace tf::ui {

namespace {
constexpr int kButtonSize = 80;

// A round button face with a soft gradient, the symbol drawn by `symbol`
// and a caption under it.
QPixmap Button(const QColor& base, const QString& caption,
               const std::function<void(QPainter&)>& symbol) {
  QPixmap pixmap(kButtonSize, kButtonSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  QRadialGradient gradient(QPointF(34, 22), 46);
  gradient.setColorAt(0, base.lighter(150));
  gradient.setColorAt(1, base.darker(130));
  painter.setBrush(gradient);
  painter.setPen(QPen(base.darker(200), 1.5));
  painter.drawEllipse(QRectF(14, 2, 52, 52));
  painter.save();
  painter.translate(40, 28);
  symbol(painter);
  painter.restore();
  QFont font("Arial");
  font.setPixelSize(13);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(250, 246, 232));
  painter.drawText(QRectF(0, 56, kButtonSize, 22), Qt::AlignCenter, caption);
  return pixmap;
}

QPixmap SmallRound(const QColor& base, const QString& glyph, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setBrush(base);
  painter.setPen(QPen(base.darker(180), 1.2));
  painter.drawEllipse(QRectF(1, 1, size - 2, size - 2));
  QFont font("Liberation Serif");
  font.setPixelSize(size * 2 / 3);
  font.setBold(true);
  font.setItalic(glyph == "i");
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, glyph);
  return pixmap;
}
}  // namespace

QPixmap MakeBuiltinPicture(BuiltinPicture picture) {
  const QPen symbolPen(QColor(255, 252, 240), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  switch (picture) {
    case BuiltinPicture::NewGame:
      return Button(QColor(46, 139, 87), "New game", [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 252, 240));
        p.drawPolygon(QPolygonF({QPointF(-8, -13), QPointF(14, 0), QPointF(-8, 13)}));
      });
    case BuiltinPicture::LoadGame:
      return Button(QColor(52, 101, 164), "Load game", [&](QPainter& p) {
        p.setPen(symbolPen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(-12, -8, 24, 18));
        p.drawLine(QPointF(0, -16), QPointF(0, 3));
        p.drawPolyline(QPolygonF({QPointF(-6, -3), QPointF(0, 3), QPointF(6, -3)}));
      });
    case BuiltinPicture::Quit:
      return Button(QColor(178, 54, 44), "Quit", [&](QPainter& p) {
        p.setPen(symbolPen);
        p.drawArc(QRectF(-12, -11, 24, 24), 120 * 16, 300 * 16);
        p.drawLine(QPointF(0, -15), QPointF(0, -1));
      });
    case BuiltinPicture::Information:
      return SmallRound(QColor(52, 101, 164), "i", 22);
    case BuiltinPicture::Back:
      return SmallRound(QColor(90, 90, 90), QString::fromUtf8("\u2190"), 22);
    case BuiltinPicture::About:
      return SmallRound(QColor(196, 140, 40), "T", 18);
    case BuiltinPicture::MakerLink: {
      QPixmap pixmap(120, 28);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      painter.setRenderHint(QPainter::Antialiasing, true);
      painter.setBrush(QColor(196, 140, 40));
      painter.setPen(Qt::NoPen);
      painter.drawRoundedRect(QRectF(0.5, 0.5, 119, 27), 6, 6);
      QFont font("Arial");
      font.setPixelSize(13);
      font.setBold(true);
      painter.setFont(font);
      painter.setPen(Qt::white);
      painter.drawText(QRectF(0, 0, 120, 28), Qt::AlignCenter, "Veltrane");
      return pixmap;
    }
  }
  return {};
}

}  // namespace tf::ui
