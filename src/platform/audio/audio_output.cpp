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
  if (keeper_.joinable()) keeper_.join();
  std::lock_guard lock(deviceLock_);
  CloseDevice();
  Release();
}

void AudioOutput::PrepareInBackground() {
  std::lock_guard lock(deviceLock_);
  if (preparing_.valid() || keeper_.joinable()) return;
  preparing_ = std::async(std::launch::async, [this] {
                 Prepare();
                 // SDL keeps per-thread data (its last error) that only its own
                 // threads free when they end.
                 SDL_TLSCleanup();
               }).share();
  keeper_ = std::thread([this] { KeepWhileUsed(); });
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
  std::lock_guard lock(preparedLock_);
  if (prepared_) return;
  // SDL would otherwise take over SIGINT and Ctrl+C would stop working.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  prepared_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  preparedAt_ = std::chrono::steady_clock::now();
}

// Some drivers keep a thread of their own waking while the sound system is
// up (ALSA looks for new devices ten times a second), device open or not.
void AudioOutput::Release() {
  std::lock_guard lock(preparedLock_);
  if (prepared_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  prepared_ = false;
}

void AudioOutput::OpenDevice() {
  if (preparing_.valid()) preparing_.wait();
  Prepare();
  bool ok = HoldsSoundSystem() && OpenMixer();
  if (!ok) {
    // No sound card, no sound server: play on in silence. (A hint, not the
    // environment, which other threads may be reading.)
    Release();
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    Prepare();
    ok = HoldsSoundSystem() && OpenMixer();
  }
  if (!ok) return;
  const char* driver = SDL_GetCurrentAudioDriver();
  driver_ = driver ? driver : "";
  Mix_AllocateChannels(8);
  Mix_SetPostMix(&AudioOutput::PostMix, this);
  open_ = true;
  if (!keeper_.joinable()) keeper_ = std::thread([this] { KeepWhileUsed(); });
  quiet_.notify_all();
}

void AudioOutput::CloseDevice() {
  if (!open_) return;
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  Mix_CloseAudio();
  open_ = false;
}

// Closes the device once the audio thread says it has been quiet long
// enough, and lets the sound system go with it; lets it go too when it was
// prepared and nothing opened it for as long. Chunks loaded stay usable: the
// device opens again with the same format.
void AudioOutput::KeepWhileUsed() {
  std::unique_lock lock(deviceLock_);
  while (!closing_) {
    if (open_) {
      quiet_.wait(lock);
      if (closing_ || !open_ || quietFrames_ < closeAfterFrames_ || Mix_Playing(-1) != 0 ||
          Mix_PlayingMusic())
        continue;
      CloseDevice();
      Release();
    } else if (HoldsSoundSystem()) {
      const auto unused = std::chrono::steady_clock::now() - PreparedAt();
      const std::chrono::milliseconds quietPeriod(closeAfterFrames_ * 1000 / kSampleRate);
      if (unused >= quietPeriod)
        Release();
      else
        quiet_.wait_for(lock, quietPeriod - unused);
    } else if (preparing_.valid() &&
               preparing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
      lock.unlock();
      preparing_.wait();
      lock.lock();
    } else {
      quiet_.wait(lock);  // until the device opens
    }
  }
  SDL_TLSCleanup();
}

bool AudioOutput::HoldsSoundSystem() const {
  std::lock_guard lock(preparedLock_);
  return prepared_;
}

std::chrono::steady_clock::time_point AudioOutput::PreparedAt() const {
  std::lock_guard lock(preparedLock_);
  return preparedAt_;
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
