#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio/media_device.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace tf {

class AudioOutput;

// One MIDI file on the synthesizer. Its player is made, moved and deleted on
// the synthesizer's thread alone; the figures below are what that thread saw
// after its last block, for the user-interface thread to read.
struct MidiTrack {
  std::atomic<int> totalTicks{0};  // 0 until the file is loaded, at its first play
  std::atomic<int> currentTick{0};
  std::atomic<int> tempo{0};  // microseconds per quarter note; 0 until known
  // The number of the last start that has played to its end.
  std::atomic<uint32_t> endedPlay{0};

  // The synthesizer's thread's own.
  fluid_player_t* player = nullptr;
  uint32_t startedPlay = 0;
};

// The General MIDI synthesizer that every MIDI device plays on. Made on first
// use: loading the soundfont takes a moment.
//
// It renders on a thread of its own, a little ahead of the audio output,
// which only copies what is ready: a block that takes the synthesizer long
// (a file of thousands of notes at once) leaves a gap in the music, but holds
// neither the audio thread nor the user-interface thread, which only hands
// over changes and reads the tracks' figures.
class MidiSynth {
 public:
  explicit MidiSynth(AudioOutput& output);
  MidiSynth(const MidiSynth&) = delete;
  MidiSynth& operator=(const MidiSynth&) = delete;
  ~MidiSynth();

  AudioOutput& Output() { return output_; }

  // Each returns at once; the synthesizer's thread carries them out in the
  // order given, before it renders again.
  // A track for a standard MIDI file's bytes.
  std::shared_ptr<MidiTrack> AddTrack(std::string data);
  // Plays from where the track stands; `play` numbers this start.
  void PlayTrack(const std::shared_ptr<MidiTrack>& track, uint32_t play);
  // Holds the track where it stands, silencing what sounds.
  void HaltTrack(const std::shared_ptr<MidiTrack>& track);
  void SeekTrack(const std::shared_ptr<MidiTrack>& track, int ticks);
  void RemoveTrack(const std::shared_ptr<MidiTrack>& track);

 private:
  using Change = std::function<void()>;
  void Apply(Change change);
  // The synthesizer's thread.
  void RenderAhead();
  // Renders one block unless rung out; whether it did.
  bool RenderBlock(int16_t* samples);
  // A voice sounds or a player plays.
  bool Sounding() const;
  void Report();
  // Drops what was rendered but not yet heard.
  void DropAhead();
  // On the audio thread.
  bool Mix(int16_t* samples, int frames);

  AudioOutput& output_;
  fluid_settings_t* settings_;
  fluid_synth_t* synth_;
  int sourceId_ = 0;
  // The synthesizer's thread's own.
  std::vector<std::shared_ptr<MidiTrack>> tracks_;
  int quietFrames_;

  std::mutex lock_;  // held only to hand over changes and samples
  std::condition_variable wake_;
  std::vector<Change> changes_;
  std::deque<int16_t> ahead_;  // rendered, interleaved stereo
  bool rendering_ = false;     // not yet rung out: renders while there is room
  bool quit_ = false;
  std::thread thread_;
};

// A "Sequencer" device: one MIDI file played on the synthesizer. It has ended
// once its last event has sounded.
class MidiSequencer : public MediaDevice {
 public:
  // Null when the file is neither a standard MIDI file nor a RIFF MIDI file
  // holding one.
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
  MidiSequencer(MidiSynth& synth, int division, std::shared_ptr<MidiTrack> track);
  int Tempo() const;
  double TicksToMs(int ticks) const;

  MidiSynth& synth_;
  int division_;
  std::shared_ptr<MidiTrack> track_;
  uint32_t plays_ = 0;
  enum class State { Stopped, Playing, Paused } state_ = State::Stopped;
};

}  // namespace tf
