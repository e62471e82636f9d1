#include "app/walkthrough/script.h"

#include <sstream>
#include <stdexcept>

namespace tf::walkthrough {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::vector<std::string> SplitWords(const std::string& line, int number) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::string word;
    if (line[i] == '"') {
      size_t close = line.find('"', i + 1);
      if (close == std::string::npos)
        throw std::runtime_error("line " + std::to_string(number) + ": unclosed quote");
      word = line.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      while (i < line.size() && !IsBlank(line[i])) word += line[i++];
    }
    words.push_back(std::move(word));
  }
  return words;
}
}  // namespace

std::vector<ScriptLine> ParseScript(const std::string& text) {
  std::vector<ScriptLine> lines;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    lines.push_back({number, SplitWords(line, number)});
  }
  return lines;
}

std::string UnescapeLineBreaks(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      result += '\n';
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

}  // namespace tf::walkthrough
