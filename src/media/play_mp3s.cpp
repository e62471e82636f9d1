#include "media/play_mp3s.h"

#include <cmath>
#include <system_error>
#include <thread>

#include "game/game_window.h"
#include "game/player.h"
#include "media/sound_channels.h"
#include "platform/runtime/path_resolver.h"

namespace tf {

namespace {
// Deemed playing while no music was measured yet.
constexpr int16_t kAssumedLengthSeconds = 60;
// Margin after the music's length.
constexpr int64_t kGraceSeconds = 5;
constexpr int64_t kMsPerSecond = 1000;

int16_t WholeSeconds(double milliseconds) {
  const double seconds = std::trunc(milliseconds / kMsPerSecond);
  if (!(seconds > 0)) return 0;
  return seconds > INT16_MAX ? INT16_MAX : static_cast<int16_t>(seconds);
}

void TraceCall(const Mp3Shared& shared, const std::string& call, const Mp3Record& request) {
  if (shared.trace)
    shared.trace->Write("mp3 " + call + " \"" + TracePath(request.path, shared.projectPath) + "\"");
}

Mp3Shared& SharedOf(const Game& game) { return *game.Mp3State.shared; }
}  // namespace

PlayMP3s::PlayMP3s(const Platform& platform, std::string projectPath) {
  shared->clock = &platform.clock;
  shared->trace = platform.trace;
  shared->projectPath = std::move(projectPath);
}

PlayMP3s::~PlayMP3s() {
  std::lock_guard lock(shared->lock);
  shared->clock = nullptr;
  shared->trace = nullptr;
}

void RequestMP3(Game& game, const std::string& path) {
  ReleaseWaveMix(game);
  StopMP3(game);
  Mp3Shared& shared = SharedOf(game);
  shared.MP3LengthSeconds = kAssumedLengthSeconds;
  shared.MP3StartTime = game.GetPlayer().platform.clock.NowMs();
  game.MP3Timer.SetTag(path);
  game.MP3Timer.SetEnabled(true);
}

void MP3Timer_Timer(Game& game) {
  game.Mp3State.MP3Request.path = game.MP3Timer.Tag();
  StartMP3Thread(game);
  game.MP3Timer.SetEnabled(false);
}

void StartMP3Thread(Game& game) {
  try {
    const std::shared_ptr<Mp3Shared>& shared = game.Mp3State.shared;
    std::thread(MP3ThreadProc, shared, game.GetPlayer().platform.mp3, game.Mp3State.MP3Request,
                shared->stops.load())
        .detach();
  } catch (const std::system_error&) {
    // No thread: the assumed length stands and runs out by itself.
  }
}

void MP3ThreadProc(const std::shared_ptr<Mp3Shared>& shared,
                   const std::shared_ptr<Mp3Library>& library, const Mp3Record& request,
                   uint64_t stopsBefore) {
  const auto wanted = [&] { return shared->stops == stopsBefore; };
  {
    std::lock_guard lock(shared->lock);
    if (!shared->clock || !wanted()) return;
    TraceCall(*shared, "mp3gettime", request);
  }
  const double milliseconds = library->mp3gettime(request);
  {
    std::lock_guard lock(shared->lock);
    if (!shared->clock || !wanted()) return;
    shared->MP3LengthSeconds = WholeSeconds(milliseconds);
    shared->MP3StartTime = shared->clock->NowMs();
    TraceCall(*shared, "mp3play", request);
  }
  library->mp3play(request, wanted);
}

void StopMP3(Game& game) {
  const Platform& platform = game.GetPlayer().platform;
  Mp3Shared& shared = SharedOf(game);
  // Counted before the library's stop: a thread then either sees the count
  // and plays nothing, or has started its music, which the stop silences.
  {
    std::lock_guard lock(shared.lock);
    ++shared.stops;
    shared.MP3LengthSeconds = 0;
  }
  platform.Trace("mp3 mp3stop");
  platform.mp3->mp3stop();
}

bool MP3IsPlaying(const Game& game) {
  const Mp3Shared& shared = SharedOf(game);
  const int16_t length = shared.MP3LengthSeconds;
  if (length == 0) return false;
  // Second boundaries passed, as a count of whole seconds on a calendar clock.
  const int64_t now = game.GetPlayer().platform.clock.NowMs() / kMsPerSecond;
  const int64_t start = shared.MP3StartTime / kMsPerSecond;
  return now - start <= length + kGraceSeconds;
}

}  // namespace tf
