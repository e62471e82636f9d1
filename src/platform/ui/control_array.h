#pragma once

#include <map>

#include "platform/runtime/runtime_error.h"
#include "platform/ui/form.h"

namespace tf::ui {

// Elements of a control array by index. Element 0 is made with the window and
// serves as the template of every element loaded later.
template <class T>
class ControlArray {
 public:
  ControlArray(Form& form, T& element0) : form_(&form) { elements_[0] = &element0; }

  bool Exists(int index) const { return elements_.count(index) != 0; }

  // Error 340 for an element that isn't loaded.
  T& operator[](int index) const {
    auto it = elements_.find(index);
    if (it == elements_.end()) RaiseError(kErrNoSuchArrayElement);
    return *it->second;
  }

  // Error 360 when the element is already loaded.
  T& Load(int index) {
    if (Exists(index)) RaiseError(kErrAlreadyLoaded);
    if (index < 0) RaiseError(kErrSubscriptOutOfRange);
    T& element = static_cast<T&>(form_->CloneControl(*elements_.at(0), index));
    elements_[index] = &element;
    return element;
  }

  // Element 0 can't be unloaded (error 362); error 340 for one not loaded.
  void Unload(int index) {
    if (index == 0) RaiseError(kErrCannotUnload);
    auto it = elements_.find(index);
    if (it == elements_.end()) RaiseError(kErrNoSuchArrayElement);
    T* element = it->second;
    elements_.erase(it);
    form_->Destroy(*element);
  }

  // Highest index in use.
  int UBound() const { return elements_.rbegin()->first; }
  int Count() const { return static_cast<int>(elements_.size()); }

 private:
  Form* form_;
  std::map<int, T*> elements_;
};

}  // namespace tf::ui
