#include "startup/project.h"

#include "platform/runtime/text_reader.h"

namespace tf {

void SetProjectPaths(ProjectPaths& paths, const std::string& programFolder) {
  paths.ProjectPath = programFolder.ends_with('/') ? programFolder : programFolder + "/";
  paths.FramesPath = paths.ProjectPath + "Frames/";
  paths.AreasPath = paths.ProjectPath + "Areas/";
  paths.IconsPath = paths.ProjectPath + "Icons/";
  paths.ConfigPath = paths.ProjectPath + "Config/";
  if (paths.SchemesPath.empty()) paths.SchemesPath = paths.ProjectPath + "schemes/";
}

void ReadProjectInformation(const ProjectPaths& paths, ProjectInformation& info) {
  TextReader file = TextReader::Open(paths.ConfigPath + "General");
  info.GameKey = file.ReadText();
  file.ReadText();
  info.GameTitle = file.ReadText();
  file.ReadInt16();
  info.StartFrame = file.ReadText();
  info.GameVersion = file.ReadText();
  info.GameWidth = file.ReadInt16();
  info.GameHeight = file.ReadInt16();
  info.AuthorName = file.ReadText();
  info.AuthorEmail = file.ReadText();
  info.AuthorHomepage = file.ReadText();

  if (!file.HasMoreData()) return;
  // Stays 1 when the twelfth value can't be read.
  info.AllowDisplayChange = 1;
  info.AllowDisplayChange = file.ReadInt16();

  if (!file.HasMoreData()) return;
  for (int unused = 0; unused < 3; ++unused) file.ReadVariant();
  info.SchemeName = file.ReadText();
}

}  // namespace tf
