#pragma once

#include <cmath>

namespace tf::ui {

constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}
inline int PixelsToTwips(double pixels) {
  return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

}  // namespace tf::ui
