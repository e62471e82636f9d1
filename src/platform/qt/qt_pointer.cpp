#include "platform/qt/qt_pointer.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <algorithm>
#include <optional>

#include "platform/qt/picture_size.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/pointer_file.h"
#include "platform/runtime/runtime_error.h"

namespace tf::ui {

namespace {
// The index of the file's largest picture; the first of equals.
int LargestEntry(const PointerDirectory& directory) {
  int largest = 0;
  for (size_t i = 1; i < directory.entries.size(); ++i) {
    const PointerEntry& entry = directory.entries[i];
    const PointerEntry& best = directory.entries[static_cast<size_t>(largest)];
    if (entry.width * entry.height > best.width * best.height) largest = static_cast<int>(i);
  }
  return largest;
}
}  // namespace

QCursor PointerFromBytes(const QByteArray& bytes, const std::string& storedPath) {
  std::optional<PointerDirectory> directory =
      ReadPointerDirectory(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  if (!directory) RaiseError(kErrInvalidPicture, storedPath);
  const int index = LargestEntry(*directory);
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  // Qt's icon reader takes cursor files as well.
  QImageReader reader(&buffer, "ico");
  if (!reader.jumpToImage(index)) RaiseError(kErrInvalidPicture, storedPath);
  CheckPictureSize(reader, storedPath);
  QImage image = reader.read();
  if (image.isNull()) RaiseError(kErrInvalidPicture, storedPath);
  const PointerEntry& entry = directory->entries[static_cast<size_t>(index)];
  QPoint hotSpot = directory->cursor ? QPoint(entry.hotSpotX, entry.hotSpotY)
                                     : QPoint(image.width() / 2, image.height() / 2);
  hotSpot.setX(std::clamp(hotSpot.x(), 0, image.width() - 1));
  hotSpot.setY(std::clamp(hotSpot.y(), 0, image.height() - 1));
  return QCursor(QPixmap::fromImage(std::move(image)), hotSpot.x(), hotSpot.y());
}

QCursor LoadPointer(const std::string& storedPath) {
  const QByteArray bytes = QByteArray::fromStdString(ReadStoredFile(storedPath));
  return PointerFromBytes(bytes, storedPath);
}

QCursor ScaledPointer(const QCursor& pointer, PointerScaling scaling) {
  const QPixmap picture = pointer.pixmap();
  if (picture.isNull() || scaling.scale == 1) return pointer;
  const QSize size(std::max(1, qRound(picture.width() * scaling.scale)),
                   std::max(1, qRound(picture.height() * scaling.scale)));
  const auto scaled = [&](int at, int side) {
    return std::clamp(static_cast<int>((at + 0.5) * scaling.scale), 0, side - 1);
  };
  return QCursor(picture.scaled(size, Qt::IgnoreAspectRatio,
                                scaling.smooth ? Qt::SmoothTransformation : Qt::FastTransformation),
                 scaled(pointer.hotSpot().x(), size.width()),
                 scaled(pointer.hotSpot().y(), size.height()));
}

}  // namespace tf::ui
