#include "media/sound_channels.h"

#include "game/game_window.h"
#include "game/player.h"
#include "media/play_mp3s.h"
#include "media/wave_mix.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"

namespace tf {

namespace {
constexpr int kLeadingValues = 22;
constexpr int32_t kChannels = 8;

// One channel's record: stopped first, then given its file and played.
void ApplyChannelRecord(Game& game, TextReader& file, int32_t channel) {
  file.ReadVariant();
  const bool stop = file.ReadVariant().IsTrueFlag();
  const bool play = file.ReadVariant().IsTrueFlag();
  const std::string fileName = file.ReadVariant().ToText();
  const bool loop = file.ReadVariant().IsNonZero();
  if (stop) {
    EnsureWaveMix(game);
    game.SoundMixer->CurrentChannel = channel;
    game.SoundMixer->Quit();
  }
  if (play && !fileName.empty()) {
    EnsureWaveMix(game);
    game.SoundMixer->CurrentChannel = channel;
    game.SoundMixer->SetFileName(game.GetPlayer().paths.AreasPath + fileName);
    game.SoundMixer->SetAutoLoop(loop);
    game.SoundMixer->Play();
  }
}
}  // namespace

void EnsureWaveMix(Game& game) {
  if (game.SoundMixerActive) return;
  StopMP3(game);
  const Player& player = game.GetPlayer();
  game.SoundMixer = std::make_unique<cWaveMix>(player.platform, player.paths.ProjectPath);
  game.SoundMixerActive = true;
}

void ReleaseWaveMix(Game& game) {
  if (!game.SoundMixerActive) return;
  game.SoundMixer.reset();
  game.SoundMixerActive = false;
}

void PlaySoundChannels(Game& game, const std::string& FileName) {
  if (!StoredFileExists(FileName)) return;
  try {
    TextReader file = TextReader::Open(FileName);
    for (int i = 0; i < kLeadingValues; ++i) file.ReadVariant();
    for (int32_t channel = 0; channel < kChannels; ++channel)
      ApplyChannelRecord(game, file, channel);
  } catch (const RuntimeError&) {
    game.GetPlayer().platform.messages.Show("Unable to load sound channels information.",
                                            ui::MessageButtons::Ok, ui::MessageIcon::Critical,
                                            "Error");
  }
}

}  // namespace tf
