#include "platform/qt/qt_video_surfaces.h"

#include <QGraphicsItem>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/qt/qt_controls.h"

namespace tf::ui {

namespace {
// Above the stacking order of every control.
constexpr qreal kAboveEverything = 1e18;

class VideoItem : public QGraphicsItem {
 public:
  VideoItem(QGraphicsItem* parent, QSize size)
      : QGraphicsItem(parent), shown_(size, QImage::Format_RGB32) {
    shown_.fill(Qt::black);
    setAcceptedMouseButtons(Qt::NoButton);
    setZValue(kAboveEverything);
  }
  QRectF boundingRect() const override { return QRectF(QPointF(0, 0), shown_.size()); }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
    painter->drawImage(0, 0, shown_);
  }
  QImage& Shown() { return shown_; }

 private:
  QImage shown_;
};

// The decoding thread copies each picture into `pending_`; the user-interface
// thread swaps it in and repaints. Pictures that come faster than the window
// repaints replace one another.
class QtVideoSurface : public VideoSurface {
 public:
  QtVideoSurface(QGraphicsItem& parent, QSize size)
      : item_(std::make_unique<VideoItem>(&parent, size)), pending_(size, QImage::Format_RGB32) {
    showTimer_.setSingleShot(true);
    QObject::connect(&showTimer_, &QTimer::timeout, [this] { ShowPending(); });
  }

  void Present(const uint8_t* pixels, int stride) override {
    std::lock_guard lock(lock_);
    const int rowBytes = std::min(stride, static_cast<int>(pending_.bytesPerLine()));
    for (int y = 0; y < pending_.height(); ++y)
      std::memcpy(pending_.scanLine(y), pixels + static_cast<ptrdiff_t>(y) * stride, rowBytes);
    if (updatePosted_) return;
    updatePosted_ = true;
    // The timer's start, asked for by name, is an event Qt makes itself: a
    // call made here would cross into the user-interface thread through
    // Qt's event queue, whose locks the thread sanitizer doesn't see.
    QMetaObject::invokeMethod(&showTimer_, "start", Qt::QueuedConnection);
  }

 private:
  void ShowPending() {
    {
      std::lock_guard lock(lock_);
      std::swap(pending_, item_->Shown());
      updatePosted_ = false;
    }
    item_->update();
  }

  // Started from the decoding thread; a start posted for a surface that is
  // gone is dropped with it.
  QTimer showTimer_;
  std::unique_ptr<VideoItem> item_;
  std::mutex lock_;
  QImage pending_;
  bool updatePosted_ = false;
};
}  // namespace

int32_t QtVideoSurfaces::ControlHandle(const Control& control) {
  auto found = std::find(controls_.begin(), controls_.end(), &control);
  if (found == controls_.end()) found = controls_.insert(controls_.end(), &control);
  return static_cast<int32_t>(found - controls_.begin()) + 1;
}

std::unique_ptr<VideoSurface> QtVideoSurfaces::Open(int32_t handle, int width, int height) {
  if (handle < 1 || static_cast<size_t>(handle) > controls_.size()) return nullptr;
  const QtControlBase* control = QtControlOf(*controls_[handle - 1]);
  if (!control) return nullptr;
  return std::make_unique<QtVideoSurface>(control->Item(), QSize(width, height));
}

}  // namespace tf::ui
