#include "platform/runtime/path_resolver.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tf {

namespace fs = std::filesystem;

namespace {

// Windows-1252 bytes 0x80-0x9F; the five undefined ones keep their code point.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// Lower case of the Latin-1 capitals and the Windows-1252 ones (Š, Œ, Ž, Ÿ).
char32_t FoldLatin(char32_t codePoint) {
  if (codePoint >= 0xC0 && codePoint <= 0xDE && codePoint != 0xD7) {
    return codePoint + 0x20;
  }
  if (codePoint == 0x152 || codePoint == 0x160 || codePoint == 0x17D) {
    return codePoint + 1;
  }
  return codePoint == 0x178 ? 0xFF : codePoint;
}

// Case folding of ASCII and of two-byte UTF-8 letters; other bytes unchanged.
std::string FoldCase(std::string_view name) {
  std::string folded;
  folded.reserve(name.size());
  for (size_t i = 0; i < name.size(); ++i) {
    auto lead = static_cast<unsigned char>(name[i]);
    if (lead >= 'A' && lead <= 'Z') {
      folded += static_cast<char>(lead - 'A' + 'a');
    } else if (lead >= 0xC2 && lead <= 0xDF && i + 1 < name.size() &&
               (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80) {
      char32_t codePoint = ((lead & 0x1F) << 6) | (static_cast<unsigned char>(name[i + 1]) & 0x3F);
      AppendUtf8(folded, FoldLatin(codePoint));
      ++i;
    } else {
      folded += static_cast<char>(lead);
    }
  }
  return folded;
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

// A listing taken within this time of the folder's last change may miss an
// entry added in the same timestamp tick; it is read again before a miss counts.
constexpr auto kRacyWindow = std::chrono::seconds(2);

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
    if (!name && !fresh && it->second.listedAt - modified < kRacyWindow) {
      it->second = List(folder, modified);
      name = Match(it->second, foldedCandidates);
    }
    return name;
  }

 private:
  static FolderListing List(const fs::path& folder, fs::file_time_type modified) {
    FolderListing listing{modified, fs::file_time_type::clock::now(), {}};
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
      std::string name = entry.path().filename().string();
      listing.entries.push_back({name, FoldCase(name)});
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

std::vector<std::string_view> SplitComponents(std::string_view path) {
  std::vector<std::string_view> components;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = std::min(path.find('/', start), path.size());
    if (slash > start) {
      components.push_back(path.substr(start, slash - start));
    }
    start = slash + 1;
  }
  return components;
}

// The name on disk for one component inside an already resolved folder.
std::optional<std::string> MatchComponent(const fs::path& folder, std::string_view component) {
  std::error_code error;
  if (component == "." || component == ".." || fs::exists(folder / component, error)) {
    return std::string(component);
  }
  std::vector<std::string> candidates{FoldCase(component)};
  std::string decoded = FoldCase(Cp1252ToUtf8(component));
  if (decoded != candidates.front()) {
    candidates.push_back(std::move(decoded));
  }
  return Cache().FindName(folder.empty() ? fs::path(".") : folder, candidates);
}

}  // namespace

fs::path ResolvePath(std::string_view storedPath) {
  std::string path(storedPath);
  std::replace(path.begin(), path.end(), '\\', '/');
  std::error_code error;
  if (path.empty() || fs::exists(path, error)) {
    return path;
  }
  fs::path resolved = path.front() == '/' ? fs::path("/") : fs::path();
  bool matching = true;
  for (std::string_view component : SplitComponents(path)) {
    if (matching) {
      if (std::optional<std::string> name = MatchComponent(resolved, component)) {
        resolved /= *name;
        continue;
      }
      matching = false;
    }
    resolved /= component;
  }
  return resolved;
}

bool StoredFileExists(std::string_view storedPath) {
  std::error_code error;
  return fs::is_regular_file(ResolvePath(storedPath), error);
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (char byte : bytes) {
    auto code = static_cast<unsigned char>(byte);
    AppendUtf8(text, code >= 0x80 && code < 0xA0 ? kCp1252High[code - 0x80] : code);
  }
  return text;
}

}  // namespace tf
