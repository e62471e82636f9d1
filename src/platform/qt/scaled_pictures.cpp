#include "platform/qt/scaled_pictures.h"

#include <cstdint>
#include <list>

#include "platform/qt/picture_store.h"

namespace tf::ui {

namespace {

// Scaled copies of pictures drawn lately, the least recently used dropped
// first beyond the budget: about two scaled-up screens.
class ScaledCopies {
 public:
  static constexpr int64_t kBudgetBytes = 32LL * 1024 * 1024;

  QPixmap Get(const QPixmap& pixmap, QSize size, bool smooth) {
    const Key key{pixmap.cacheKey(), size.width(), size.height(), smooth};
    for (auto kept = copies_.begin(); kept != copies_.end(); ++kept) {
      if (kept->key != key) continue;
      copies_.splice(copies_.end(), copies_, kept);
      return kept->pixmap;
    }
    QPixmap scaled = pixmap.scaled(size, Qt::IgnoreAspectRatio,
                                   smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
    copies_.push_back({key, scaled});
    bytes_ += PixmapBytes(scaled);
    while (bytes_ > kBudgetBytes && copies_.size() > 1) {
      bytes_ -= PixmapBytes(copies_.front().pixmap);
      copies_.pop_front();
    }
    return scaled;
  }

 private:
  struct Key {
    qint64 picture;
    int width;
    int height;
    bool smooth;
    bool operator==(const Key&) const = default;
  };
  struct Copy {
    Key key;
    QPixmap pixmap;
  };

  std::list<Copy> copies_;  // least recently used first
  int64_t bytes_ = 0;
};

ScaledCopies& Copies() {
  static ScaledCopies copies;
  return copies;
}

}  // namespace

QRect RoundedPixels(const QRectF& rect) {
  return QRect(QPoint(qRound(rect.left()), qRound(rect.top())),
               QPoint(qRound(rect.right()) - 1, qRound(rect.bottom()) - 1));
}

void DrawScaledPicture(QPainter& painter, const QPixmap& pixmap, const QRect& target) {
  if (pixmap.isNull() || target.isEmpty()) return;
  const QTransform transform = painter.combinedTransform();
  if (transform.type() > QTransform::TxScale || transform.m11() <= 0 || transform.m22() <= 0) {
    painter.drawPixmap(target, pixmap);
    return;
  }
  const QRect pixels = RoundedPixels(transform.mapRect(QRectF(target)));
  const QPoint topLeft = pixels.topLeft();
  const QSize size = pixels.size();
  if (size.isEmpty()) return;
  // Pixel for pixel: with smoothing asked for, Qt takes its general (and
  // far slower, many-threaded) path even where nothing is scaled.
  const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
  if (size == pixmap.size() && transform.type() <= QTransform::TxTranslate) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(target.topLeft(), pixmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    return;
  }
  const QPixmap shown = size == pixmap.size() ? pixmap : Copies().Get(pixmap, size, smooth);
  painter.save();
  painter.resetTransform();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawPixmap(topLeft, shown);
  painter.restore();
}

}  // namespace tf::ui
