#pragma once

#include "platform/memory/manual_clock.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_form.h"
#include "platform/memory/recording_media_commands.h"
#include "platform/memory/memory_mp3.h"
#include "platform/memory/memory_wave_mix.h"
#include "platform/memory/recording_message_boxes.h"
#include "platform/memory/recording_trace.h"
#include "platform/platform.h"

namespace tf {

// The whole desktop in memory: windows and controls, recorded message boxes,
// a manual clock with its event loop, a screen, a settings store, the trace,
// recorded media commands and the sound libraries.
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
  RecordingTrace trace;
  MemoryWaveMix waveMix;
  std::shared_ptr<MemoryMp3> mp3 = std::make_shared<MemoryMp3>();

  // Refers to the members: keep this object alive while the result is in use.
  Platform Get() {
    Platform platform{windows, messages, events, display, settings, clock, &trace};
    platform.media = &media;
    platform.waveMix = &waveMix;
    platform.mp3 = mp3;
    return platform;
  }
};

}  // namespace tf
