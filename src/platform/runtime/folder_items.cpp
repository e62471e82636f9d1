#include "platform/runtime/folder_items.h"

#include <dirent.h>
#include <sys/stat.h>

#include <string_view>

namespace tf {

std::vector<FolderItem> ReadFolder(const std::string& folder) {
  std::vector<FolderItem> items;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return items;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool regularFile = entry->d_type == DT_REG;
    // The kind of a link's target, or of an item the listing doesn't tell.
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat status {};
      const std::string path = folder + "/" + std::string(name);
      regularFile = ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
    }
    items.push_back({std::string(name), regularFile});
  }
  ::closedir(dir);
  return items;
}

}  // namespace tf
