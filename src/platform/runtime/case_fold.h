#pragma once

#include <string>
#include <string_view>

namespace tf {

// Small letters as Windows compares names: A-Z and the Windows-1252 capitals
// (0xC0-0xDE except 0xD7, and 0x8A, 0x8C, 0x8E, 0x9F) become their small
// letters; every other byte stays as it is.
char FoldCase(char c);
std::string FoldCase(std::string_view text);
// Whether `text` folds to `folded` (given in small letters), without a
// folded copy of a long text.
bool EqualsFolded(std::string_view text, std::string_view folded);

}  // namespace tf
