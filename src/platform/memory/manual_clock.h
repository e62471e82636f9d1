#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace tf {

namespace ui {
class MemoryTimer;
}

// A clock that moves only when told, and the timers that run on it.
class ManualClock : public Clock {
 public:
  int64_t NowMs() const override { return now_; }
  // Moves time on by the given milliseconds. Each timer that falls due on
  // the way fires at its due time, earliest first (timers due together in
  // the order they were made), and again every interval while it runs.
  void Advance(int64_t milliseconds);

  // True when no timer runs: nothing would wake a program at rest.
  bool Idle() const;

  void Add(ui::MemoryTimer& timer);
  void Remove(ui::MemoryTimer& timer);

 private:
  // Read by the MP3 threads too.
  std::atomic<int64_t> now_ = 0;
  std::vector<ui::MemoryTimer*> timers_;
};

}  // namespace tf
