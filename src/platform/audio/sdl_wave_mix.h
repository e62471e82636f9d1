#pragma once

#include <array>
#include <compare>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/audio/audio_output.h"
#include "platform/media/wave_mix_library.h"

namespace tf {

// The channel mixer on SDL_mixer's first eight channels. Each wave is held
// whole, converted for the output; the waves of one file share one copy, and
// a file refused once is not read again while it stays the same.
class SdlWaveMix : public WaveMixLibrary {
 public:
  // The most a wave may take converted: ten minutes of sound, 106 MB. A
  // game's channels play effects and loops of seconds or minutes, made for a
  // mixer that held each whole; a wave that would take more (a long file, or
  // a header claiming few samples a second) is not loaded, and its channel
  // stays silent.
  static constexpr size_t kLargestWaveBytes =
      size_t{10} * 60 * AudioOutput::kSampleRate * AudioOutput::kChannels * sizeof(int16_t);

  // `failToOpen` makes every session fail to open, as without audio hardware.
  SdlWaveMix(AudioOutput& output, bool failToOpen);
  ~SdlWaveMix() override;
  SdlWaveMix(const SdlWaveMix&) = delete;
  SdlWaveMix& operator=(const SdlWaveMix&) = delete;

  uint32_t WaveMixConfigureInit(const MixConfig& config) override;
  uint32_t WaveMixActivate(uint32_t session, int32_t activate) override;
  uint32_t WaveMixOpenWave(uint32_t session, const std::string& path, uint32_t instance,
                           uint32_t flags) override;
  uint32_t WaveMixOpenChannel(uint32_t session, int32_t channel, uint32_t flags) override;
  uint32_t WaveMixPlay(const MixPlayParams& params) override;
  uint32_t WaveMixFlushChannel(uint32_t session, int16_t channel, uint32_t flags) override;
  uint32_t WaveMixFreeWave(uint32_t session, uint32_t wave) override;
  uint32_t WaveMixCloseSession(uint32_t session) override;
  bool ChannelSounding(int channel) const override;

 private:
  static constexpr int kChannels = 8;
  struct Sound;
  // A file as it is on disk now: the same key, the same sound.
  struct FileKey {
    std::string path;
    uintmax_t size = 0;
    int64_t modified = 0;
    auto operator<=>(const FileKey&) const = default;
  };
  bool IsOpen(uint32_t session) const { return session != 0 && session == session_; }
  static bool IsChannel(int channel) { return channel >= 0 && channel < kChannels; }
  static std::optional<FileKey> KeyOf(const std::string& path);
  std::shared_ptr<Sound> LoadSound(const std::string& path);
  void FreeAll();

  AudioOutput& output_;
  const bool failToOpen_;
  uint32_t session_ = 0;
  uint32_t nextHandle_ = 1;
  // Sounds are let go with the output held.
  std::map<uint32_t, std::shared_ptr<Sound>> waves_;
  std::map<FileKey, std::weak_ptr<Sound>> sounds_;
  std::set<FileKey> refused_;                 // no sound, or too long
  std::array<uint32_t, kChannels> played_{};  // the wave each channel played last
};

}  // namespace tf
