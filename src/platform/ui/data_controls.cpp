#include "platform/ui/data_controls.h"

#include <algorithm>

#include "platform/runtime/case_fold.h"
#include "platform/runtime/folder_items.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"

namespace tf::ui {

namespace {

bool Match(const char* name, const char* pattern) {
  for (; *pattern; ++pattern) {
    if (*pattern == '*') {
      while (*pattern == '*') ++pattern;
      if (!*pattern) return true;
      for (const char* rest = name; *rest; ++rest)
        if (Match(rest, pattern)) return true;
      return Match("", pattern);
    }
    if (!*name) return false;
    if (*pattern != '?' && FoldCase(*pattern) != FoldCase(*name)) return false;
    ++name;
  }
  return *name == '\0';
}
}  // namespace

void MemoryStringList::AddItem(const std::string& item) { items_.push_back(item); }

void MemoryStringList::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidCall);
  items_.erase(items_.begin() + index);
}

int MemoryStringList::ListCount() const { return static_cast<int>(items_.size()); }

const std::string& MemoryStringList::List(int index) const {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidCall);
  return items_[static_cast<size_t>(index)];
}

void MemoryStringList::Clear() { items_.clear(); }

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*") return true;
  return Match(name.c_str(), pattern.c_str());
}

void DiskFileList::SetPath(const std::string& storedPath) {
  path_ = storedPath;
  listed_ = false;
}

void DiskFileList::SetPattern(const std::string& pattern) {
  pattern_ = pattern;
  listed_ = false;
}

int DiskFileList::ListCount() const {
  Refresh();
  return static_cast<int>(files_.size());
}

const std::string& DiskFileList::List(int index) const {
  Refresh();
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidCall);
  return files_[static_cast<size_t>(index)];
}

void DiskFileList::Refresh() const {
  if (listed_) return;
  listed_ = true;
  files_.clear();
  if (path_.empty()) return;
  for (FolderItem& item : ReadFolder(ResolvePath(path_))) {
    if (item.regularFile && MatchesWildcard(item.name, pattern_))
      files_.push_back(std::move(item.name));
  }
  std::sort(files_.begin(), files_.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return FoldCase(x) < FoldCase(y); });
  });
}

}  // namespace tf::ui
