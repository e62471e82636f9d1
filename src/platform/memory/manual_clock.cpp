#include "platform/memory/manual_clock.h"

#include <algorithm>

#include "platform/memory/memory_controls.h"

namespace tf {

void ManualClock::Advance(int64_t milliseconds) {
  const int64_t target = now_ + std::max<int64_t>(0, milliseconds);
  // Looked for afresh after every firing: a handler may start, stop, make or
  // destroy timers, or move the clock itself.
  for (;;) {
    ui::MemoryTimer* next = nullptr;
    for (ui::MemoryTimer* timer : timers_) {
      std::optional<int64_t> due = timer->DueAt();
      if (due && *due <= target && (!next || *due < *next->DueAt())) next = timer;
    }
    if (!next) break;
    now_ = std::max(now_.load(), *next->DueAt());
    next->Fire();
  }
  now_ = std::max(now_.load(), target);
}

bool ManualClock::Idle() const {
  return std::none_of(timers_.begin(), timers_.end(),
                      [](const ui::MemoryTimer* timer) { return timer->DueAt().has_value(); });
}

void ManualClock::Add(ui::MemoryTimer& timer) { timers_.push_back(&timer); }

void ManualClock::Remove(ui::MemoryTimer& timer) { std::erase(timers_, &timer); }

}  // namespace tf
