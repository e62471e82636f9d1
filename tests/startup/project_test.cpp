#include "startup/project.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/runtime/runtime_error.h"
#include "support/temp_project.h"

namespace tf {
namespace {

constexpr const char* kElevenFields =
    "\"quest-key\",\"ignored\",\"The Quest\",7,\"Hall\",\"1.2\",640,480,"
    "\"Ann Author\",\"ann@example.org\",\"http://example.org\"";

TEST(SetProjectPaths, AppendsOneSeparatorAndTheFolderNames) {
  ProjectPaths paths;
  SetProjectPaths(paths, "/games/quest");
  EXPECT_EQ(paths.ProjectPath, "/games/quest/");
  EXPECT_EQ(paths.FramesPath, "/games/quest/Frames/");
  EXPECT_EQ(paths.AreasPath, "/games/quest/Areas/");
  EXPECT_EQ(paths.IconsPath, "/games/quest/Icons/");
  EXPECT_EQ(paths.ConfigPath, "/games/quest/Config/");
  EXPECT_EQ(paths.SchemesPath, "/games/quest/schemes/");
}

TEST(SetProjectPaths, FolderEndingInSeparatorGetsNoSecondOne) {
  ProjectPaths paths;
  SetProjectPaths(paths, "/games/quest/");
  EXPECT_EQ(paths.ProjectPath, "/games/quest/");
  EXPECT_EQ(paths.FramesPath, "/games/quest/Frames/");

  ProjectPaths root;
  SetProjectPaths(root, "/");
  EXPECT_EQ(root.ProjectPath, "/");
  EXPECT_EQ(root.FramesPath, "/Frames/");
}

TEST(SetProjectPaths, KeepsSchemesPathAlreadySet) {
  ProjectPaths paths;
  paths.SchemesPath = "/elsewhere/schemes/";
  SetProjectPaths(paths, "/games/quest");
  EXPECT_EQ(paths.SchemesPath, "/elsewhere/schemes/");
}

class ReadProjectInformationTest : public ::testing::Test {
 protected:
  void WriteGeneral(const std::string& bytes) { project.Write("Config/General", bytes); }

  // Reads "General" and returns the error number, 0 when the read succeeds.
  int Read() {
    ProjectPaths paths;
    SetProjectPaths(paths, project.Path().string());
    try {
      ReadProjectInformation(paths, info);
    } catch (const RuntimeError& error) {
      return error.Number();
    }
    return 0;
  }

  test::TempProject project;
  ProjectInformation info;
};

TEST_F(ReadProjectInformationTest, ElevenFieldsFillTheRecordWithoutTheOptionalGroups) {
  WriteGeneral(std::string(kElevenFields) + "\r\n");
  ASSERT_EQ(Read(), 0);
  EXPECT_EQ(info.GameKey, "quest-key");
  EXPECT_EQ(info.GameTitle, "The Quest");
  EXPECT_EQ(info.StartFrame, "Hall");
  EXPECT_EQ(info.GameVersion, "1.2");
  EXPECT_EQ(info.GameWidth, 640);
  EXPECT_EQ(info.GameHeight, 480);
  EXPECT_EQ(info.AuthorName, "Ann Author");
  EXPECT_EQ(info.AuthorEmail, "ann@example.org");
  EXPECT_EQ(info.AuthorHomepage, "http://example.org");
  EXPECT_EQ(info.AllowDisplayChange, 0);
  EXPECT_EQ(info.SchemeName, "");
}

TEST_F(ReadProjectInformationTest, TwelfthFieldIsTheDisplayChangeFlag) {
  WriteGeneral(std::string(kElevenFields) + "\r\n2\r\n");
  ASSERT_EQ(Read(), 0);
  EXPECT_EQ(info.AllowDisplayChange, 2);
  EXPECT_EQ(info.SchemeName, "");
}

TEST_F(ReadProjectInformationTest, SixteenFieldsGiveTheSchemeName) {
  WriteGeneral(std::string(kElevenFields) + "\r\n1\r\n#TRUE#,\"x\",3.5\r\n\"Autumn\"\r\n");
  ASSERT_EQ(Read(), 0);
  EXPECT_EQ(info.AllowDisplayChange, 1);
  EXPECT_EQ(info.SchemeName, "Autumn");
}

TEST_F(ReadProjectInformationTest, ThirteenToFifteenFieldsAreAReadError) {
  for (const char* tail : {"1,9", "1,9,9", "1,9,9,9"}) {
    SCOPED_TRACE(tail);
    info = {};
    WriteGeneral(std::string(kElevenFields) + "\r\n" + tail + "\r\n");
    EXPECT_EQ(Read(), kErrInputPastEndOfFile);
    EXPECT_EQ(info.AllowDisplayChange, 1);
    EXPECT_EQ(info.SchemeName, "");
  }
}

TEST_F(ReadProjectInformationTest, NonNumericWidthStopsTheReadKeepingEarlierFields) {
  WriteGeneral(
      "\"quest-key\",\"ignored\",\"The Quest\",7,\"Hall\",\"1.2\",wide,480,"
      "\"Ann Author\",\"ann@example.org\",\"http://example.org\"\r\n");
  EXPECT_EQ(Read(), kErrTypeMismatch);
  EXPECT_EQ(info.GameKey, "quest-key");
  EXPECT_EQ(info.GameTitle, "The Quest");
  EXPECT_EQ(info.StartFrame, "Hall");
  EXPECT_EQ(info.GameVersion, "1.2");
  EXPECT_EQ(info.GameWidth, 0);
  EXPECT_EQ(info.GameHeight, 0);
  EXPECT_EQ(info.AuthorName, "");
}

TEST_F(ReadProjectInformationTest, UnreadableTwelfthFieldLeavesTheSwitchAllowed) {
  WriteGeneral(std::string(kElevenFields) + "\r\nmaybe\r\n");
  EXPECT_EQ(Read(), kErrTypeMismatch);
  EXPECT_EQ(info.AllowDisplayChange, 1);
}

TEST_F(ReadProjectInformationTest, ShortOrMissingFileIsAnError) {
  WriteGeneral("\"quest-key\",\"ignored\",\"The Quest\"\r\n");
  EXPECT_EQ(Read(), kErrInputPastEndOfFile);
  EXPECT_EQ(info.GameTitle, "The Quest");

  std::filesystem::remove(project.Path() / "Config" / "General");
  EXPECT_EQ(Read(), kErrFileNotFound);
}

TEST_F(ReadProjectInformationTest, FindsFoldersStoredInAnotherLetterCase) {
  project.Write("CONFIG/General", std::string(kElevenFields) + "\r\n1\r\n");
  ASSERT_EQ(Read(), 0);
  EXPECT_EQ(info.GameTitle, "The Quest");
  EXPECT_EQ(info.AllowDisplayChange, 1);
}

}  // namespace
}  // namespace tf
