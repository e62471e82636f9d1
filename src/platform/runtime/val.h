#pragma once

#include <string_view>

namespace tf {

// The number at the start of a text: "2.5abc" -> 2.5, "abc" -> 0, "1e3" -> 1000.
// Blanks inside the number are skipped; &H and &O prefixes are read; "." is
// always the decimal point.
double Val(std::string_view text);

}  // namespace tf
