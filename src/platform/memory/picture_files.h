#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tf::ui {

// What the memory platform knows of a picture: its size from the file's
// header, and for an animated GIF how long each of its frames shows.
struct PictureInfo {
  int width = 0;                   // pixels
  int height = 0;                  // pixels
  std::vector<int> frameDelaysMs;  // one entry per frame; a single entry for a still picture
};

// Reads the size of a BMP, JPEG, GIF, PNG, ICO or CUR picture from its
// header, without decoding it; nullopt when the bytes are none of these.
std::optional<PictureInfo> ReadPictureInfo(const std::string& bytes);

// The picture a stored path names; error 53 when missing, 481 when it is no
// picture.
PictureInfo LoadPictureInfo(const std::string& storedPath);

}  // namespace tf::ui
