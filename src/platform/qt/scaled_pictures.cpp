#include "platform/qt/scaled_pictures.h"

#include <cstdint>
#include <functional>
#include <iterator>
#include <list>
#include <unordered_map>

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
    if (auto kept = index_.find(key); kept != index_.end()) {
      copies_.splice(copies_.end(), copies_, kept->second);
      return kept->second->pixmap;
    }
    QPixmap scaled = pixmap.scaled(size, Qt::IgnoreAspectRatio,
                                   smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
    copies_.push_back({key, scaled});
    index_.emplace(key, std::prev(copies_.end()));
    bytes_ += PixmapBytes(scaled);
    while (bytes_ > kBudgetBytes && copies_.size() > 1) {
      bytes_ -= PixmapBytes(copies_.front().pixmap);
      index_.erase(copies_.front().key);
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
  struct KeyHash {
    size_t operator()(const Key& key) const {
      return std::hash<qint64>()(key.picture) ^ (size_t(key.width) << 1) ^
             (size_t(key.height) << 17) ^ size_t(key.smooth);
    }
  };
  struct Copy {
    Key key;
    QPixmap pixmap;
  };

  std::list<Copy> copies_;  // least recently used first
  std::unordered_map<Key, std::list<Copy>::iterator, KeyHash> index_;
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
  // Up to the device's own pixels, a scaled desktop's ratio included.
  const QTransform transform = painter.deviceTransform();
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
    painter.drawPixmap(target, pixmap, pixmap.rect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    return;
  }
  const QPixmap shown = ScaledPicture(pixmap, size, smooth);
  painter.save();
  PaintInDevicePixels(painter);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // Its pixels one for one, whatever ratio a picture drawn for a scaled
  // desktop carries.
  painter.drawPixmap(QRect(topLeft, size), shown, shown.rect());
  painter.restore();
}

void PaintInDevicePixels(QPainter& painter) {
  painter.resetTransform();
  painter.setWorldTransform(painter.deviceTransform().inverted());
}

QPixmap ScaledPicture(const QPixmap& pixmap, QSize size, bool smooth) {
  return size == pixmap.size() ? pixmap : Copies().Get(pixmap, size, smooth);
}

}  // namespace tf::ui
