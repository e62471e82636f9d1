#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"
#include "platform/runtime/variant.h"

namespace tf {

// A small data file's values as TextReader::ReadVariant reads them one after
// another: those up to the first read that fails, and that read's error.
struct StoredValueList {
  std::vector<Variant> values;
  RuntimeError failure{kErrInputPastEndOfFile};
};

// Reads a data file's values one after another, as a TextReader opened on it
// would. While a FileReuseScope keeps the file's bytes, they are read into
// values once: every later reader of the same stored path in the scope takes
// those values, with the same errors at the same places.
class StoredValues {
 public:
  // Error 53 when the file is missing or can't be read.
  static StoredValues Open(const std::string& storedPath);

  Variant ReadVariant();

 private:
  explicit StoredValues(std::shared_ptr<const StoredValueList> list) : list_(std::move(list)) {}
  explicit StoredValues(TextReader file) : file_(std::move(file)) {}

  std::shared_ptr<const StoredValueList> list_;
  size_t next_ = 0;
  std::optional<TextReader> file_;  // a file whose bytes aren't kept, read as it comes
};

}  // namespace tf
