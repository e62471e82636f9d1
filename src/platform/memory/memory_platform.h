#pragma once

#include "platform/memory/manual_clock.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_form.h"
#include "platform/memory/recording_media_commands.h"
#include "platform/memory/recording_message_boxes.h"
#include "platform/platform.h"

namespace tf {

// The whole desktop in memory: windows and controls, recorded message boxes,
// a manual clock with its event loop, a screen, a settings store and
// recorded media commands.
struct MemoryPlatform {
  ManualClock clock;
  ui::MemoryWindowFactory windows{clock};
  RecordingMessageBoxes messages;
  MemoryEventLoop events{clock, windows};
  MemoryDisplay display;
  MemorySettingsStore settings;
  // Not in Get(): a test that follows links sets it.
  MemoryLinkOpener links;
  RecordingMediaCommands media;

  // Refers to the members: keep this object alive while the result is in use.
  Platform Get() { return {windows, messages, events, display, settings, clock, nullptr, &media}; }
};

}  // namespace tf
