#include "platform/qt/picture_size.h"

#include <algorithm>

#include "platform/runtime/runtime_error.h"

namespace tf::ui {

namespace {
// The logical screen of a GIF from its first bytes; empty for other files.
QSize GifScreen(const QByteArray& head) {
  // The screen's 16-bit width and height follow the six bytes of the
  // signature.
  if (head.size() < 10 || !head.startsWith("GIF8")) return {};
  auto at = [&head](int i) { return static_cast<uint8_t>(head[i]); };
  return {at(6) | at(7) << 8, at(8) | at(9) << 8};
}
}  // namespace

void CheckPictureSize(QImageReader& reader, const std::string& storedPath) {
  const QSize size = reader.size();
  if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
    RaiseError(kErrInvalidPicture, storedPath);
}

bool GifScreenTooLarge(const QByteArray& head) {
  const QSize screen = GifScreen(head);
  return screen.width() > kMaxPictureSide || screen.height() > kMaxPictureSide;
}

void CheckAnimationSize(QIODevice& device, const std::string& storedPath) {
  const QByteArray head = device.peek(10);
  if (GifScreenTooLarge(head)) RaiseError(kErrInvalidPicture, storedPath);
  QImageReader reader(&device);
  CheckPictureSize(reader, storedPath);
  // Counting the frames walks the file's blocks without decoding them.
  const QSize frame = reader.size().expandedTo(GifScreen(head));
  const qint64 pixels = qint64(std::max(reader.imageCount(), 1)) * std::max(frame.width(), 0) *
                        std::max(frame.height(), 0);
  if (pixels > kMaxAnimationPixels) RaiseError(kErrInvalidPicture, storedPath);
  device.seek(0);
}

}  // namespace tf::ui
