#pragma once

#include <string>

#include "game/project_info.h"

namespace tf {

// Sets the paths from the folder of the program (or the project folder named
// on the command line). A folder that already ends in a separator gets none
// added. SchemesPath is set only while it is empty.
void SetProjectPaths(ProjectPaths& paths, const std::string& programFolder);

// Reads ConfigPath & "General" into `info`, fields 1 to 11 and the optional
// groups 12 and 13 to 16. Throws the reader's RuntimeError on any failure;
// values read before it stay in `info`.
void ReadProjectInformation(const ProjectPaths& paths, ProjectInformation& info);

}  // namespace tf
