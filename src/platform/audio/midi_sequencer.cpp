#include "platform/audio/midi_sequencer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <limits>

#include "platform/audio/audio_output.h"
#include "platform/audio/riff_midi.h"
#include "platform/runtime/bounded_log.h"

namespace tf {

namespace {
constexpr std::array kSoundfonts = {"/usr/share/sounds/sf2/default-GM.sf2",
                                    "/usr/share/sounds/sf2/default-GM.sf3",
                                    "/usr/share/sounds/sf2/TimGM6mb.sf2"};
// FluidSynth's own default of 0.2 is far quieter than the sounds beside it.
constexpr double kGain = 1.0;
constexpr int kDefaultTempo = 500000;  // microseconds per quarter note
// How long the synthesizer rings on (its reverb) after the last note.
constexpr int kRingFrames = 2 * AudioOutput::kSampleRate;
// Rendered at a time, and at most ahead of what is heard: two of the audio
// output's buffers, about 46 ms.
constexpr int kBlockFrames = 512;
constexpr size_t kMostAhead = 2048 * AudioOutput::kChannels;

// The ticks per quarter note of a standard MIDI file, or 0 when the data is
// not one (or counts in SMPTE frames, which this sequencer doesn't time).
int Division(const std::string& data) {
  if (data.size() < 14 || data.compare(0, 4, "MThd") != 0) return 0;
  int division = (static_cast<uint8_t>(data[12]) << 8) | static_cast<uint8_t>(data[13]);
  return division & 0x8000 ? 0 : division;
}
// FluidSynth says "done" about three seconds after the last event; the ticks
// tell it at once. Before the first render the file is not loaded and counts
// no ticks yet.
bool StillPlaying(fluid_player_t* player) {
  if (fluid_player_get_status(player) != FLUID_PLAYER_PLAYING) return false;
  const int total = fluid_player_get_total_ticks(player);
  return total <= 0 || fluid_player_get_current_tick(player) < total;
}

// A file of thousands of notes at once has the synthesizer warn of each one
// it can't voice.
void LogSynthMessage(int, const char* message, void*) {
  static BoundedLog log("fluidsynth", 10, std::chrono::seconds(10));
  log.Write(message);
}
// FluidSynth's log functions are the process's: set once, before the first
// settings are made.
fluid_settings_t* NewSettings() {
  static std::once_flag routed;
  std::call_once(routed, [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO})
      fluid_set_log_function(level, &LogSynthMessage, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  });
  return new_fluid_settings();
}
}  // namespace

MidiSynth::MidiSynth(AudioOutput& output)
    : output_(output), settings_(NewSettings()), quietFrames_(kRingFrames) {
  fluid_settings_setnum(settings_, "synth.sample-rate", AudioOutput::kSampleRate);
  fluid_settings_setnum(settings_, "synth.gain", kGain);
  // Players move on with the samples rendered, not with a timer thread of
  // their own, so the music keeps time with what is heard.
  fluid_settings_setstr(settings_, "player.timing-source", "sample");
  synth_ = new_fluid_synth(settings_);
  // With no soundfont MIDI plays silently.
  for (const char* path : kSoundfonts)
    if (fluid_synth_sfload(synth_, path, 1) >= 0) break;
  thread_ = std::thread([this] { RenderAhead(); });
  sourceId_ =
      output_.AddSource([this](int16_t* samples, int frames) { return Mix(samples, frames); });
}

MidiSynth::~MidiSynth() {
  output_.RemoveSource(sourceId_);
  {
    std::lock_guard lock(lock_);
    quit_ = true;
  }
  wake_.notify_all();
  thread_.join();
  for (const std::shared_ptr<MidiTrack>& track : tracks_) delete_fluid_player(track->player);
  delete_fluid_synth(synth_);
  delete_fluid_settings(settings_);
}

void MidiSynth::Apply(Change change) {
  {
    std::lock_guard lock(lock_);
    changes_.push_back(std::move(change));
  }
  wake_.notify_all();
}

std::shared_ptr<MidiTrack> MidiSynth::AddTrack(std::string data) {
  auto track = std::make_shared<MidiTrack>();
  Apply([this, track, data = std::move(data)] {
    track->player = new_fluid_player(synth_);
    if (!track->player) return;
    tracks_.push_back(track);
    // Copied: the file is read from the copy at the first play.
    fluid_player_add_mem(track->player, data.data(), data.size());
  });
  return track;
}

void MidiSynth::PlayTrack(const std::shared_ptr<MidiTrack>& track, uint32_t play) {
  Apply([track, play] {
    track->startedPlay = play;
    // A file the synthesizer couldn't take has played to its end at once.
    if (track->player)
      fluid_player_play(track->player);
    else
      track->endedPlay = play;
  });
}

void MidiSynth::HaltTrack(const std::shared_ptr<MidiTrack>& track) {
  Apply([this, track] {
    if (track->player) fluid_player_stop(track->player);
    fluid_synth_all_sounds_off(synth_, -1);
    DropAhead();
  });
}

void MidiSynth::SeekTrack(const std::shared_ptr<MidiTrack>& track, int ticks) {
  Apply([track, ticks] {
    if (track->player) fluid_player_seek(track->player, ticks);
  });
}

void MidiSynth::RemoveTrack(const std::shared_ptr<MidiTrack>& track) {
  Apply([this, track] {
    if (!track->player) return;
    fluid_player_stop(track->player);
    fluid_synth_all_sounds_off(synth_, -1);
    DropAhead();
    std::erase(tracks_, track);
    delete_fluid_player(track->player);
    track->player = nullptr;
  });
}

// Renders while the output takes the samples, and while a track or a voice
// sounds; rung out, it sleeps until a change comes.
void MidiSynth::RenderAhead() {
  std::array<int16_t, kBlockFrames * AudioOutput::kChannels> block;
  std::unique_lock lock(lock_);
  while (!quit_) {
    const bool room = ahead_.size() + block.size() <= kMostAhead;
    if (changes_.empty() && !(rendering_ && room)) {
      wake_.wait(lock);
      continue;
    }
    std::vector<Change> changes = std::move(changes_);
    changes_.clear();
    // A change may start a sound: look again.
    if (!changes.empty()) rendering_ = true;
    lock.unlock();
    for (Change& change : changes) change();
    const bool rendered = room && rendering_ && RenderBlock(block.data());
    Report();
    lock.lock();
    if (rendered)
      ahead_.insert(ahead_.end(), block.begin(), block.end());
    else if (room)
      rendering_ = false;
  }
}

bool MidiSynth::Sounding() const {
  for (const std::shared_ptr<MidiTrack>& track : tracks_)
    if (StillPlaying(track->player)) return true;
  // Voices start only from a playing player: once rung out, none sound.
  return quietFrames_ < kRingFrames && fluid_synth_get_active_voice_count(synth_) > 0;
}

// Quiet, the synthesizer is left alone once it has rung out: rendering
// silence through its reverb would keep the processor busy for nothing.
bool MidiSynth::RenderBlock(int16_t* samples) {
  if (Sounding())
    quietFrames_ = 0;
  else if (quietFrames_ >= kRingFrames)
    return false;
  else
    quietFrames_ += kBlockFrames;
  fluid_synth_write_s16(synth_, kBlockFrames, samples, 0, 2, samples, 1, 2);
  return true;
}

void MidiSynth::Report() {
  for (const std::shared_ptr<MidiTrack>& track : tracks_) {
    track->totalTicks = fluid_player_get_total_ticks(track->player);
    track->currentTick = fluid_player_get_current_tick(track->player);
    track->tempo = fluid_player_get_midi_tempo(track->player);
    if (!StillPlaying(track->player)) track->endedPlay = track->startedPlay;
  }
}

void MidiSynth::DropAhead() {
  std::lock_guard lock(lock_);
  ahead_.clear();
}

bool MidiSynth::Mix(int16_t* samples, int frames) {
  std::lock_guard lock(lock_);
  const size_t count =
      std::min(static_cast<size_t>(frames) * AudioOutput::kChannels, ahead_.size());
  std::copy_n(ahead_.begin(), count, samples);
  ahead_.erase(ahead_.begin(), ahead_.begin() + static_cast<ptrdiff_t>(count));
  if (rendering_) wake_.notify_all();
  return rendering_ || !ahead_.empty();
}

std::unique_ptr<MidiSequencer> MidiSequencer::Open(MidiSynth& synth, std::string data) {
  data = UnwrapRiffMidi(std::move(data));
  const int division = Division(data);
  if (division == 0) return nullptr;
  return std::unique_ptr<MidiSequencer>(
      new MidiSequencer(synth, division, synth.AddTrack(std::move(data))));
}

MidiSequencer::MidiSequencer(MidiSynth& synth, int division, std::shared_ptr<MidiTrack> track)
    : synth_(synth), division_(division), track_(std::move(track)) {}

MidiSequencer::~MidiSequencer() { synth_.RemoveTrack(track_); }

void MidiSequencer::Play() {
  if (state_ == State::Playing) return;
  synth_.Output().Open();
  synth_.PlayTrack(track_, ++plays_);
  state_ = State::Playing;
}

void MidiSequencer::Pause() {
  if (state_ != State::Playing) return;
  synth_.HaltTrack(track_);
  state_ = State::Paused;
}

void MidiSequencer::Stop() {
  if (state_ == State::Stopped) return;
  synth_.HaltTrack(track_);
  state_ = State::Stopped;
}

// The synthesizer can't go before the start or past the end of a file it has
// loaded.
bool MidiSequencer::Seek(double milliseconds) {
  const double ticks = milliseconds * 1000.0 * division_ / Tempo();
  const int total = track_->totalTicks;
  if (!(ticks >= 0) || ticks > (total > 0 ? total : std::numeric_limits<int>::max())) return false;
  synth_.SeekTrack(track_, static_cast<int>(ticks));
  return true;
}

// Playing until the synthesizer's thread has seen this start end.
std::string MidiSequencer::Mode() const {
  if (state_ == State::Paused) return "paused";
  return state_ == State::Playing && track_->endedPlay != plays_ ? "playing" : "stopped";
}

int MidiSequencer::Tempo() const {
  const int tempo = track_->tempo;
  return tempo > 0 ? tempo : kDefaultTempo;
}

double MidiSequencer::TicksToMs(int ticks) const {
  return static_cast<double>(ticks) * Tempo() / division_ / 1000.0;
}

double MidiSequencer::Length() const { return TicksToMs(track_->totalTicks); }

double MidiSequencer::Position() const { return TicksToMs(track_->currentTick); }

}  // namespace tf
