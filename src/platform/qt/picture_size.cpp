#include "platform/qt/picture_size.h"

#include "platform/runtime/runtime_error.h"

namespace tf::ui {

void CheckPictureSize(QImageReader& reader, const std::string& storedPath) {
  const QSize size = reader.size();
  if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
    RaiseError(kErrInvalidPicture, storedPath);
}

bool GifScreenTooLarge(const QByteArray& head) {
  // The logical screen's 16-bit width and height follow the six bytes of the
  // signature.
  if (head.size() < 10 || !head.startsWith("GIF8")) return false;
  auto at = [&head](int i) { return static_cast<uint8_t>(head[i]); };
  return (at(6) | at(7) << 8) > kMaxPictureSide || (at(8) | at(9) << 8) > kMaxPictureSide;
}

void CheckAnimationSize(QIODevice& device, const std::string& storedPath) {
  if (GifScreenTooLarge(device.peek(10))) RaiseError(kErrInvalidPicture, storedPath);
  QImageReader reader(&device);
  CheckPictureSize(reader, storedPath);
  device.seek(0);
}

}  // namespace tf::ui
