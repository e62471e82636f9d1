#include "platform/qt/qt_pointer.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "platform/qt/qt_native_file.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"

namespace tf::ui {

namespace {
// The directory at the start of both kinds of file: reserved, type, count,
// then one 16-byte entry per picture.
constexpr qsizetype kDirectorySize = 6;
constexpr qsizetype kEntrySize = 16;
constexpr int kIconType = 1;
constexpr int kCursorType = 2;

int U16(const QByteArray& bytes, qsizetype at) {
  return static_cast<uchar>(bytes[at]) | (static_cast<uchar>(bytes[at + 1]) << 8);
}

quint32 U32(const QByteArray& bytes, qsizetype at) {
  return static_cast<quint32>(U16(bytes, at)) | (static_cast<quint32>(U16(bytes, at + 2)) << 16);
}

// A width or height byte of an entry; 0 stands for 256.
int SideOf(const QByteArray& bytes, qsizetype at) {
  int side = static_cast<uchar>(bytes[at]);
  return side == 0 ? 256 : side;
}

struct LargestEntry {
  int type = kIconType;
  int index = 0;
  QPoint hotSpot;  // cursors only
};

// Nullopt when the directory is not that of an icon or cursor file, or an
// entry points outside the bytes.
std::optional<LargestEntry> ReadDirectory(const QByteArray& bytes) {
  if (bytes.size() < kDirectorySize) return std::nullopt;
  int type = U16(bytes, 2);
  int count = U16(bytes, 4);
  if (U16(bytes, 0) != 0 || (type != kIconType && type != kCursorType) || count == 0 ||
      bytes.size() < kDirectorySize + count * kEntrySize)
    return std::nullopt;
  LargestEntry largest{type, 0, {}};
  int largestArea = 0;
  for (int i = 0; i < count; ++i) {
    qsizetype at = kDirectorySize + i * kEntrySize;
    quint32 size = U32(bytes, at + 8);
    quint32 offset = U32(bytes, at + 12);
    if (offset > static_cast<quint64>(bytes.size()) ||
        size > static_cast<quint64>(bytes.size()) - offset)
      return std::nullopt;
    int area = SideOf(bytes, at) * SideOf(bytes, at + 1);
    if (area > largestArea) {
      largestArea = area;
      largest.index = i;
      largest.hotSpot = QPoint(U16(bytes, at + 4), U16(bytes, at + 6));
    }
  }
  return largest;
}
}  // namespace

QCursor PointerFromBytes(const QByteArray& bytes, const std::string& storedPath) {
  std::optional<LargestEntry> entry = ReadDirectory(bytes);
  if (!entry) RaiseError(kErrInvalidPicture, storedPath);
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  // Qt's icon reader takes cursor files as well.
  QImageReader reader(&buffer, "ico");
  if (!reader.jumpToImage(entry->index)) RaiseError(kErrInvalidPicture, storedPath);
  QImage image = reader.read();
  if (image.isNull()) RaiseError(kErrInvalidPicture, storedPath);
  QPoint hotSpot =
      entry->type == kCursorType ? entry->hotSpot : QPoint(image.width() / 2, image.height() / 2);
  hotSpot.setX(std::clamp(hotSpot.x(), 0, image.width() - 1));
  hotSpot.setY(std::clamp(hotSpot.y(), 0, image.height() - 1));
  return QCursor(QPixmap::fromImage(std::move(image)), hotSpot.x(), hotSpot.y());
}

QCursor LoadPointer(const std::string& storedPath) {
  std::filesystem::path path = ResolvePath(storedPath);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) RaiseError(kErrFileNotFound, storedPath);
  std::optional<QByteArray> bytes = ReadNativeFile(path);
  if (!bytes) RaiseError(kErrFileNotFound, storedPath);
  return PointerFromBytes(*bytes, storedPath);
}

}  // namespace tf::ui
