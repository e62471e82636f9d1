#include "frames/open_frame.h"

#include <optional>

#include "areas/areas.h"
#include "areas/texts.h"
#include "frames/editor_and_game.h"
#include "frames/frame_pictures.h"
#include "game/error_message.h"
#include "game/game_window.h"
#include "game/player.h"
#include "media/mmedia.h"
#include "media/music.h"
#include "media/play_mp3s.h"
#include "media/sound_channels.h"
#include "platform/runtime/checked_int16.h"
#include "platform/runtime/file_reuse.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"
#include "platform/runtime/val.h"

namespace tf {

namespace {
constexpr ui::Colour kLargestColour = 0xFFFFFF;

// Fields 4 to 13 of a frame file: what opening the frame does besides its
// background.
struct FrameFile {
  bool StopMusic = false;
  std::string MusicFile;
  bool TimedFrame = false;
  std::string FrameDuration;
  std::string NextFrame;
  std::string MovieFile;
  bool MusicAfterMovie = false;
  bool StopSounds = false;
  bool StopMP3Music = false;
  std::string MP3File;
};

FrameFile ReadFrameFile(const std::string& path) {
  TextReader file = TextReader::Open(path);
  file.ReadInt16();
  // Fields 1 to 3 are the frame module's.
  file.SkipText();
  file.ReadBool();
  FrameFile frame;
  frame.StopMusic = file.ReadBool();
  frame.MusicFile = file.ReadText();
  frame.TimedFrame = file.ReadBool();
  frame.FrameDuration = file.ReadText();
  frame.NextFrame = file.ReadText();
  frame.MovieFile = file.ReadText();
  frame.MusicAfterMovie = file.ReadBool();
  if (file.HasMoreData()) {
    frame.StopSounds = file.ReadBool();
    frame.StopMP3Music = file.ReadBool();
    frame.MP3File = file.ReadText();
  }
  return frame;
}

void SetBackground(Game& game, const EditorAndGame& frames, const std::string& framesPath) {
  switch (frames.FrameKind) {
    case 0:
      game.BackImage.ClearPicture();
      IgnoringErrors([&] {
        const std::optional<NumberText> number = ParseNumber(frames.FramePicture);
        if (!number) RaiseError(kErrTypeMismatch);
        const int32_t colour = ToInt32(number->value);
        if (colour < 0 || static_cast<uint32_t>(colour) > kLargestColour)
          RaiseError(kErrInvalidPropertyValue);
        game.PictureBox.SetBackColor(static_cast<ui::Colour>(colour));
      });
      break;
    case 1:
      if (frames.TilePicture) {
        IgnoringErrors(
            [&] { game.ImageTile.LoadPicture(StoredPathIn(framesPath, frames.FramePicture)); });
        game.BackImage.ClearPicture();
      } else {
        game.ImageTile.ClearPicture();
        game.BackImage.LoadPictureQuietly(StoredPathIn(framesPath, frames.FramePicture));
      }
      break;
    default:
      break;
  }
  game.PictureBox.Refresh();
}

bool MusicIsPlaying(const Game& game) { return game.MusicMedia().Status() == "playing"; }

void ArmFrameTimer(Game& game, const FrameFile& frame) {
  game.State.NextFrame = frame.NextFrame;
  game.Timer1.SetEnabled(true);
  game.Timer1.SetInterval(ToInt32(Val(frame.FrameDuration) * 1000.0));
}
}  // namespace

void FramesHistoryAdd(Game& game, const std::string& frameName) {
  FrameHistory& history = game.FramesHistory;
  int count = history.ListCount();
  if (count > 0 && history.List(count - 1) == frameName) return;
  history.AddItem(frameName);
  while (history.ListCount() > FrameHistory::kLength) history.RemoveItem(0);
}

void OpenFrame(Game& game, const std::string& currentFrame) {
  Player& player = game.GetPlayer();
  EditorAndGame& frames = player.frames;
  const std::string& framesPath = player.paths.FramesPath;
  const uint32_t closings = game.Closings;
  FrameFile frame;
  bool mp3StartedHere = false;
  // Each data file is read from disk once per opening, however often it is read.
  FileReuseScope reuse;
  ForgetReusedFiles();
  try {
    frames.ClearFrameInfo();
    frames.LoadFrameInfo(currentFrame);
    IgnoringErrors([&] { PrefetchFramePictures(game); });
    ResetFrameAreas(game);
    ResetFrameTexts(game);
    game.SkipVideoRequest = -1;
    game.Timer1.SetEnabled(false);
    game.Timer1.SetInterval(0);
    FramesHistoryAdd(game, currentFrame);
    frame = ReadFrameFile(framesPath + frames.CurrentFrameName + ".fme");
    mp3StartedHere = MP3IsPlaying(game);
    if (frame.StopSounds) ReleaseWaveMix(game);
    if (frame.MP3File.empty() && frame.StopMP3Music) {
      game.MP3Timer.SetEnabled(false);
      StopMP3(game);
    }
  } catch (const RuntimeError&) {
    ShowErrorMessage(player.platform, "Unable to load frame.", "Error Loading Frame");
    return;
  }

  if (frame.StopMusic) IgnoringErrors([&] { game.MusicMedia().mmClose(); });
  IgnoringErrors([&] {
    if (!frame.MusicFile.empty() && !MusicIsPlaying(game) &&
        (frame.MovieFile.empty() || !frame.MusicAfterMovie))
      PlayMIDImusic(game, StoredPathIn(framesPath, frame.MusicFile));
  });
  IgnoringErrors([&] { SetBackground(game, frames, framesPath); });
  IgnoringErrors([&] { LoadTexts(game); });
  IgnoringErrors([&] {
    if (frames.LoadFrameLinksCount() < 1) return;
    LoadAreas(game);
    ShowOrNotShowAreas(game);
    for (int i = 1; i <= game.ObjectsCount(); ++i) game.PickedObject[i].BringToFront();
  });
  game.PictureBox.SetVisible(true);
  game.SkipVideoRequest = 0;
  if (!frame.MovieFile.empty()) {
    IgnoringErrors([&] {
      PlayMovieWithStop(game, StoredPathIn(framesPath, frame.MovieFile), game.PictureBox);
    });
    if (!WaitForMovie(game, closings)) return;
    IgnoringErrors([&] { game.MovieMedia().StopMovie(); });
    game.SkipVideoRequest = 0;
  }
  IgnoringErrors([&] {
    if (!frame.MusicFile.empty() && !MusicIsPlaying(game) && !frame.MovieFile.empty() &&
        frame.MusicAfterMovie)
      PlayMIDImusic(game, StoredPathIn(framesPath, frame.MusicFile));
  });
  if (frame.TimedFrame) {
    try {
      ArmFrameTimer(game, frame);
    } catch (const RuntimeError&) {
      ShowErrorMessage(player.platform, "Unable to load frame duration.", player.info.GameTitle);
    }
  }
  if (!frame.MP3File.empty()) {
    IgnoringErrors([&] { RequestMP3(game, StoredPathIn(framesPath, frame.MP3File)); });
    mp3StartedHere = true;
  }
  if (!frame.StopSounds && !mp3StartedHere)
    IgnoringErrors([&] { PlaySoundChannels(game, framesPath + frames.CurrentFrameName + ".chn"); });
}

}  // namespace tf
