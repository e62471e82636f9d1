#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "support/recording_message_boxes.h"

namespace tf::test {

// A screen of a settable size; with `fails` set every query throws.
class FakeDisplay : public Display {
 public:
  int ScreenWidth() const override;
  int ScreenHeight() const override;

  int width = 1024;
  int height = 768;
  bool fails = false;
};

// An event loop with no events of its own. Every call is counted and runs
// `onEvents`, where a test makes its events happen. ProcessEventsUntil
// returns after that one run, whether the condition holds or not.
// ProcessEventsFor records the duration asked for and sleeps for it, or for
// `maxSleep` when that is shorter (as a real loop returns early on an event).
class FakeEventLoop : public EventLoop {
 public:
  void ProcessPendingEvents() override;
  void ProcessEventsUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds recheck) override;
  void ProcessEventsFor(std::chrono::milliseconds duration) override;
  void EndProgram() override;

  std::function<void()> onEvents;
  std::optional<std::chrono::milliseconds> maxSleep;

  int pendingCalls = 0;
  int untilCalls = 0;
  std::vector<std::chrono::milliseconds> forDurations;
  bool programEnded = false;
};

// Real time for now.
class FakeClock : public Clock {
 public:
  int64_t NowMs() const override;
};

class MemorySettingsStore : public SettingsStore {
 public:
  using Key = std::tuple<std::string, std::string, std::string>;  // application, section, key

  std::optional<std::string> Get(const std::string& application, const std::string& section,
                                 const std::string& key) const override;
  void Set(const std::string& application, const std::string& section, const std::string& key,
           const std::string& value) override;

  std::map<Key, std::string> values;
};

// For tests that must not open windows.
class NullWindowFactory : public WindowFactory {
 public:
  std::unique_ptr<ui::Form> CreateForm(const std::string& name, ui::FormStyle style) override;
};

struct FakePlatform {
  NullWindowFactory windows;
  RecordingMessageBoxes messages;
  FakeEventLoop events;
  FakeDisplay display;
  MemorySettingsStore settings;
  FakeClock clock;

  // Refers to the fakes above: keep this object alive while it is in use.
  Platform Get();
};

}  // namespace tf::test
