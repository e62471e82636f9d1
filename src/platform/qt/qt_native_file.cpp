#include "platform/qt/qt_native_file.h"

#include <fstream>
#include <iterator>

namespace tf::ui {

std::optional<QByteArray> ReadNativeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace tf::ui
