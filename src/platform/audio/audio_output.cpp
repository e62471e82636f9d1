#include "platform/audio/audio_output.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>

namespace tf {

namespace {
// About 23 ms at 44.1 kHz: short enough for a click's sound to follow the
// click, long enough not to crackle on a busy desktop.
constexpr int kBufferFrames = 1024;

bool OpenMixer() {
  return Mix_OpenAudioDevice(AudioOutput::kSampleRate, AUDIO_S16SYS, AudioOutput::kChannels,
                             kBufferFrames, nullptr, 0) == 0;
}
}  // namespace

AudioOutput::~AudioOutput() {
  if (preparing_.valid()) preparing_.wait();
  {
    std::lock_guard lock(deviceLock_);
    closing_ = true;
  }
  quiet_.notify_all();
  if (closer_.joinable()) closer_.join();
  std::lock_guard lock(deviceLock_);
  CloseDevice();
  if (prepared_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void AudioOutput::PrepareInBackground() {
  preparing_ = std::async(std::launch::async, [this] {
                 Prepare();
                 // SDL keeps per-thread data (its last error) that only its own
                 // threads free when they end.
                 SDL_TLSCleanup();
               }).share();
}

bool AudioOutput::Open() {
  std::lock_guard lock(deviceLock_);
  return OpenHeld();
}

bool AudioOutput::OpenHeld() {
  quietFrames_ = 0;
  if (!open_ && !closing_) OpenDevice();
  return open_;
}

void AudioOutput::Prepare() {
  std::call_once(preparedOnce_, [this] {
    // SDL would otherwise take over SIGINT and Ctrl+C would stop working.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    prepared_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  });
}

void AudioOutput::OpenDevice() {
  if (preparing_.valid()) preparing_.wait();
  Prepare();
  bool ok = prepared_ && OpenMixer();
  if (!ok) {
    // No sound card, no sound server: play on in silence. (A hint, not the
    // environment, which other threads may be reading.)
    if (prepared_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    prepared_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    ok = prepared_ && OpenMixer();
  }
  if (!ok) return;
  const char* driver = SDL_GetCurrentAudioDriver();
  driver_ = driver ? driver : "";
  Mix_AllocateChannels(8);
  Mix_SetPostMix(&AudioOutput::PostMix, this);
  open_ = true;
  if (!closer_.joinable()) closer_ = std::thread([this] { CloseWhenQuiet(); });
}

void AudioOutput::CloseDevice() {
  if (!open_) return;
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  Mix_CloseAudio();
  open_ = false;
}

// Woken by the audio thread once it has been quiet long enough. Chunks loaded
// stay usable: the device opens again with the same format.
void AudioOutput::CloseWhenQuiet() {
  std::unique_lock lock(deviceLock_);
  for (;;) {
    quiet_.wait(lock);
    if (closing_) return;
    if (open_ && quietFrames_ >= closeAfterFrames_ && Mix_Playing(-1) == 0 && !Mix_PlayingMusic())
      CloseDevice();
  }
}

int AudioOutput::AddSource(Source source) {
  Open();
  std::lock_guard lock(sourcesLock_);
  int id = nextSourceId_++;
  sources_.emplace(id, std::move(source));
  return id;
}

void AudioOutput::RemoveSource(int id) {
  std::lock_guard lock(sourcesLock_);
  sources_.erase(id);
}

void AudioOutput::PostMix(void* self, uint8_t* stream, int length) {
  auto& output = *static_cast<AudioOutput*>(self);
  const int samples = length / static_cast<int>(sizeof(int16_t));
  bool sounding = output.MixSources(reinterpret_cast<int16_t*>(stream), samples);
  sounding = sounding || Mix_Playing(-1) > 0 || Mix_PlayingMusic();
  if (sounding) {
    output.quietFrames_ = 0;
    return;
  }
  output.quietFrames_ += samples / kChannels;
  if (output.quietFrames_ >= output.closeAfterFrames_) output.quiet_.notify_one();
}

bool AudioOutput::MixSources(int16_t* stream, int samples) {
  std::lock_guard lock(sourcesLock_);
  if (sources_.empty()) return false;
  scratch_.resize(samples);
  bool sounding = false;
  for (auto& [id, source] : sources_) {
    std::fill(scratch_.begin(), scratch_.end(), int16_t{0});
    sounding = source(scratch_.data(), samples / kChannels) || sounding;
    for (int i = 0; i < samples; ++i)
      stream[i] = static_cast<int16_t>(std::clamp(stream[i] + scratch_[i], -32768, 32767));
  }
  return sounding;
}

}  // namespace tf
