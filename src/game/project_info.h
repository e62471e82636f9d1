#pragma once

#include <cstdint>
#include <string>

namespace tf {

// Folder paths of the project, each ending in a separator. Fixed at start-up.
struct ProjectPaths {
  std::string ProjectPath;
  std::string FramesPath;
  std::string AreasPath;
  std::string IconsPath;
  std::string ConfigPath;
  std::string SchemesPath;
};

// The project information file "General".
struct ProjectInformation {
  std::string GameKey;
  std::string GameTitle;
  std::string StartFrame;
  std::string GameVersion;
  int16_t GameWidth = 0;
  int16_t GameHeight = 0;
  std::string AuthorName;
  std::string AuthorEmail;
  std::string AuthorHomepage;
  int16_t AllowDisplayChange = 0;
  std::string SchemeName;
};

}  // namespace tf
