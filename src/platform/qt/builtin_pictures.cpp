#include "platform/qt/builtin_pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

namespace tf::ui {

namespace {
constexpr int kButtonSize = 80;
constexpr int kSignSize = 22;
constexpr int kAboutSize = 18;
constexpr QSize kMakerLinkSize(120, 28);

BuiltinPicturesAhead* ahead = nullptr;

// A round button face with a soft gradient, the symbol drawn by `symbol`
// and a caption under it.
void Button(QPainter& painter, const QColor& base, const QString& caption,
            const std::function<void(QPainter&)>& symbol) {
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
}

void SmallRound(QPainter& painter, const QColor& base, const QString& glyph, int size) {
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
}

void Draw(QPainter& painter, BuiltinPicture picture) {
  const QPen symbolPen(QColor(255, 252, 240), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  switch (picture) {
    case BuiltinPicture::NewGame:
      Button(painter, QColor(46, 139, 87), "New game", [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 252, 240));
        p.drawPolygon(QPolygonF({QPointF(-8, -13), QPointF(14, 0), QPointF(-8, 13)}));
      });
      return;
    case BuiltinPicture::LoadGame:
      Button(painter, QColor(52, 101, 164), "Load game", [&](QPainter& p) {
        p.setPen(symbolPen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(-12, -8, 24, 18));
        p.drawLine(QPointF(0, -16), QPointF(0, 3));
        p.drawPolyline(QPolygonF({QPointF(-6, -3), QPointF(0, 3), QPointF(6, -3)}));
      });
      return;
    case BuiltinPicture::Quit:
      Button(painter, QColor(178, 54, 44), "Quit", [&](QPainter& p) {
        p.setPen(symbolPen);
        p.drawArc(QRectF(-12, -11, 24, 24), 120 * 16, 300 * 16);
        p.drawLine(QPointF(0, -15), QPointF(0, -1));
      });
      return;
    case BuiltinPicture::Information:
      SmallRound(painter, QColor(52, 101, 164), "i", kSignSize);
      return;
    case BuiltinPicture::Back:
      SmallRound(painter, QColor(90, 90, 90), QString::fromUtf8("\u2190"), kSignSize);
      return;
    case BuiltinPicture::About:
      SmallRound(painter, QColor(196, 140, 40), "T", kAboutSize);
      return;
    case BuiltinPicture::MakerLink: {
      painter.setBrush(QColor(196, 140, 40));
      painter.setPen(Qt::NoPen);
      painter.drawRoundedRect(QRectF(0.5, 0.5, 119, 27), 6, 6);
      QFont font("Arial");
      font.setPixelSize(13);
      font.setBold(true);
      painter.setFont(font);
      painter.setPen(Qt::white);
      painter.drawText(QRectF(QPointF(0, 0), kMakerLinkSize), Qt::AlignCenter, "Veltrane");
      return;
    }
  }
}

// An image, not a pixmap, so that a thread other than the window's may draw
// it; the pixels come out the same. Drawn in as many pixels as a desktop of
// that device pixel ratio shows it in, so that it stays sharp there.
QImage DrawBuiltinPicture(BuiltinPicture picture, qreal ratio) {
  const QSize size = BuiltinPictureSize(picture);
  QImage image(static_cast<int>(std::ceil(size.width() * ratio)),
               static_cast<int>(std::ceil(size.height() * ratio)),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  Draw(painter, picture);
  painter.end();
  return image;
}
}  // namespace

BuiltinPicturesAhead::BuiltinPicturesAhead() : ratio_(qApp->devicePixelRatio()) {
  ahead = this;
  drawing_ = std::thread([this] {
    for (size_t i = 0; i < pictures_.size(); ++i)
      pictures_[i] = DrawBuiltinPicture(static_cast<BuiltinPicture>(i), ratio_);
  });
}

BuiltinPicturesAhead::~BuiltinPicturesAhead() {
  if (drawing_.joinable()) drawing_.join();
  ahead = nullptr;
}

QSize BuiltinPictureSize(BuiltinPicture picture) {
  switch (picture) {
    case BuiltinPicture::NewGame:
    case BuiltinPicture::LoadGame:
    case BuiltinPicture::Quit:
      return {kButtonSize, kButtonSize};
    case BuiltinPicture::Information:
    case BuiltinPicture::Back:
      return {kSignSize, kSignSize};
    case BuiltinPicture::About:
      return {kAboutSize, kAboutSize};
    case BuiltinPicture::MakerLink:
      return kMakerLinkSize;
  }
  return {};
}

QPixmap MakeBuiltinPicture(BuiltinPicture picture) {
  const qreal ratio = qApp->devicePixelRatio();
  if (!ahead || ahead->ratio_ != ratio)
    return QPixmap::fromImage(DrawBuiltinPicture(picture, ratio));
  if (ahead->drawing_.joinable()) ahead->drawing_.join();
  return QPixmap::fromImage(ahead->pictures_[static_cast<size_t>(picture)]);
}

}  // namespace tf::ui
