#include "platform/memory/manual_clock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/memory/memory_platform.h"
#include "platform/runtime_test_support.h"

namespace tf::ui {
namespace {

class ManualClockTest : public ::testing::Test {
 protected:
  Timer& MakeTimer(const std::string& name, int interval) {
    Timer& timer = form->CreateTimer(name);
    timer.onTimer = [this, name] {
      fired.push_back(name + "@" + std::to_string(desktop.clock.NowMs()));
    };
    timer.SetInterval(interval);
    timer.SetEnabled(true);
    return timer;
  }

  MemoryPlatform desktop;
  std::unique_ptr<Form> form = desktop.windows.CreateForm("W", FormStyle::Borderless);
  std::vector<std::string> fired;
};

TEST_F(ManualClockTest, TimersFireAtTheirDueTimesInTimeOrder) {
  MakeTimer("A", 300);
  MakeTimer("B", 200);
  Timer& off = MakeTimer("Off", 100);
  off.SetEnabled(false);
  MakeTimer("Zero", 0);
  desktop.clock.Advance(599);
  desktop.clock.Advance(1);
  EXPECT_EQ(fired, (std::vector<std::string>{"B@200", "A@300", "B@400", "A@600", "B@600"}));
  EXPECT_EQ(desktop.clock.NowMs(), 600);
}

TEST_F(ManualClockTest, SettingTheIntervalOrEnablingRestartsTheCount) {
  Timer& timer = MakeTimer("T", 500);
  desktop.clock.Advance(400);
  timer.SetInterval(500);
  desktop.clock.Advance(400);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  desktop.clock.Advance(499);
  EXPECT_TRUE(fired.empty());
  desktop.clock.Advance(1);
  EXPECT_EQ(fired, (std::vector<std::string>{"T@1300"}));
  EXPECT_EQ(ErrorOf([&] { timer.SetInterval(-1); }), 380);
}

TEST_F(ManualClockTest, ATimerStoppedOrDestroyedByAHandlerFiresNoMore) {
  Timer& once = MakeTimer("Once", 100);
  Timer& gone = MakeTimer("Gone", 150);
  once.onTimer = [&] {
    fired.push_back("Once");
    once.SetEnabled(false);
    form->Destroy(gone);
  };
  desktop.clock.Advance(1000);
  EXPECT_EQ(fired, (std::vector<std::string>{"Once"}));
}

TEST_F(ManualClockTest, WaitsMoveTheClockInsteadOfSleeping) {
  MakeTimer("T", 250);
  int passes = 0;
  desktop.events.onEvents = [&] { ++passes; };
  desktop.events.ProcessEventsFor(std::chrono::milliseconds(1000));
  EXPECT_EQ(fired.size(), 4u);
  EXPECT_EQ(passes, 1);

  desktop.events.ProcessEventsUntil([&] { return fired.size() == 6; },
                                    std::chrono::milliseconds(50));
  EXPECT_EQ(desktop.clock.NowMs(), 1500);

  const int64_t start = desktop.clock.NowMs();
  desktop.events.ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(0));
  EXPECT_EQ(desktop.clock.NowMs() - start, MemoryEventLoop::kUntilLimit.count());
}

TEST_F(ManualClockTest, AnimatedPicturesPlayOnTheClock) {
  TempFolder folder;
  std::filesystem::copy_file(
      std::filesystem::path(TF_TEST_FIXTURES) / "three.gif",
      folder.Path() / "three.gif");
  AnimatedPicture& picture = form->CreateAnimatedPicture("P", nullptr, -1);
  EXPECT_EQ(picture.CurrentFrame(), -1);
  picture.LoadFile(folder.Stored("three.gif"));
  EXPECT_EQ(picture.Width(), 120);
  EXPECT_EQ(picture.Height(), 90);
  desktop.clock.Advance(150);
  EXPECT_EQ(picture.CurrentFrame(), 0);
  EXPECT_FALSE(picture.Playing());

  picture.Start();
  desktop.clock.Advance(150);
  EXPECT_EQ(picture.CurrentFrame(), 1);
  desktop.clock.Advance(200);  // three frames of 100 ms loop round
  EXPECT_EQ(picture.CurrentFrame(), 0);
  picture.Stop();
  desktop.clock.Advance(100);
  EXPECT_EQ(picture.CurrentFrame(), 0);
  picture.Start();
  picture.SetSpeed(100);  // twice the pace
  desktop.clock.Advance(100);
  EXPECT_EQ(picture.CurrentFrame(), 2);

  folder.WriteFile("bad.gif", "GIF89a");
  EXPECT_EQ(ErrorOf([&] { picture.LoadFile(folder.Stored("bad.gif")); }), 481);
  EXPECT_EQ(ErrorOf([&] { picture.LoadFile(folder.Stored("none.gif")); }), 53);
  EXPECT_TRUE(picture.Playing());
}

}  // namespace
}  // namespace tf::ui
