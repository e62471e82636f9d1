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

// Sets the paths from the folder of the program (or the project folder named
// on the command line). A folder that already ends in a separator gets none
// added. SchemesPath is set only while it is empty.
void SetProjectPaths(ProjectPaths& paths, const std::string& programFolder);

// Reads ConfigPath & "General" into `info`, fields 1 to 11 and the optional
// groups 12 and 13 to 16. Throws the reader's RuntimeError on any failure;
// values read before it stay in `info`.
void ReadProjectInformation(const ProjectPaths& paths, ProjectInformation& info);

}  // namespace tf
