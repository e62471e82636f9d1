#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/media/media_commands.h"
#include "platform/media/mp3_library.h"
#include "platform/media/wave_mix_library.h"
#include "platform/ui/form.h"
#include "platform/ui/message_boxes.h"

namespace tf {

// Running the window system's events from inside game code.
class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Runs the events that are waiting, without blocking.
  virtual void ProcessPendingEvents() = 0;
  // Runs events, sleeping while there are none, until the condition holds.
  // The condition is looked at after every event and at least every
  // `recheck`, so a change made outside any event is noticed too.
  virtual void ProcessEventsUntil(const std::function<bool()>& condition,
                                  std::chrono::milliseconds recheck) = 0;
  // Runs events for the given time, sleeping while there are none.
  virtual void ProcessEventsFor(std::chrono::milliseconds duration) = 0;
  // Ends the program: every window closes and no further game code runs.
  virtual void EndProgram() = 0;
};

// Monotonic time. Game logic takes time only from here, so that tests can
// run it on a clock of their own.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since some fixed moment; never goes back. Any thread may ask.
  virtual int64_t NowMs() const = 0;
};

// A rectangle of the desktop, in pixels.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The screen the game's windows are on.
class Display {
 public:
  virtual ~Display() = default;
  // Size in pixels: the virtual mode's while one is on.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // Where windows are placed on the primary monitor: the part of it that the
  // desktop's panels leave, which need not start at 0, 0.
  virtual ScreenRect WorkArea() const { return {0, 0, ScreenWidth(), ScreenHeight()}; }
  // Gives the game a screen of this size; the desktop's own size goes back
  // to it. kModeChanged when done, kModeRefused for a mode it can't have.
  virtual int ChangeMode(int, int) { return kModeRefused; }
  // Character height in pixels of the windows' standard text as they draw
  // it; nothing when it can't be measured.
  virtual std::optional<int> SystemFontHeight() const { return std::nullopt; }

  static constexpr int kModeChanged = 0;
  static constexpr int kModeRefused = -2;
};

// Hands an address (a web page, "mailto:...") to the desktop's default
// handler.
class LinkOpener {
 public:
  virtual ~LinkOpener() = default;
  virtual void OpenLink(const std::string& address) = 0;
};

// Per-user text values by application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> Get(const std::string& application, const std::string& section,
                                         const std::string& key) const = 0;
  virtual void Set(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) = 0;
};

class WindowFactory {
 public:
  virtual ~WindowFactory() = default;
  virtual std::unique_ptr<ui::Form> CreateForm(const std::string& name, ui::FormStyle style) = 0;
  // A hint that these stored pictures will be loaded soon, in this order: they
  // may be read and decoded ahead. Loading them reports failures as ever.
  // Pictures announced before and not loaded yet are dropped from the hint.
  virtual void PrefetchPictures(const std::vector<std::string>&) {}
  // As PrefetchPictures, after those announced before.
  virtual void PrefetchMorePictures(const std::vector<std::string>&) {}
};

// Observable events of a run, written as the walkthrough trace.
class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void Write(const std::string& line) = 0;
};

// Everything the game asks of its desktop.
struct Platform {
  WindowFactory& windows;
  ui::MessageBoxes& messages;
  EventLoop& events;
  Display& display;
  SettingsStore& settings;
  Clock& clock;
  TraceSink* trace = nullptr;
  MediaCommands* media = nullptr;
  WaveMixLibrary* waveMix = nullptr;
  // Shared: an MP3 thread keeps it as long as it runs.
  std::shared_ptr<Mp3Library> mp3 = nullptr;

  void Trace(const std::string& line) const {
    if (trace) trace->Write(line);
  }

  // Null where links go nowhere (walkthroughs, tests).
  LinkOpener* links = nullptr;
};

}  // namespace tf
