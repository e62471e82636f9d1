#pragma once

#include <string>

namespace tf {

// While a scope is open on this thread, each small stored file read through
// ReadStoredFile comes from disk once; later reads of the same stored path
// get the bytes kept from the first, with no system call. Scopes nest: the
// bytes are dropped when the outermost one ends.
class FileReuseScope {
 public:
  FileReuseScope();
  ~FileReuseScope();
  FileReuseScope(const FileReuseScope&) = delete;
  FileReuseScope& operator=(const FileReuseScope&) = delete;
};

// Drops the bytes kept so far, so that the next reads go to disk again (a
// frame opening starts from the files as they are now).
void ForgetReusedFiles();

// The bytes kept for a stored path, or null when none are kept.
const std::string* ReusedFileBytes(const std::string& storedPath);

// Keeps a small file's bytes for the rest of the open scope; nothing
// without one.
void KeepReusedFileBytes(const std::string& storedPath, const std::string& bytes);

}  // namespace tf
