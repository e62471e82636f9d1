#include "platform/memory/memory_dialog_controls.h"

#include "platform/runtime/runtime_error.h"

namespace tf::ui {

void MemoryListBox::Clear() {
  items_.clear();
  listIndex_ = -1;
}

const std::string& MemoryListBox::List(int index) const {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidCall);
  return items_[static_cast<size_t>(index)];
}

Control& MemoryListBox::CloneAs(int) const {
  RaiseError(kErrInvalidPicture, "a list box can't be an array element");
}

Control& MemoryTextBox::CloneAs(int) const {
  RaiseError(kErrInvalidPicture, "a text box can't be an array element");
}

Control& MemoryCommandButton::CloneAs(int) const {
  RaiseError(kErrInvalidPicture, "a button can't be an array element");
}

}  // namespace tf::ui
