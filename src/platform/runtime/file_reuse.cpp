#include "platform/runtime/file_reuse.h"

#include <unordered_map>

namespace tf {

namespace {
// Data files are small; media files are read once anyway and not kept.
constexpr size_t kLargestKeptFile = 64 * 1024;

struct ReuseState {
  int depth = 0;
  std::unordered_map<std::string, std::string> bytes;
  std::unordered_map<std::string, std::shared_ptr<const StoredValueList>> values;
  std::unordered_map<std::string, std::string> resolvedPaths;

  void Clear() {
    bytes.clear();
    values.clear();
    resolvedPaths.clear();
  }
};

// Per thread: only the thread that opened a scope reads through it.
thread_local ReuseState state;
}  // namespace

FileReuseScope::FileReuseScope() { ++state.depth; }

FileReuseScope::~FileReuseScope() {
  if (--state.depth == 0) state.Clear();
}

void ForgetReusedFiles() { state.Clear(); }

const std::string* ReusedFileBytes(const std::string& storedPath) {
  auto it = state.bytes.find(storedPath);
  return it == state.bytes.end() ? nullptr : &it->second;
}

void KeepReusedFileBytes(const std::string& storedPath, const std::string& bytes) {
  if (state.depth == 0 || bytes.size() > kLargestKeptFile) return;
  state.bytes.insert_or_assign(storedPath, bytes);
  state.values.erase(storedPath);
}

std::shared_ptr<const StoredValueList> ReusedFileValues(const std::string& storedPath) {
  auto it = state.values.find(storedPath);
  return it == state.values.end() ? nullptr : it->second;
}

void KeepReusedFileValues(const std::string& storedPath,
                          std::shared_ptr<const StoredValueList> values) {
  if (state.bytes.contains(storedPath))
    state.values.insert_or_assign(storedPath, std::move(values));
}

const std::string* ReusedResolvedPath(const std::string& storedPath) {
  auto it = state.resolvedPaths.find(storedPath);
  return it == state.resolvedPaths.end() ? nullptr : &it->second;
}

void KeepResolvedPath(const std::string& storedPath, const std::string& path) {
  if (state.depth > 0) state.resolvedPaths.insert_or_assign(storedPath, path);
}

}  // namespace tf
