#pragma once

#include <Qt>

#include "platform/ui/controls.h"

namespace tf::ui {

// Mouse buttons and shift keys as the game's handlers number them.

inline int ButtonOf(Qt::MouseButton button) {
  if (button == Qt::RightButton) return kRightButton;
  if (button == Qt::MiddleButton) return kMiddleButton;
  return kLeftButton;
}

inline int ButtonsOf(Qt::MouseButtons buttons) {
  return ((buttons & Qt::LeftButton) ? kLeftButton : 0) |
         ((buttons & Qt::RightButton) ? kRightButton : 0) |
         ((buttons & Qt::MiddleButton) ? kMiddleButton : 0);
}

inline int ShiftOf(Qt::KeyboardModifiers modifiers) {
  return ((modifiers & Qt::ShiftModifier) ? kShiftKey : 0) |
         ((modifiers & Qt::ControlModifier) ? kCtrlKey : 0) |
         ((modifiers & Qt::AltModifier) ? kAltKey : 0);
}

}  // namespace tf::ui
