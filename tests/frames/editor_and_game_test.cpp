#include "frames/editor_and_game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/memory_platform.h"
#include "platform/runtime/runtime_error.h"
#include "startup/project.h"
#include "support/temp_project.h"

namespace tf {
namespace {

constexpr const char* kTenFieldFrame =
    "1,\"hall.bmp\",#TRUE#,#FALSE#,\"\",#FALSE#,\"2.5\",\"Next\",\"\",#FALSE#\r\n";

class EditorAndGameTest : public ::testing::Test {
 protected:
  EditorAndGameTest() {
    SetProjectPaths(paths, project.Path().string());
    info.GameTitle = "The Quest";
  }

  test::TempProject project;
  MemoryPlatform desktop;
  Platform platform = desktop.Get();
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
  EXPECT_TRUE(desktop.messages.calls.empty());
}

TEST_F(EditorAndGameTest, MissingFrameFileShowsTheFrameErrorAndSkipsTheLinks) {
  project.Write("Frames/Hall.fme", kTenFieldFrame);
  project.Write("Frames/Hall.lks", "3\r\n");
  project.Write("Frames/Cellar.lks", "5\r\n");
  module.LoadFrameInfo("Hall");

  module.LoadFrameInfo("Cellar");
  EXPECT_EQ(module.CurrentFrameName, "Cellar");
  EXPECT_EQ(module.FrameLinksCount, 3);
  const MessageBoxCall expected{
      "Sorry, unable to load 'Cellar'. The game may not work properly. Press 'Esc' and then click "
      "'Exit' to quit the game.",
      ui::MessageButtons::Ok, ui::MessageIcon::Critical, "Error Loading Frame"};
  ASSERT_EQ(desktop.messages.calls.size(), 1u);
  EXPECT_EQ(desktop.messages.calls[0], expected);

  module.ClearFrameInfo();
  module.LoadFrameInfo("Cellar");
  EXPECT_EQ(module.FrameLinksCount, 0);
  EXPECT_EQ(desktop.messages.calls.size(), 2u);
}

TEST_F(EditorAndGameTest, DamagedFrameFileKeepsWhatWasReadBeforeTheError) {
  project.Write("Frames/Hall.fme", "0,\"255\"\r\n");
  project.Write("Frames/Hall.lks", "3\r\n");
  module.LoadFrameInfo("Hall");
  EXPECT_EQ(module.FrameKind, 0);
  EXPECT_EQ(module.FramePicture, "255");
  EXPECT_EQ(module.FrameLinksCount, 0);
  ASSERT_EQ(desktop.messages.calls.size(), 1u);
  EXPECT_EQ(desktop.messages.calls[0].title, "Error Loading Frame");

  project.Write("Frames/Tower.fme", "picture,\"x.bmp\",#FALSE#\r\n");
  module.LoadFrameInfo("Tower");
  EXPECT_EQ(desktop.messages.calls.size(), 2u);
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
  EXPECT_TRUE(desktop.messages.calls.empty());
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
  EXPECT_TRUE(desktop.messages.calls.empty());
}

TEST_F(EditorAndGameTest, FindsFrameFilesStoredInAnotherLetterCase) {
  project.Write("frames/Hall.fme", kTenFieldFrame);
  project.Write("frames/HALL.LKS", "4\r\n");
  module.LoadFrameInfo("Hall");
  EXPECT_EQ(module.FramePicture, "hall.bmp");
  EXPECT_EQ(module.FrameLinksCount, 4);
  EXPECT_TRUE(desktop.messages.calls.empty());
}

TEST_F(EditorAndGameTest, ShowGameMessageIsAnInformationBoxTitledWithTheGame) {
  module.ShowGameMessage("The door is locked.");
  const MessageBoxCall expected{"The door is locked.", ui::MessageButtons::Ok,
                                ui::MessageIcon::Information, "The Quest"};
  ASSERT_EQ(desktop.messages.calls.size(), 1u);
  EXPECT_EQ(desktop.messages.calls[0], expected);
}

// A screen that cannot be asked for its size.
class MissingDisplay : public Display {
 public:
  int ScreenWidth() const override { RaiseError(5, "no display"); }
  int ScreenHeight() const override { RaiseError(5, "no display"); }
};

TEST_F(EditorAndGameTest, IsDisplay640x480KeepsTheScreenSize) {
  const struct {
    int width, height;
    bool is640x480;
  } cases[] = {{640, 480, true}, {1024, 768, false}, {640, 400, false}, {800, 480, false}};
  for (const auto& screen : cases) {
    desktop.display.width = screen.width;
    desktop.display.height = screen.height;
    EXPECT_EQ(module.IsDisplay640x480(), screen.is640x480);
    EXPECT_EQ(module.SavedScreenWidth, screen.width);
    EXPECT_EQ(module.SavedScreenHeight, screen.height);
  }

  MissingDisplay missing;
  Platform withoutDisplay{desktop.windows, desktop.messages, desktop.events,
                          missing,         desktop.settings, desktop.clock};
  EditorAndGame headless{withoutDisplay, paths, info, state};
  headless.SavedScreenWidth = 1;
  EXPECT_FALSE(headless.IsDisplay640x480());
  EXPECT_EQ(headless.SavedScreenWidth, 0);
  EXPECT_EQ(headless.SavedScreenHeight, 0);
}

TEST_F(EditorAndGameTest, SwitchAt640x480NeitherChangesNorWaits) {
  desktop.display.width = 640;
  desktop.display.height = 480;
  int passes = 0;
  desktop.events.onEvents = [&] { ++passes; };
  module.SwitchTo640x480();
  EXPECT_EQ(passes, 0);
  EXPECT_EQ(desktop.clock.NowMs(), 0);
}

// The settle lasts one second of the platform's clock, and the events of
// that second (here a timer every 300 ms) are handled meanwhile.
TEST_F(EditorAndGameTest, SwitchSettlesForOneSecondHandlingEvents) {
  std::unique_ptr<ui::Form> window = desktop.windows.CreateForm("W", ui::FormStyle::Borderless);
  ui::Timer& timer = window->CreateTimer("T");
  std::vector<int64_t> ticks;
  timer.onTimer = [&] { ticks.push_back(desktop.clock.NowMs()); };
  timer.SetInterval(300);
  timer.SetEnabled(true);
  std::vector<int64_t> passes;
  desktop.events.onEvents = [&] { passes.push_back(desktop.clock.NowMs()); };

  module.SwitchTo640x480();
  EXPECT_EQ(module.SavedScreenWidth, 1024);
  EXPECT_EQ(module.SavedScreenHeight, 768);
  EXPECT_EQ(desktop.clock.NowMs(), 1000);
  EXPECT_EQ(ticks, (std::vector<int64_t>{300, 600, 900}));
  ASSERT_GE(passes.size(), 2u);
  EXPECT_EQ(passes.front(), 0);
}

// A pass of events that fails part way through the second ends early; the
// settle goes on for what remains of the second, no more.
TEST_F(EditorAndGameTest, SwitchIgnoresErrorsOfTheEventLoopAndWaitsOnlyTheRest) {
  int passes = 0;
  desktop.events.onEvents = [&] {
    if (++passes != 4) return;
    desktop.clock.Advance(300);
    RaiseError(5);
  };
  module.SwitchTo640x480();
  EXPECT_EQ(desktop.clock.NowMs(), 1000);
  EXPECT_EQ(passes, 5);
}

}  // namespace
}  // namespace tf
