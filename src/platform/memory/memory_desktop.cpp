#include "platform/memory/memory_desktop.h"

#include <algorithm>

#include "platform/memory/manual_clock.h"
#include "platform/memory/memory_form.h"

namespace tf {

// MemoryEventLoop

void MemoryEventLoop::ProcessPendingEvents() {
  if (onEvents) onEvents();
}

void MemoryEventLoop::ProcessEventsUntil(const std::function<bool()>& condition,
                                         std::chrono::milliseconds recheck) {
  const int64_t step = std::max<int64_t>(1, recheck.count());
  const int64_t limit = clock_.NowMs() + kUntilLimit.count();
  ProcessPendingEvents();
  while (!ended_ && !condition() && clock_.NowMs() < limit) {
    clock_.Advance(step);
    ProcessPendingEvents();
  }
}

void MemoryEventLoop::ProcessEventsFor(std::chrono::milliseconds duration) {
  if (ended_) return;
  ProcessPendingEvents();
  clock_.Advance(duration.count());
}

void MemoryEventLoop::EndProgram() {
  ended_ = true;
  for (ui::MemoryForm* form : windows_.Forms()) form->Hide();
}

// MemoryDisplay

int MemoryDisplay::ChangeMode(int newWidth, int newHeight) {
  if (std::find(refusedModes.begin(), refusedModes.end(), std::pair{newWidth, newHeight}) !=
      refusedModes.end())
    return kModeRefused;
  width = newWidth;
  height = newHeight;
  return kModeChanged;
}

// MemorySettingsStore

std::optional<std::string> MemorySettingsStore::Get(const std::string& application,
                                                    const std::string& section,
                                                    const std::string& key) const {
  auto it = values.find({application, section, key});
  if (it == values.end()) return std::nullopt;
  return it->second;
}

void MemorySettingsStore::Set(const std::string& application, const std::string& section,
                              const std::string& key, const std::string& value) {
  values[{application, section, key}] = value;
}

}  // namespace tf
