#include "platform/audio/sdl_mp3.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/runtime/path_resolver.h"

namespace tf {

namespace {
constexpr double kMsPerSecond = 1000.0;
constexpr auto kFreeingTime = std::chrono::seconds(1);
}  // namespace

// SDL_mixer calls are made under `callLock_`, never under `lock_`: the music's
// end is reported on the audio thread, which takes `lock_` while SDL holds
// its own lock. The output's own lock is taken only once `closed_` (or, for
// a thread's last call, `outputGone_`) says that the output is still there:
// an MP3 thread may outlive it.
class SdlMp3::Calls_ : public Mp3Library {
 public:
  explicit Calls_(AudioOutput& output) : output_(output) {}

  double mp3gettime(const Mp3Record& request) override {
    std::lock_guard calls(callLock_);
    if (closed_) return 0;
    auto held = output_.Hold();
    if (!output_.OpenHeld()) return 0;
    Mix_Music* music = Mix_LoadMUS(ResolvePath(request.path).c_str());
    if (!music) return 0;
    const double seconds = Mix_MusicDuration(music);
    Mix_FreeMusic(music);
    return seconds > 0 ? seconds * kMsPerSecond : 0;
  }

  void mp3play(const Mp3Record& request, const std::function<bool()>& wanted) override {
    // SDL keeps per-thread data for threads it did not make until told.
    struct ThreadDataCleanup {
      ~ThreadDataCleanup() { SDL_TLSCleanup(); }
    } cleanup;
    Mix_Music* music = nullptr;
    uint64_t ticket = 0;
    {
      // mp3stop waits for this lock: a stop comes before the answer, or
      // after the music has started.
      std::lock_guard calls(callLock_);
      if (closed_ || !wanted()) return;
      auto held = output_.Hold();
      if (!output_.OpenHeld()) return;
      music = Mix_LoadMUS(ResolvePath(request.path).c_str());
      if (!music) return;
      // Whatever plays ends here, and its thread returns.
      Mix_HaltMusic();
      {
        std::lock_guard lock(lock_);
        ticket = ++started_;
        ++playing_;
      }
      Instance().store(this);
      Mix_HookMusicFinished(&Calls_::MusicFinished);
      if (Mix_PlayMusic(music, 0) != 0) MusicFinished();
    }
    {
      std::unique_lock lock(lock_);
      ended_.wait(lock, [&] { return finished_ >= ticket; });
    }
    {
      std::lock_guard calls(callLock_);
      if (!outputGone_) {
        auto held = output_.Hold();
        Mix_FreeMusic(music);
      }
    }
    std::lock_guard lock(lock_);
    --playing_;
    ended_.notify_all();
  }

  void mp3stop() override {
    std::lock_guard calls(callLock_);
    if (closed_) return;
    auto held = output_.Hold();
    if (!output_.IsOpen()) return;
    Mix_HaltMusic();
  }

  // Silences the music for good. Threads that played it free it while the
  // output is still open; one that doesn't within a second leaves it.
  void Close() {
    {
      std::lock_guard calls(callLock_);
      auto held = output_.Hold();
      if (output_.IsOpen()) {
        Mix_HookMusicFinished(nullptr);
        Mix_HaltMusic();
      }
      closed_ = true;
    }
    {
      std::unique_lock lock(lock_);
      finished_ = started_;
      ended_.notify_all();
      ended_.wait_for(lock, kFreeingTime, [&] { return playing_ == 0; });
    }
    std::lock_guard calls(callLock_);
    outputGone_ = true;
  }

 private:
  // SDL_mixer's hook takes no context: there is one music stream, one owner.
  static std::atomic<Calls_*>& Instance() {
    static std::atomic<Calls_*> instance{nullptr};
    return instance;
  }

  static void MusicFinished() {
    Calls_* self = Instance().load();
    std::lock_guard lock(self->lock_);
    self->finished_ = self->started_;
    self->ended_.notify_all();
  }

  AudioOutput& output_;
  std::mutex callLock_;
  bool closed_ = false;
  bool outputGone_ = false;

  std::mutex lock_;
  std::condition_variable ended_;
  uint64_t started_ = 0;
  uint64_t finished_ = 0;
  int playing_ = 0;
};

SdlMp3::SdlMp3(AudioOutput& output) : calls_(std::make_shared<Calls_>(output)) {}

SdlMp3::~SdlMp3() { calls_->Close(); }

std::shared_ptr<Mp3Library> SdlMp3::Calls() const { return calls_; }

}  // namespace tf
