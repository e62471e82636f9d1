#include "platform/audio/midi_sequencer.h"

#include <fluidsynth.h>

#include <array>

#include "platform/audio/audio_output.h"

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
}  // namespace

MidiSynth::MidiSynth(AudioOutput& output)
    : output_(output), settings_(new_fluid_settings()), quietFrames_(kRingFrames) {
  fluid_settings_setnum(settings_, "synth.sample-rate", AudioOutput::kSampleRate);
  fluid_settings_setnum(settings_, "synth.gain", kGain);
  // Players move on with the samples rendered, not with a timer thread of
  // their own, so the music keeps time with what is heard.
  fluid_settings_setstr(settings_, "player.timing-source", "sample");
  synth_ = new_fluid_synth(settings_);
  for (const char* path : kSoundfonts) {
    soundfont_ = fluid_synth_sfload(synth_, path, 1);
    if (soundfont_ >= 0) break;
  }
  sourceId_ =
      output_.AddSource([this](int16_t* samples, int frames) { return Render(samples, frames); });
}

MidiSynth::~MidiSynth() {
  output_.RemoveSource(sourceId_);
  delete_fluid_synth(synth_);
  delete_fluid_settings(settings_);
}

void MidiSynth::RemovePlayer(fluid_player_t* player) { std::erase(players_, player); }

bool MidiSynth::Sounding() const {
  for (fluid_player_t* player : players_)
    if (StillPlaying(player)) return true;
  // Voices start only from a playing player: once rung out, none sound. The
  // count takes the synthesizer's own lock, so it isn't asked in silence.
  return quietFrames_ < kRingFrames && fluid_synth_get_active_voice_count(synth_) > 0;
}

// Quiet, the synthesizer is left alone once it has rung out: rendering
// silence through its reverb would keep the processor busy for nothing.
bool MidiSynth::Render(int16_t* samples, int frames) {
  std::lock_guard lock(renderLock_);
  if (Sounding())
    quietFrames_ = 0;
  else if (quietFrames_ >= kRingFrames)
    return false;
  else
    quietFrames_ += frames;
  fluid_synth_write_s16(synth_, frames, samples, 0, 2, samples, 1, 2);
  return true;
}

std::unique_ptr<MidiSequencer> MidiSequencer::Open(MidiSynth& synth, std::string data) {
  int division = Division(data);
  if (division == 0) return nullptr;
  std::unique_ptr<MidiSequencer> device(new MidiSequencer(synth, division));
  bool added = false;
  {
    std::lock_guard lock(synth.RenderLock());
    device->player_ = new_fluid_player(synth.Synth());
    if (device->player_) synth.AddPlayer(device->player_);
    added = device->player_ &&
            fluid_player_add_mem(device->player_, data.data(), data.size()) == FLUID_OK;
  }
  return added ? std::move(device) : nullptr;
}

MidiSequencer::MidiSequencer(MidiSynth& synth, int division) : synth_(synth), division_(division) {}

MidiSequencer::~MidiSequencer() {
  if (!player_) return;
  std::lock_guard lock(synth_.RenderLock());
  fluid_player_stop(player_);
  fluid_synth_all_sounds_off(synth_.Synth(), -1);
  synth_.RemovePlayer(player_);
  delete_fluid_player(player_);
}

// The audio thread moves the player on: ask under its lock.
bool MidiSequencer::Ended() const {
  std::lock_guard lock(synth_.RenderLock());
  return !StillPlaying(player_);
}

void MidiSequencer::Play() {
  if (state_ == State::Playing) return;
  synth_.Output().Open();
  std::lock_guard lock(synth_.RenderLock());
  fluid_player_play(player_);
  state_ = State::Playing;
}

void MidiSequencer::Halt() {
  std::lock_guard lock(synth_.RenderLock());
  fluid_player_stop(player_);
  fluid_synth_all_sounds_off(synth_.Synth(), -1);
}

void MidiSequencer::Pause() {
  if (state_ != State::Playing) return;
  Halt();
  state_ = State::Paused;
}

void MidiSequencer::Stop() {
  if (state_ == State::Stopped) return;
  Halt();
  state_ = State::Stopped;
}

bool MidiSequencer::Seek(double milliseconds) {
  std::lock_guard lock(synth_.RenderLock());
  int tempo = fluid_player_get_midi_tempo(player_);
  if (tempo <= 0) tempo = kDefaultTempo;
  int ticks = static_cast<int>(milliseconds * 1000.0 * division_ / tempo);
  return fluid_player_seek(player_, ticks) == FLUID_OK;
}

std::string MidiSequencer::Mode() const {
  if (state_ == State::Paused) return "paused";
  return state_ == State::Playing && !Ended() ? "playing" : "stopped";
}

double MidiSequencer::TicksToMs(int ticks) const {
  int tempo = fluid_player_get_midi_tempo(player_);
  if (tempo <= 0) tempo = kDefaultTempo;
  return static_cast<double>(ticks) * tempo / division_ / 1000.0;
}

double MidiSequencer::Length() const {
  std::lock_guard lock(synth_.RenderLock());
  return TicksToMs(fluid_player_get_total_ticks(player_));
}

double MidiSequencer::Position() const {
  std::lock_guard lock(synth_.RenderLock());
  return TicksToMs(fluid_player_get_current_tick(player_));
}

}  // namespace tf
