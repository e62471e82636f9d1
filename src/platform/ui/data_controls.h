#pragma once

#include <string>
#include <vector>

#include "platform/ui/controls.h"

namespace tf::ui {

// The hidden data controls need no window system at all.

class MemoryStringList : public StringList {
 public:
  MemoryStringList(std::string name, int index) : StringList(std::move(name), index) {}
  void AddItem(const std::string& item) override;
  void RemoveItem(int index) override;
  int ListCount() const override;
  const std::string& List(int index) const override;
  void Clear() override;

 private:
  std::vector<std::string> items_;
};

// Lists the files of a folder (found through the file-name resolver) whose
// names match a pattern with * and ? wildcards, without regard to case,
// sorted as the user would see them. The folder is listed when first asked
// after its path or pattern is set.
class DiskFileList : public FileList {
 public:
  DiskFileList(std::string name, int index) : FileList(std::move(name), index) {}
  void SetPath(const std::string& storedPath) override;
  void SetPattern(const std::string& pattern) override;
  int ListCount() const override;
  const std::string& List(int index) const override;

 private:
  void Refresh() const;
  std::string path_;
  std::string pattern_ = "*.*";
  mutable bool listed_ = false;
  mutable std::vector<std::string> files_;
};

// True when a file name matches a wildcard pattern (* and ?), ignoring case.
// "*.*" matches every name, with or without an extension.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace tf::ui
