#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tf {

// One named value.
class ClassVariable {
 public:
  const std::string& Name() const { return name_; }
  void SetName(const std::string& vData) { name_ = vData; }
  int16_t Value() const { return value_; }
  void SetValue(int16_t vData) { value_ = vData; }

 private:
  std::string name_;
  int16_t value_ = 0;
};

// Named values in insertion order, addressed by 1-based position or by an
// optional unique key. Errors: 5 for a key already in use, 9 for a position
// or key that isn't there.
class VariablesCollection {
 public:
  ClassVariable& Add(const std::string& name, int16_t value, const std::string& sKey = {});
  ClassVariable& Item(int32_t position);
  ClassVariable& Item(const std::string& key);
  const ClassVariable& Item(int32_t position) const;
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  void Remove(int32_t position);
  void Remove(const std::string& key);

  // Visits the entries in order.
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  size_t Position(int32_t position) const;
  std::vector<std::unique_ptr<ClassVariable>> entries_;
  std::vector<std::string> keys_;  // parallel to entries_; empty: no key
};

}  // namespace tf
