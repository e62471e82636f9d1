#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tf {

// Turns a file name as the game stored it into a path on this disk: both "\"
// and "/" separate components, and a component that does not exist in its
// stored letter case is matched without regard to case, its bytes also tried
// as Windows-1252 decoded to UTF-8. Folder listings are cached per folder and
// refreshed when the folder changes.
//
// Returns the best path found: when some component matches nothing, the rest
// is appended as stored (with "/" separators), so the caller's open fails with
// "file not found" as usual.
std::filesystem::path ResolvePath(std::string_view storedPath);

// True when the stored path names an existing regular file.
bool StoredFileExists(std::string_view storedPath);

// Converts Windows-1252 bytes to UTF-8 (text shown on screen, names on disk).
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace tf
