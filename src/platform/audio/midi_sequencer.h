#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/media_device.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace tf {

class AudioOutput;

// The General MIDI synthesizer that every MIDI device plays on, rendered into
// the audio output. Made on first use: loading the soundfont takes a moment.
class MidiSynth {
 public:
  explicit MidiSynth(AudioOutput& output);
  MidiSynth(const MidiSynth&) = delete;
  MidiSynth& operator=(const MidiSynth&) = delete;
  ~MidiSynth();

  // False when no soundfont could be loaded: MIDI then plays silently.
  bool HasSoundfont() const { return soundfont_ >= 0; }
  fluid_synth_t* Synth() const { return synth_; }
  AudioOutput& Output() { return output_; }
  // Held while the synthesizer renders; hold it to add or remove a player.
  std::mutex& RenderLock() { return renderLock_; }
  // Each player made on the synthesizer, for as long as it exists (callers
  // hold the render lock).
  void AddPlayer(fluid_player_t* player) { players_.push_back(player); }
  void RemovePlayer(fluid_player_t* player);

 private:
  // Whether it still sounds.
  bool Render(int16_t* samples, int frames);
  // A voice sounds or a player plays.
  bool Sounding() const;

  AudioOutput& output_;
  fluid_settings_t* settings_;
  fluid_synth_t* synth_;
  int soundfont_ = -1;
  int sourceId_ = 0;
  std::mutex renderLock_;
  std::vector<fluid_player_t*> players_;
  int quietFrames_;
};

// A "Sequencer" device: one MIDI file played on the synthesizer. It has ended
// once its last event has sounded.
class MidiSequencer : public MediaDevice {
 public:
  // Null when the file is not a standard MIDI file.
  static std::unique_ptr<MidiSequencer> Open(MidiSynth& synth, std::string data);
  ~MidiSequencer() override;

  void Play() override;
  void Pause() override;
  void Stop() override;
  bool Seek(double milliseconds) override;
  std::string Mode() const override;
  double Length() const override;
  double Position() const override;

 private:
  MidiSequencer(MidiSynth& synth, int division);
  bool Ended() const;
  // Callers hold the render lock.
  double TicksToMs(int ticks) const;
  void Halt();

  MidiSynth& synth_;
  fluid_player_t* player_ = nullptr;
  int division_;
  enum class State { Stopped, Playing, Paused } state_ = State::Stopped;
};

}  // namespace tf
