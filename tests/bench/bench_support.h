#pragma once

#include <QImage>
#include <QRandomGenerator>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/qt_desktop.h"

namespace tf::bench {

inline void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return (values[values.size() / 2 - 1] + values[values.size() / 2]) / 2;
}

// A photo-like picture: gradients and noise, so that it compresses like a
// real one.
inline void MakePicture(const std::filesystem::path& path, int width, int height, int seed,
                        const char* format) {
  std::filesystem::create_directories(path.parent_path());
  QImage image(width, height, QImage::Format_RGB32);
  QRandomGenerator random(static_cast<quint32>(seed));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y,
                     qRgb((x * 3 + seed * 40) % 256, (y * 2 + random.bounded(30)) % 256,
                          (x + y + seed * 17) % 256));
  image.save(QString::fromStdString(path.string()), format, 90);
}

// A project's information file, 640 x 480 unless told.
inline std::string General(const std::string& startFrame, int width = 640, int height = 480) {
  return "\"Bench\"\r\n\"\"\r\n\"Bench\"\r\n0\r\n\"" + startFrame + "\"\r\n\"\"\r\n" +
         std::to_string(width) + "\r\n" + std::to_string(height) + "\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
}

// A frame file showing a picture, without media or timer.
inline std::string PictureFrame(const std::string& picture) {
  return "1\r\n\"" + picture +
         "\"\r\n#FALSE#\r\n#FALSE#\r\n\"\"\r\n#FALSE#\r\n\"0\"\r\n\"\"\r\n\"\"\r\n#FALSE#\r\n";
}

// The Qt desktop a measurement plays on, put together as the program does.
struct QtDesktop {
  QtDesktop() {
    display.onModeChanged = [this] { windows.SetVirtualScreen(display.VirtualScreen()); };
  }
  QtDesktop(const QtDesktop&) = delete;
  QtDesktop& operator=(const QtDesktop&) = delete;

  QtEventLoop events;
  QtDisplay display;
  QtSettingsStore settings;
  QtWindowFactory windows;
  QtMessageBoxes messages;
  QtClock clock;
  // Refers to the members above.
  Platform platform{windows, messages, events, display, settings, clock};
};

}  // namespace tf::bench
