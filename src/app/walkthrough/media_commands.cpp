// Expectations on MIDI music and videos.

#include "app/walkthrough/runner.h"
#include "game/game_window.h"
#include "media/mmedia.h"
#include "platform/runtime/case_fold.h"

namespace tf::walkthrough {

namespace {
// Asks the device directly, so that looking leaves no line in the trace.
std::string Mode(Runner& runner, const Mmedia& media) {
  MediaCommands* commands = runner.GetSession().player.platform.media;
  if (!commands) return {};
  return commands->Send("Status " + media.Alias() + " mode").answer;
}

void AddPlayingExpectation(Runner& runner, const std::string& name, Mmedia& (*media)(Game& game)) {
  runner.AddCommand("expect " + name, [&runner, name, media](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, ("expect " + name + " playing|stopped").c_str());
    if (args[0] != "playing" && args[0] != "stopped")
      throw ScriptError("usage: expect " + name + " playing|stopped");
    Game* game = runner.GetSession().player.game.get();
    bool playing = game && FoldCase(Mode(runner, media(*game))) == "playing";
    if (playing != (args[0] == "playing"))
      throw ExpectationFailure(name + " " + args[0], playing ? "playing" : "stopped");
  });
}
}  // namespace

void AddMediaCommands(Runner& runner) {
  AddPlayingExpectation(runner, "music", [](Game& game) -> Mmedia& { return game.MusicMedia(); });
  AddPlayingExpectation(runner, "video", [](Game& game) -> Mmedia& { return game.MovieMedia(); });
}

}  // namespace tf::walkthrough
