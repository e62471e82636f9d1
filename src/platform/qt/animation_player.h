#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace tf::ui {

// Plays an animated picture from its bytes in memory, at the pace its frames
// ask for. Each frame is decoded when it is first shown and kept, so that a
// looping animation afterwards costs only its timer and its painting; an
// animation whose frames would take more than keptBytes is decoded afresh at
// each pass instead. The frames are played as many times as the file asks,
// or for ever, and the last one stays shown.
class AnimationPlayer {
 public:
  static constexpr qint64 kKeptBytes = 48 * 1024 * 1024;

  explicit AnimationPlayer(qint64 keptBytes = kKeptBytes);
  // Reads the first frame and shows it, not running; false when the bytes
  // hold no picture.
  bool Open(QByteArray bytes);
  const QPixmap& Frame() const { return frame_; }
  // -1 before Open.
  int FrameNumber() const { return number_; }
  bool Running() const { return running_; }
  // Plays from the first frame; a running animation goes on as it is.
  void Start();
  // Holds the frame shown.
  void Stop();
  // Percent of the file's own pace, from the next frame on.
  void SetSpeed(int percent) { speed_ = percent; }
  // Shows the next frame, going back to the first after the last; false
  // once every pass has been played. Running, the timer calls it.
  bool Advance();

  // After each new frame is shown.
  std::function<void()> onFrameChanged;

 private:
  struct Kept {
    QPixmap pixmap;
    int delay;  // milliseconds, at the file's own pace
  };
  void Rewind();
  bool ReadNext();
  void ShowKept(int number);
  void Tick();
  void Wait(int delay);

  QBuffer buffer_;
  std::unique_ptr<QImageReader> reader_;
  std::vector<Kept> kept_;
  bool allKept_ = false;  // every frame is in kept_
  const qint64 keptLimit_;
  bool keeping_ = true;  // still within keptLimit_
  qint64 keptBytes_ = 0;
  int loops_ = 0;  // passes after the first, as the file asks; -1: for ever
  int loopsLeft_ = 0;
  bool running_ = false;
  int number_ = -1;
  int delay_ = 0;  // the shown frame's
  QPixmap frame_;
  int speed_ = 100;
  QTimer timer_;
};

}  // namespace tf::ui
