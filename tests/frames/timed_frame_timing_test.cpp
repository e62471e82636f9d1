#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "frames/new_game.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/qt/qt_desktop.h"
#include "startup/project.h"
#include "support/fake_platform.h"
#include "support/temp_project.h"

namespace tf {
namespace {

// When each frame opened, by the program's own clock.
class FrameTimes : public TraceSink {
 public:
  explicit FrameTimes(const Clock& clock) : clock_(clock) {}
  void Write(const std::string& line) override {
    if (line.starts_with("frame ")) times.push_back(clock_.NowMs());
  }
  std::vector<int64_t> times;

 private:
  const Clock& clock_;
};

// A chain of timed frames on the real desktop timers: none may move on
// before its duration, whatever the timers' own accuracy.
TEST(TimedFrameTiming, NoFrameOfAChainMovesOnEarly) {
  constexpr int kFrames = 50;
  test::TempProject project;
  for (int i = 0; i <= kFrames; ++i) {
    const std::string next = i < kFrames ? "T" + std::to_string(i + 1) : "";
    project.Write("Frames/T" + std::to_string(i) + ".fme",
                  "0\r\n\"0\"\r\n#FALSE#\r\n#FALSE#\r\n\"\"\r\n" +
                      std::string(i < kFrames ? "#TRUE#" : "#FALSE#") + "\r\n\"0.1\"\r\n\"" +
                      next + "\"\r\n\"\"\r\n#FALSE#\r\n");
  }
  project.Write("Config/Variables", "0\r\n");

  test::FakePlatform fakes;
  QtWindowFactory windows;
  QtEventLoop events;
  QtClock clock;
  FrameTimes trace(clock);
  Platform platform{windows, fakes.messages, events, fakes.display, fakes.settings, clock, &trace};
  Player player(platform, project.Path().string());
  SetProjectPaths(player.paths, project.Path().string());
  player.info.StartFrame = "T0";
  player.info.GameWidth = 64;
  player.info.GameHeight = 48;
  Game& game = player.LoadGame();
  ResetAll(game);
  StartNewGame(game);
  events.ProcessEventsUntil([&] { return trace.times.size() > kFrames; },
                            std::chrono::milliseconds(100));

  ASSERT_EQ(trace.times.size(), static_cast<size_t>(kFrames + 1));
  std::vector<int64_t> gaps;
  for (int i = 1; i <= kFrames; ++i) gaps.push_back(trace.times[i] - trace.times[i - 1]);
  std::sort(gaps.begin(), gaps.end());
  std::printf("frame gaps over %d timed frames of 100 ms: min %lld, median %lld, max %lld ms\n",
              kFrames, static_cast<long long>(gaps.front()),
              static_cast<long long>(gaps[gaps.size() / 2]), static_cast<long long>(gaps.back()));
  EXPECT_GE(gaps.front(), 100);
  EXPECT_TRUE(fakes.messages.calls.empty());
}

}  // namespace
}  // namespace tf
