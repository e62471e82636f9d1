#include "platform/runtime/runtime_error.h"
#include "platform/ui/controls.h"

namespace tf::ui {

void Timer::SetInterval(int milliseconds) {
  if (milliseconds < 0) RaiseError(kErrInvalidPropertyValue);
  interval_ = milliseconds;
  Restart();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

}  // namespace tf::ui
