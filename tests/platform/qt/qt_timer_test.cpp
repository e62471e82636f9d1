#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/qt/qt_controls.h"

namespace tf::ui {
namespace {

using Clock = std::chrono::steady_clock;

// Fifty real waits of a timed frame's length, one after the other, so each
// begins at another moment of Qt's timer schedule.
TEST(QtTimerTest, NeverFiresBeforeItsInterval) {
  constexpr int kRuns = 50;
  constexpr double kIntervalMs = 100;
  QtTimer timer("Timer1");
  QEventLoop loop;
  Clock::time_point armed;
  std::vector<double> delays;
  timer.onTimer = [&] {
    delays.push_back(std::chrono::duration<double, std::milli>(Clock::now() - armed).count());
    timer.SetEnabled(false);
    loop.quit();
  };
  timer.SetInterval(static_cast<int>(kIntervalMs));
  QTimer giveUp;
  QObject::connect(&giveUp, &QTimer::timeout, &loop, &QEventLoop::quit);
  for (int run = 0; run < kRuns; ++run) {
    timer.SetEnabled(true);
    // Taken after arming, so a timer that fires early can't hide in the gap.
    armed = Clock::now();
    giveUp.start(1000);
    loop.exec();
    ASSERT_EQ(delays.size(), static_cast<size_t>(run + 1)) << "no tick within a second";
  }
  std::sort(delays.begin(), delays.end());
  std::printf("[ delays   ] %d x %.0f ms: min %.2f, median %.2f, max %.2f ms\n", kRuns, kIntervalMs,
              delays.front(), delays[kRuns / 2], delays.back());
  EXPECT_GE(delays.front(), kIntervalMs);
}

}  // namespace
}  // namespace tf::ui
