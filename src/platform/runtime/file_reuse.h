#pragma once

#include <memory>
#include <string>

namespace tf {

struct StoredValueList;

// While a scope is open on this thread, each small stored file read through
// ReadStoredFile comes from disk once; later reads of the same stored path
// get the bytes kept from the first, with no system call. Likewise each
// stored path is resolved to its name on disk once. Scopes nest: what is kept
// is dropped when the outermost one ends.
class FileReuseScope {
 public:
  FileReuseScope();
  ~FileReuseScope();
  FileReuseScope(const FileReuseScope&) = delete;
  FileReuseScope& operator=(const FileReuseScope&) = delete;
};

// Drops what is kept so far, so that the next reads go to disk again (a
// frame opening starts from the files as they are now).
void ForgetReusedFiles();

// The bytes kept for a stored path, or null when none are kept.
const std::string* ReusedFileBytes(const std::string& storedPath);

// Keeps a small file's bytes for the rest of the open scope; nothing
// without one.
void KeepReusedFileBytes(const std::string& storedPath, const std::string& bytes);

// The values read from a stored path's kept bytes, or null when none are kept.
std::shared_ptr<const StoredValueList> ReusedFileValues(const std::string& storedPath);

// Keeps the values read from a stored path's kept bytes for as long as the
// bytes; nothing when its bytes aren't kept.
void KeepReusedFileValues(const std::string& storedPath,
                          std::shared_ptr<const StoredValueList> values);

// The path on disk a stored path resolved to earlier in the open scope, or
// null.
const std::string* ReusedResolvedPath(const std::string& storedPath);

// Keeps the path on disk a stored path resolved to for the rest of the open
// scope; nothing without one.
void KeepResolvedPath(const std::string& storedPath, const std::string& path);

}  // namespace tf
