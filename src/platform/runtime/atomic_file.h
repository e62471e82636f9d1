#pragma once

#include <filesystem>
#include <string_view>

namespace tf {

// Replaces the file with the bytes so that, whatever happens on the way (a
// full disk, a crash, a power cut), the path holds either the old content or
// the new one, whole: the bytes go into a new file in the same folder, are
// flushed to the disk, and that file is renamed over the old one. Error 52
// when anything fails, or when the old file is one its user may not write;
// the old file is then untouched and no new file is left. Drafts that a
// killed writer left in the folder (".taleforge-", 16 hexadecimal digits,
// ".draft") go once they are an hour old.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The longest file name the folder's file system takes, in bytes.
size_t LongestFileName(const std::filesystem::path& folder);

}  // namespace tf
