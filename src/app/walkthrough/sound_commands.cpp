// Expectations on the sound channels and the MP3 music.

#include "app/walkthrough/runner.h"
#include "media/play_mp3s.h"

namespace tf::walkthrough {

void AddSoundCommands(Runner& runner) {
  runner.AddCommand("expect mp3", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "expect mp3 playing|stopped");
    if (args[0] != "playing" && args[0] != "stopped")
      throw ScriptError("usage: expect mp3 playing|stopped");
    const bool playing = MP3IsPlaying(RunningGame(runner));
    if (playing != (args[0] == "playing"))
      throw ExpectationFailure("mp3 " + args[0], playing ? "playing" : "stopped");
  });

  runner.AddCommand("expect channel", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "expect channel N playing|silent");
    const int channel = ParseInteger(0, args[0]);
    if (channel > 7 || (args[1] != "playing" && args[1] != "silent"))
      throw ScriptError("usage: expect channel 0..7 playing|silent");
    const bool sounding = runner.GetSession().player.platform.waveMix->ChannelSounding(channel);
    if (sounding != (args[1] == "playing"))
      throw ExpectationFailure("channel " + args[0] + " " + args[1],
                               sounding ? "playing" : "silent");
  });
}

}  // namespace tf::walkthrough
