#pragma once

#include <QEventLoop>
#include <QTimer>
#include <functional>

// Lets Qt run its timers and events for a while; the loop sleeps between
// events.
inline void RunEventsFor(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

// Runs events until the condition holds, looking again every 10 ms, for at
// most the given time. True when the condition came true.
inline bool RunEventsUntil(const std::function<bool()>& condition, int milliseconds) {
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (condition()) loop.quit();
  });
  check.start(10);
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  if (!condition()) loop.exec();
  return condition();
}
