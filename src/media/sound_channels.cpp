#include "media/sound_channels.h"

#include "game/game_window.h"
#include "game/player.h"
#include "media/play_mp3s.h"
#include "media/wave_mix.h"
#include "platform/runtime/case_fold.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"
#include "platform/runtime/variant.h"

namespace tf {

namespace {
constexpr int kLeadingValues = 22;
constexpr int32_t kChannels = 8;

// A flag or a loop value as the number it is compared with: text must read
// as a number, or as True or False; anything else is a type mismatch.
double ChannelNumber(const Variant& value) {
  if (value.GetKind() == Variant::Kind::String) {
    const std::string& text = value.Text();
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    const std::string word = first == std::string::npos
                                 ? std::string()
                                 : FoldCase(std::string_view(text).substr(first, last - first + 1));
    if (word == "true") return -1;
    if (word == "false") return 0;
  }
  return value.ToDouble();
}

bool IsSet(const Variant& flag) { return ChannelNumber(flag) == -1; }

// One channel's record: stopped first, then given its file and played. The
// loop value is looked at only for a channel that plays.
void ApplyChannelRecord(Game& game, TextReader& file, int32_t channel) {
  file.ReadVariant();
  const Variant stopFlag = file.ReadVariant();
  const Variant playFlag = file.ReadVariant();
  const std::string fileName = file.ReadVariant().ToText();
  const Variant loop = file.ReadVariant();
  if (IsSet(stopFlag)) {
    EnsureWaveMix(game);
    game.SoundMixer->CurrentChannel = channel;
    game.SoundMixer->Quit();
  }
  if (IsSet(playFlag) && !fileName.empty()) {
    EnsureWaveMix(game);
    game.SoundMixer->CurrentChannel = channel;
    game.SoundMixer->SetFileName(game.GetPlayer().paths.AreasPath + fileName);
    game.SoundMixer->SetAutoLoop(ChannelNumber(loop) != 0);
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
