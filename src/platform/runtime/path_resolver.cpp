#include "platform/runtime/path_resolver.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <limits>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/runtime/case_fold.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/file_reuse.h"
#include "platform/runtime/folder_items.h"
#include "platform/runtime/runtime_error.h"

namespace tf {

namespace fs = std::filesystem;

namespace {

// The form names are compared in: Windows-1252 bytes (a UTF-8 name converted
// where it can be), folded to small letters.
std::string NameKey(std::string_view name) {
  std::optional<std::string> cp1252 = Utf8ToCp1252(name);
  return FoldCase(cp1252 ? *cp1252 : name);
}

struct FolderEntry {
  std::string name;
  std::string folded;
};

struct FolderListing {
  fs::file_time_type modified;
  fs::file_time_type listedAt;
  std::vector<FolderEntry> entries;
};

// A listing taken within a timestamp tick of the folder's last change may
// miss an entry added in the same tick; it is read again before a miss counts.
// A time in whole seconds may come from a file system that counts in steps of
// up to two seconds; a finer one ticks every few milliseconds at most.
fs::file_time_type::duration RacyWindow(fs::file_time_type modified) {
  const auto sinceEpoch = modified.time_since_epoch();
  if (sinceEpoch % std::chrono::seconds(1) == sinceEpoch.zero()) return std::chrono::seconds(2);
  return std::chrono::milliseconds(200);
}

class FolderCache {
 public:
  std::optional<std::string> FindName(const fs::path& folder,
                                      const std::vector<std::string>& foldedCandidates) {
    std::error_code error;
    fs::file_time_type modified = fs::last_write_time(folder, error);
    if (error) {
      return std::nullopt;
    }
    std::string key = fs::absolute(folder, error).string();
    std::lock_guard lock(mutex_);
    auto it = listings_.find(key);
    bool fresh = it == listings_.end() || it->second.modified != modified;
    if (fresh) {
      it = listings_.insert_or_assign(key, List(folder, modified)).first;
    }
    std::optional<std::string> name = Match(it->second, foldedCandidates);
    if (!name && !fresh && it->second.listedAt - modified < RacyWindow(modified)) {
      it->second = List(folder, modified);
      name = Match(it->second, foldedCandidates);
    }
    return name;
  }

 private:
  static FolderListing List(const fs::path& folder, fs::file_time_type modified) {
    FolderListing listing{modified, fs::file_time_type::clock::now(), {}};
    for (FolderItem& item : ReadFolder(folder.string())) {
      std::string folded = NameKey(item.name);
      listing.entries.push_back({std::move(item.name), std::move(folded)});
    }
    // Sorted so that a folder holding several case variants always gives the same one.
    std::sort(listing.entries.begin(), listing.entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return listing;
  }

  static std::optional<std::string> Match(const FolderListing& listing,
                                          const std::vector<std::string>& foldedCandidates) {
    for (const FolderEntry& entry : listing.entries) {
      if (std::find(foldedCandidates.begin(), foldedCandidates.end(), entry.folded) !=
          foldedCandidates.end()) {
        return entry.name;
      }
    }
    return std::nullopt;
  }

  std::mutex mutex_;
  std::unordered_map<std::string, FolderListing> listings_;
};

FolderCache& Cache() {
  static FolderCache cache;
  return cache;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool Exists(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0;
}

// Appends a component as appending it to a std::filesystem::path would: with
// a "/" between, unless the path is empty or ends with one.
void AppendComponent(std::string& path, std::string_view component) {
  if (!path.empty() && path.back() != '/') path += '/';
  path += component;
}

std::vector<std::string_view> SplitComponents(std::string_view path) {
  std::vector<std::string_view> components;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = std::find_if(path.begin() + start, path.end(), IsSeparator) - path.begin();
    if (end > start) {
      components.push_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return components;
}

// Length of the longest leading part, ending before a "/" or at the end, that
// exists on disk exactly as given: the system's own part of the path.
size_t ExistingPrefixLength(std::string_view path) {
  for (size_t end = path.size(); end > 0 && end != std::string_view::npos;
       end = path.rfind('/', end - 1)) {
    if (Exists(std::string(path.substr(0, end)))) {
      return end;
    }
  }
  return path.front() == '/' ? 1 : 0;
}

// The name on disk for one component inside an already resolved folder.
std::optional<std::string> MatchComponent(const std::string& folder, std::string_view component) {
  std::string asGiven = folder;
  AppendComponent(asGiven, component);
  if (component == "." || component == ".." || Exists(asGiven)) {
    return std::string(component);
  }
  // A stored name is Windows-1252, or UTF-8 when written on a system that uses it.
  std::vector<std::string> candidates{FoldCase(component)};
  std::string asUtf8 = NameKey(component);
  if (asUtf8 != candidates.front()) {
    candidates.push_back(std::move(asUtf8));
  }
  return Cache().FindName(folder.empty() ? fs::path(".") : fs::path(folder), candidates);
}

}  // namespace

std::string ResolvePath(std::string_view storedPath) {
  if (storedPath.empty()) {
    return {};
  }
  if (storedPath.size() > kLongestStoredPath) return std::string(storedPath);
  const std::string key(storedPath);
  if (const std::string* kept = ReusedResolvedPath(key)) return *kept;
  size_t prefixLength = ExistingPrefixLength(storedPath);
  std::string resolved(storedPath.substr(0, prefixLength));
  std::string_view rest = storedPath.substr(prefixLength);
  bool matching = true;
  for (std::string_view component : SplitComponents(rest)) {
    if (matching) {
      if (std::optional<std::string> name = MatchComponent(resolved, component)) {
        AppendComponent(resolved, *name);
        continue;
      }
      matching = false;
    }
    AppendComponent(resolved, component);
  }
  if (!rest.empty() && IsSeparator(rest.back()) && !resolved.empty() && resolved.back() != '/') {
    resolved += '/';
  }
  KeepResolvedPath(key, resolved);
  return resolved;
}

std::string StoredPathIn(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += name.substr(0, kLongestStoredPath + 1);
  return path;
}

bool StoredFileExists(std::string_view storedPath) {
  if (ReusedFileBytes(std::string(storedPath))) return true;
  struct stat status {};
  return ::stat(ResolvePath(storedPath).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string ReadStoredFile(const std::string& storedPath) {
  return *ReadStoredFileUpTo(storedPath, std::numeric_limits<size_t>::max());
}

std::optional<std::string> ReadStoredFileUpTo(const std::string& storedPath, size_t largest) {
  if (const std::string* kept = ReusedFileBytes(storedPath)) return *kept;
  // Not blocking on a pipe that bears a data file's name; regular files
  // read the same either way.
  constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
  // A path that opens as given is the one it resolves to.
  int file = ::open(storedPath.c_str(), kFlags);
  if (file < 0) file = ::open(ResolvePath(storedPath).c_str(), kFlags);
  if (file < 0) RaiseError(kErrFileNotFound, storedPath);
  struct stat status {};
  bool read = ::fstat(file, &status) == 0 && S_ISREG(status.st_mode);
  if (read && static_cast<uintmax_t>(status.st_size) > largest) {
    ::close(file);
    return std::nullopt;
  }
  std::string bytes(read ? static_cast<size_t>(status.st_size) : 0, '\0');
  for (size_t done = 0; read && done < bytes.size();) {
    const ssize_t count = ::read(file, bytes.data() + done, bytes.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      read = count == 0;
      bytes.resize(done);
    } else {
      done += static_cast<size_t>(count);
    }
  }
  ::close(file);
  if (!read) RaiseError(kErrFileNotFound, storedPath);
  KeepReusedFileBytes(storedPath, bytes);
  return bytes;
}

std::string DisplayPath(std::string_view path, std::string_view systemFolder) {
  if (!path.starts_with(systemFolder)) {
    return std::string(path);
  }
  return Utf8ToCp1252Lossy(systemFolder) + std::string(path.substr(systemFolder.size()));
}

std::string TracePath(std::string_view path, std::string_view systemFolder) {
  if (!path.starts_with(systemFolder)) return Cp1252ToUtf8(path);
  return Utf8Lossy(systemFolder) + Cp1252ToUtf8(path.substr(systemFolder.size()));
}

std::string TraceText(std::string_view text, std::string_view systemFolder) {
  std::string traced;
  size_t folder;
  while (!systemFolder.empty() && (folder = text.find(systemFolder)) != std::string_view::npos) {
    traced += Cp1252ToUtf8(text.substr(0, folder)) + Utf8Lossy(systemFolder);
    text.remove_prefix(folder + systemFolder.size());
  }
  return traced + Cp1252ToUtf8(text);
}

}  // namespace tf
