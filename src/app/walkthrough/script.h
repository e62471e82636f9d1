#pragma once

#include <string>
#include <vector>

namespace tf::walkthrough {

// One command of a walkthrough script: its words, quotes removed.
struct ScriptLine {
  int number = 0;
  std::vector<std::string> words;
};

// Splits a script into commands: blank lines and lines whose first non-blank
// character is '#' are skipped; words are separated by blanks; a word with
// blanks stands in double quotes. Throws std::runtime_error naming the line
// for an unclosed quote.
std::vector<ScriptLine> ParseScript(const std::string& text);

// A script's "\n" inside a quoted message stands for a line break.
std::string UnescapeLineBreaks(const std::string& text);

}  // namespace tf::walkthrough
