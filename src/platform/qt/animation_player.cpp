#include "platform/qt/animation_player.h"

#include <algorithm>

#include "platform/qt/picture_store.h"

namespace tf::ui {

AnimationPlayer::AnimationPlayer(qint64 keptBytes) : keptLimit_(keptBytes) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
}

bool AnimationPlayer::Open(QByteArray bytes) {
  Stop();
  buffer_.close();
  buffer_.setData(std::move(bytes));
  buffer_.open(QIODevice::ReadOnly);
  allKept_ = false;
  keeping_ = true;
  number_ = -1;
  Rewind();
  if (!ReadNext()) return false;
  loops_ = reader_->loopCount();
  number_ = 0;
  return true;
}

void AnimationPlayer::Start() {
  if (running_ || number_ < 0) return;
  if (number_ != 0) {
    if (allKept_) {
      ShowKept(0);
    } else {
      Rewind();
      if (!ReadNext()) return;
      number_ = 0;
    }
    if (onFrameChanged) onFrameChanged();
  }
  loopsLeft_ = loops_;
  running_ = true;
  timer_.stop();
  Wait(delay_);
}

void AnimationPlayer::Stop() {
  running_ = false;
  timer_.stop();
}

void AnimationPlayer::Tick() {
  const qint64 shown = frame_.cacheKey();
  if (!Advance()) {
    Stop();
    return;
  }
  // A single frame played for ever never changes: nothing to wake for.
  if (allKept_ && kept_.size() == 1 && loopsLeft_ < 0)
    timer_.stop();
  else
    Wait(delay_);
  if (frame_.cacheKey() != shown && onFrameChanged) onFrameChanged();
}

void AnimationPlayer::Rewind() {
  // Frames are kept from the first on: reading that again starts afresh.
  if (!allKept_) {
    kept_.clear();
    keptBytes_ = 0;
  }
  buffer_.seek(0);
  reader_ = std::make_unique<QImageReader>(&buffer_);
}

bool AnimationPlayer::ReadNext() {
  const QImage image = reader_->read();
  if (image.isNull()) return false;
  // Opaque frames become opaque pixmaps, which are copied rather than blended.
  frame_ = QPixmap::fromImage(image);
  // A frame that gives no wait of its own shows for a tenth of a second.
  delay_ = reader_->nextImageDelay() > 0 ? reader_->nextImageDelay() : 100;
  if (keeping_) {
    keptBytes_ += PixmapBytes(frame_);
    if (keptBytes_ <= keptLimit_) {
      kept_.push_back({frame_, delay_});
    } else {
      keeping_ = false;
      kept_ = {};
    }
  }
  return true;
}

bool AnimationPlayer::Advance() {
  const bool atEnd = allKept_ ? number_ + 1 == static_cast<int>(kept_.size()) : !ReadNext();
  if (!atEnd) {
    if (allKept_)
      ShowKept(number_ + 1);
    else
      ++number_;
    return true;
  }
  if (loopsLeft_ == 0) return false;
  if (loopsLeft_ > 0) --loopsLeft_;
  // Still keeping when the reader runs out: every frame is kept.
  if (keeping_) allKept_ = true;
  if (allKept_) {
    ShowKept(0);
  } else {
    Rewind();
    if (!ReadNext()) return false;
    number_ = 0;
  }
  return true;
}

void AnimationPlayer::ShowKept(int number) {
  number_ = number;
  frame_ = kept_[number].pixmap;
  delay_ = kept_[number].delay;
}

void AnimationPlayer::Wait(int delay) {
  const int wait = static_cast<int>(
      std::clamp(qint64(delay) * 100 / std::max(speed_, 1), qint64(1), qint64(24) * 3600 * 1000));
  // Frames of equal waits keep the timer running as it is.
  if (!timer_.isActive() || timer_.interval() != wait) timer_.start(wait);
}

}  // namespace tf::ui
