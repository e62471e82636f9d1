#include "game/game_window.h"
#include "game/player.h"
#include "media/mmedia.h"
#include "media/music.h"
#include "platform/runtime/runtime_error.h"

namespace tf {

void PlayMIDImusic(Game& game, const std::string& path) {
  try {
    game.MusicMedia().mmOpen(path);
    game.MusicMedia().mmPlay();
  } catch (const RuntimeError&) {
    game.GetPlayer().platform.messages.Show(
        "Unable to play MIDI music. No audio hardware is available, the hardware is not "
        "responding, or another program is using hardware ressources. Quit the game, close any "
        "open program and run the game again.",
        ui::MessageButtons::Ok, ui::MessageIcon::Exclamation, "Error");
  }
}

}  // namespace tf
