#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tf {

// One picture of an icon or cursor file, as the file's directory lists it.
struct PointerEntry {
  int width = 0;     // pixels; a stored 0 stands for 256
  int height = 0;    // pixels
  int hotSpotX = 0;  // cursors only
  int hotSpotY = 0;
};

// The directory at the start of an icon (.ico) or cursor (.cur) file.
struct PointerDirectory {
  bool cursor = false;
  std::vector<PointerEntry> entries;  // at least one
};

// Nullopt unless the bytes start with a well-formed directory: type 1 (icon)
// or 2 (cursor), at least one entry, and every entry's data inside the file.
std::optional<PointerDirectory> ReadPointerDirectory(std::string_view bytes);

}  // namespace tf
