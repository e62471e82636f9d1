#pragma once

#include <QByteArray>
#include <filesystem>
#include <optional>

namespace tf::ui {

// The whole content of a file named by the system's own bytes. Qt's file
// names are Unicode and cannot name a file whose name is not UTF-8, so game
// files are read here and handed to Qt as data.
std::optional<QByteArray> ReadNativeFile(const std::filesystem::path& path);

}  // namespace tf::ui
