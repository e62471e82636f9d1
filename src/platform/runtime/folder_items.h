#pragma once

#include <string>
#include <vector>

namespace tf {

struct FolderItem {
  std::string name;
  bool regularFile = false;  // a regular file, or a link to one
};

// The items of a folder, "." and ".." left out, in the order the system
// gives them; none when the folder can't be read.
std::vector<FolderItem> ReadFolder(const std::string& folder);

}  // namespace tf
