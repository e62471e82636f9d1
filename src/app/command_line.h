#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tf {

struct Options {
  std::string projectFolder;  // empty: the program's own folder
  std::string walkthroughFile;
  std::string traceFile;  // "-" for standard output
  bool headless = false;
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name; nullopt with `error` set on
// a usage error.
std::optional<Options> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

std::string UsageText();

// The folder of the program file as it was started (a symlink is not
// followed, so a link inside a game folder plays that game).
std::string ProgramFolder(const std::string& argv0);

}  // namespace tf
