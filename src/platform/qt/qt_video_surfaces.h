#pragma once

#include <QObject>
#include <vector>

#include "platform/video/video_surface.h"

namespace tf::ui {

// Videos shown inside the Qt controls of a window: each surface is an item
// above everything else in its control, at the control's top-left corner.
// Presses go through it to what lies beneath.
class QtVideoSurfaces : public VideoSurfaces {
 public:
  int32_t ControlHandle(const Control& control) override;
  std::unique_ptr<VideoSurface> Open(int32_t handle, int width, int height) override;

 private:
  // Index + 1 is the handle.
  std::vector<const Control*> controls_;
};

}  // namespace tf::ui
