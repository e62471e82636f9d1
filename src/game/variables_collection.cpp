#include "game/variables_collection.h"

#include <algorithm>

#include "platform/runtime/runtime_error.h"

namespace tf {

ClassVariable& VariablesCollection::Add(const std::string& name, int16_t value,
                                        const std::string& sKey) {
  if (!sKey.empty() && std::find(keys_.begin(), keys_.end(), sKey) != keys_.end())
    RaiseError(kErrInvalidCall, "key already in use");
  auto entry = std::make_unique<ClassVariable>();
  entry->SetName(name);
  entry->SetValue(value);
  entries_.push_back(std::move(entry));
  keys_.push_back(sKey);
  return *entries_.back();
}

size_t VariablesCollection::Position(int32_t position) const {
  if (position < 1 || position > Count()) RaiseError(kErrSubscriptOutOfRange);
  return static_cast<size_t>(position - 1);
}

ClassVariable& VariablesCollection::Item(int32_t position) { return *entries_[Position(position)]; }

const ClassVariable& VariablesCollection::Item(int32_t position) const {
  return *entries_[Position(position)];
}

ClassVariable& VariablesCollection::Item(const std::string& key) {
  auto it = key.empty() ? keys_.end() : std::find(keys_.begin(), keys_.end(), key);
  if (it == keys_.end()) RaiseError(kErrSubscriptOutOfRange);
  return *entries_[static_cast<size_t>(it - keys_.begin())];
}

void VariablesCollection::Remove(int32_t position) {
  size_t index = Position(position);
  entries_.erase(entries_.begin() + static_cast<long>(index));
  keys_.erase(keys_.begin() + static_cast<long>(index));
}

void VariablesCollection::Remove(const std::string& key) {
  auto it = key.empty() ? keys_.end() : std::find(keys_.begin(), keys_.end(), key);
  if (it == keys_.end()) RaiseError(kErrSubscriptOutOfRange);
  Remove(static_cast<int32_t>(it - keys_.begin()) + 1);
}

}  // namespace tf
