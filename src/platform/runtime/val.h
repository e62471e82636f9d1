#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tf {

// The number at the start of a text: "2.5abc" -> 2.5, "abc" -> 0, "1e3" -> 1000.
// Blanks inside the number are skipped; &H and &O prefixes are read; "." is
// always the decimal point.
double Val(std::string_view text);

// A whole text read as one decimal number, blanks around it allowed
// (" -2.5 ", "1E3", "7"); nothing when any other character is present.
struct NumberText {
  double value = 0;
  bool whole = false;  // digits only: no decimal point, no exponent
};
std::optional<NumberText> ParseNumber(std::string_view text);

}  // namespace tf
