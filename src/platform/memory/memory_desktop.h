#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace tf {

class ManualClock;

namespace ui {
class MemoryWindowFactory;
}

// An event loop on the manual clock. Its events are what `onEvents` makes
// happen (a test's clicks and keys) and the timers the clock fires; waiting
// moves the clock on instead of sleeping.
class MemoryEventLoop : public EventLoop {
 public:
  // ProcessEventsUntil gives up after this much clock time, so that a wait
  // for a condition that never comes true ends.
  static constexpr std::chrono::milliseconds kUntilLimit{10 * 60 * 1000};

  MemoryEventLoop(ManualClock& clock, ui::MemoryWindowFactory& windows)
      : clock_(clock), windows_(windows) {}

  // Runs onEvents.
  void ProcessPendingEvents() override;
  // Runs onEvents and looks at the condition, then moves the clock on by
  // `recheck` (at least 1 ms) and does so again, until the condition holds,
  // the program ends or kUntilLimit has passed.
  void ProcessEventsUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds recheck) override;
  // Runs onEvents, then moves the clock on by the duration.
  void ProcessEventsFor(std::chrono::milliseconds duration) override;
  // Hides every window; later waits return at once.
  void EndProgram() override;

  bool Ended() const { return ended_; }

  std::function<void()> onEvents;

 private:
  ManualClock& clock_;
  ui::MemoryWindowFactory& windows_;
  bool ended_ = false;
};

// A screen of a settable size.
class MemoryDisplay : public Display {
 public:
  int ScreenWidth() const override { return width; }
  int ScreenHeight() const override { return height; }
  // Takes any mode but those listed as refused.
  int ChangeMode(int newWidth, int newHeight) override;
  std::optional<int> SystemFontHeight() const override { return fontHeight; }
  ScreenRect WorkArea() const override {
    return workArea.value_or(ScreenRect{0, 0, width, height});
  }

  int width = 1024;
  int height = 768;
  // None: the whole screen.
  std::optional<ScreenRect> workArea;
  std::optional<int> fontHeight = 13;
  std::vector<std::pair<int, int>> refusedModes;
};

// Keeps the addresses it was asked to open.
class MemoryLinkOpener : public LinkOpener {
 public:
  void OpenLink(const std::string& address) override { opened.push_back(address); }
  std::vector<std::string> opened;
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

}  // namespace tf
