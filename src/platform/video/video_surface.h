#pragma once

#include <cstdint>
#include <memory>

namespace tf {

namespace ui {
class Control;
}

// Where a video's pictures show: a rectangle of the video's own size at the
// top-left corner of a control of the game window.
class VideoSurface {
 public:
  virtual ~VideoSurface() = default;
  // One picture, rows of 32-bit pixels (blue, green, red, unused), `stride`
  // bytes apart. Called on the decoding thread; it copies and returns.
  virtual void Present(const uint8_t* pixels, int stride) = 0;
};

// The controls a video can be shown in, by the small handles that name them
// in an open command's " parent N".
class VideoSurfaces {
 public:
  virtual ~VideoSurfaces() = default;
  virtual int32_t ControlHandle(const ui::Control& control) = 0;
  // Null when the handle names no control.
  virtual std::unique_ptr<VideoSurface> Open(int32_t handle, int width, int height) = 0;
};

}  // namespace tf
