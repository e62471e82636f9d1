#include "platform/runtime/stored_values.h"

#include "platform/runtime/file_reuse.h"

namespace tf {

namespace {
StoredValueList ReadAll(TextReader& file) {
  StoredValueList list;
  try {
    while (file.HasMoreData()) list.values.push_back(file.ReadVariant());
  } catch (const RuntimeError& error) {
    list.failure = error;
  }
  return list;
}
}  // namespace

StoredValues StoredValues::Open(const std::string& storedPath) {
  if (std::shared_ptr<const StoredValueList> kept = ReusedFileValues(storedPath))
    return StoredValues(std::move(kept));
  TextReader file = TextReader::Open(storedPath);
  if (!ReusedFileBytes(storedPath)) return StoredValues(std::move(file));
  auto list = std::make_shared<const StoredValueList>(ReadAll(file));
  KeepReusedFileValues(storedPath, list);
  return StoredValues(std::move(list));
}

Variant StoredValues::ReadVariant() {
  if (file_) return file_->ReadVariant();
  if (next_ < list_->values.size()) return list_->values[next_++];
  throw list_->failure;
}

}  // namespace tf
