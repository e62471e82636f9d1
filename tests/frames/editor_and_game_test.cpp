#include "frames/editor_and_game.h"

#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <string>

#include "platform/runtime/runtime_error.h"
#include "startup/project.h"
#include "support/fake_platform.h"
#include "support/temp_project.h"

namespace tf {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

constexpr const char* kTenFieldFrame =
    "1,\"hall.bmp\",#TRUE#,#FALSE#,\"\",#FALSE#,\"2.5\",\"Next\",\"\",#FALSE#\r\n";

class EditorAndGameTest : public ::testing::Test {
 protected:
  EditorAndGameTest() {
    SetProjectPaths(paths, project.Path().string());
    info.GameTitle = "The Quest";
  }

  milliseconds TotalWait() const {
    const auto& durations = fake.events.forDurations;
    return std::accumulate(durations.begin(), durations.end(), milliseconds{0});
  }

  test::TempProject project;
  test::FakePlatform fake;
  Platform platform = fake.Get();
  ProjectPaths paths;
  ProjectInformation info;
  GameState state;
  EditorAndGame module{platform, paths, info, state};
};

TEST_F(EditorAndGameTest, TenFieldFrameFileIsValid) {
  project.Write("Frames/Hall.fme", kTenFieldFrame);
  project.Write("Frames/Hall.lks", "3,\"ignored\"\r\n");
  module.LoadFrameInfo("Hall");
  EXPECT_EQ(module.CurrentFrameName, "Hall");
  EXPECT_EQ(module.FrameKind, 1);
  EXPECT_EQ(module.FramePicture, "hall.bmp");
  EXPECT_TRUE(module.TilePicture);
  EXPECT_EQ(module.FrameLinksCount, 3);
  EXPECT_TRUE(fake.messages.calls.empty());
}

TEST_F(EditorAndGameTest, MissingFrameFileShowsTheFrameErrorAndSkipsTheLinks) {
  project.Write("Frames/Hall.fme", kTenFieldFrame);
  project.Write("Frames/Hall.lks", "3\r\n");
  project.Write("Frames/Cellar.lks", "5\r\n");
  module.LoadFrameInfo("Hall");

  module.LoadFrameInfo("Cellar");
  EXPECT_EQ(module.CurrentFrameName, "Cellar");
  EXPECT_EQ(module.FrameLinksCount, 3);
  const test::MessageBoxCall expected{
      "Sorry, unable to load 'Cellar'. The game may not work properly. Press 'Esc' and then click "
      "'Exit' to quit the game.",
      ui::MessageButtons::Ok, ui::MessageIcon::Critical, "Error Loading Frame"};
  ASSERT_EQ(fake.messages.calls.size(), 1u);
  EXPECT_EQ(fake.messages.calls[0], expected);

  module.ClearFrameInfo();
  module.LoadFrameInfo("Cellar");
  EXPECT_EQ(module.FrameLinksCount, 0);
  EXPECT_EQ(fake.messages.calls.size(), 2u);
}

TEST_F(EditorAndGameTest, DamagedFrameFileKeepsWhatWasReadBeforeTheError) {
  project.Write("Frames/Hall.fme", "0,\"255\"\r\n");
  project.Write("Frames/Hall.lks", "3\r\n");
  module.LoadFrameInfo("Hall");
  EXPECT_EQ(module.FrameKind, 0);
  EXPECT_EQ(module.FramePicture, "255");
  EXPECT_EQ(module.FrameLinksCount, 0);
  ASSERT_EQ(fake.messages.calls.size(), 1u);
  EXPECT_EQ(fake.messages.calls[0].title, "Error Loading Frame");

  project.Write("Frames/Tower.fme", "picture,\"x.bmp\",#FALSE#\r\n");
  module.LoadFrameInfo("Tower");
  EXPECT_EQ(fake.messages.calls.size(), 2u);
}

TEST_F(EditorAndGameTest, UnusableLinksFileGivesNoAreasSilently) {
  project.Write("Frames/Hall.fme", kTenFieldFrame);
  for (const char* links : {"0\r\n", "40000\r\n", "-32769\r\n", "doors\r\n", ""}) {
    SCOPED_TRACE(links);
    project.Write("Frames/Hall.lks", "7\r\n");
    module.LoadFrameInfo("Hall");
    ASSERT_EQ(module.FrameLinksCount, 7);
    project.Write("Frames/Hall.lks", links);
    module.LoadFrameInfo("Hall");
    EXPECT_EQ(module.FrameLinksCount, 0);
  }
  std::filesystem::remove(project.Path() / "Frames" / "Hall.lks");
  module.LoadFrameInfo("Hall");
  EXPECT_EQ(module.FrameLinksCount, 0);
  EXPECT_TRUE(fake.messages.calls.empty());
}

TEST_F(EditorAndGameTest, LoadFrameLinksCountReadsTheLinksFileAgain) {
  project.Write("Frames/Hall.fme", kTenFieldFrame);
  project.Write("Frames/Hall.lks", "2\r\n");
  module.LoadFrameInfo("Hall");

  project.Write("Frames/Hall.lks", "32767\r\n");
  EXPECT_EQ(module.LoadFrameLinksCount(), 32767);
  EXPECT_EQ(module.FrameLinksCount, 32767);

  project.Write("Frames/Hall.lks", "32768\r\n");
  EXPECT_EQ(module.LoadFrameLinksCount(), 0);
  EXPECT_EQ(module.FrameLinksCount, 0);
  EXPECT_TRUE(fake.messages.calls.empty());
}

TEST_F(EditorAndGameTest, FindsFrameFilesStoredInAnotherLetterCase) {
  project.Write("frames/Hall.fme", kTenFieldFrame);
  project.Write("frames/HALL.LKS", "4\r\n");
  module.LoadFrameInfo("Hall");
  EXPECT_EQ(module.FramePicture, "hall.bmp");
  EXPECT_EQ(module.FrameLinksCount, 4);
  EXPECT_TRUE(fake.messages.calls.empty());
}

TEST_F(EditorAndGameTest, ShowGameMessageIsAnInformationBoxTitledWithTheGame) {
  module.ShowGameMessage("The door is locked.");
  const test::MessageBoxCall expected{"The door is locked.", ui::MessageButtons::Ok,
                                      ui::MessageIcon::Information, "The Quest"};
  ASSERT_EQ(fake.messages.calls.size(), 1u);
  EXPECT_EQ(fake.messages.calls[0], expected);
}

TEST_F(EditorAndGameTest, IsDisplay640x480KeepsTheScreenSize) {
  const struct {
    int width, height;
    bool is640x480;
  } cases[] = {{640, 480, true}, {1024, 768, false}, {640, 400, false}, {800, 480, false}};
  for (const auto& screen : cases) {
    fake.display.width = screen.width;
    fake.display.height = screen.height;
    EXPECT_EQ(module.IsDisplay640x480(), screen.is640x480);
    EXPECT_EQ(module.SavedScreenWidth, screen.width);
    EXPECT_EQ(module.SavedScreenHeight, screen.height);
  }

  fake.display.fails = true;
  EXPECT_FALSE(module.IsDisplay640x480());
  EXPECT_EQ(module.SavedScreenWidth, 0);
  EXPECT_EQ(module.SavedScreenHeight, 0);
}

TEST_F(EditorAndGameTest, SwitchAt640x480NeitherChangesNorWaits) {
  fake.display.width = 640;
  fake.display.height = 480;
  const auto start = steady_clock::now();
  module.SwitchTo640x480();
  EXPECT_LT(steady_clock::now() - start, milliseconds{100});
  EXPECT_EQ(fake.events.pendingCalls, 0);
  EXPECT_TRUE(fake.events.forDurations.empty());
}

TEST_F(EditorAndGameTest, SwitchWaitsOneSecondProcessingEvents) {
  const auto start = steady_clock::now();
  module.SwitchTo640x480();
  const auto elapsed = steady_clock::now() - start;
  EXPECT_EQ(module.SavedScreenWidth, 1024);
  EXPECT_EQ(module.SavedScreenHeight, 768);
  EXPECT_EQ(fake.events.pendingCalls, 1);
  EXPECT_GE(TotalWait(), milliseconds{990});
  EXPECT_LE(TotalWait(), milliseconds{1010});
  EXPECT_GE(elapsed, milliseconds{1000});
  EXPECT_LT(elapsed, milliseconds{1200});
}

TEST_F(EditorAndGameTest, SwitchKeepsWaitingWhenEventsEndEachRoundEarly) {
  fake.events.maxSleep = milliseconds{100};
  const auto start = steady_clock::now();
  module.SwitchTo640x480();
  const auto elapsed = steady_clock::now() - start;
  EXPECT_GE(elapsed, milliseconds{1000});
  EXPECT_LT(elapsed, milliseconds{1200});
  const auto& durations = fake.events.forDurations;
  ASSERT_GE(durations.size(), 9u);
  EXPECT_LE(durations.size(), 11u);
  EXPECT_LE(durations.front(), milliseconds{1000});
  EXPECT_LE(durations.back(), milliseconds{100});
}

TEST_F(EditorAndGameTest, SwitchIgnoresErrorsOfTheEventLoop) {
  int rounds = 0;
  fake.events.onEvents = [&] {
    if (++rounds == 1) RaiseError(5);
  };
  const auto start = steady_clock::now();
  module.SwitchTo640x480();
  EXPECT_GE(steady_clock::now() - start, milliseconds{1000});
  EXPECT_EQ(fake.events.pendingCalls, 1);
  EXPECT_FALSE(fake.events.forDurations.empty());
}

}  // namespace
}  // namespace tf
