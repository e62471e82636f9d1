#include "game/game_state.h"

#include "platform/runtime/runtime_error.h"

namespace tf {

void FrameHistory::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidCall);
  items_.erase(items_.begin() + index);
}

const std::string& FrameHistory::List(int index) const {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidCall);
  return items_[static_cast<size_t>(index)];
}

}  // namespace tf
