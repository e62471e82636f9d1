#include "support/fake_platform.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "platform/runtime/runtime_error.h"

namespace tf::test {

int FakeDisplay::ScreenWidth() const {
  if (fails) RaiseError(5, "display not available");
  return width;
}

int FakeDisplay::ScreenHeight() const {
  if (fails) RaiseError(5, "display not available");
  return height;
}

void FakeEventLoop::ProcessPendingEvents() {
  ++pendingCalls;
  if (onEvents) onEvents();
}

void FakeEventLoop::ProcessEventsUntil(const std::function<bool()>&, std::chrono::milliseconds) {
  ++untilCalls;
  if (onEvents) onEvents();
}

void FakeEventLoop::ProcessEventsFor(std::chrono::milliseconds duration) {
  forDurations.push_back(duration);
  if (onEvents) onEvents();
  std::this_thread::sleep_for(maxSleep ? std::min(duration, *maxSleep) : duration);
}

int64_t FakeClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void FakeEventLoop::EndProgram() { programEnded = true; }

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

std::unique_ptr<ui::Form> NullWindowFactory::CreateForm(const std::string& name, ui::FormStyle) {
  throw std::logic_error("this test opens no windows, asked for " + name);
}

Platform FakePlatform::Get() { return {windows, messages, events, display, settings, clock, nullptr}; }

}  // namespace tf::test
