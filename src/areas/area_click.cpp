#include "areas/area_click.h"

#include "areas/area_files.h"
#include "areas/areas.h"
#include "areas/input.h"
#include "frames/editor_and_game.h"
#include "frames/open_frame.h"
#include "game/error_message.h"
#include "game/game_window.h"
#include "game/player.h"
#include "media/mmedia.h"
#include "media/music.h"
#include "media/play_mp3s.h"
#include "media/sound_channels.h"
#include "media/wave_mix.h"
#include "platform/runtime/checked_int16.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/file_reuse.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"
#include "platform/runtime/val.h"
#include "platform/ui/twips.h"
#include "state/inventory.h"
#include "state/variables.h"

namespace tf {

namespace {
// The files of an action: the area's own, or those of a drop of an object.
struct ActionFiles {
  std::string action;
  std::string channels;
};

ActionFiles ActionFilesOf(const Game& game, int16_t areaIndex, int16_t objectIndex) {
  if (objectIndex == 0)
    return {AreaFile(game, areaIndex, "b.dat"), AreaFile(game, areaIndex, "d.dat")};
  const std::string& objectName = game.PickedObject[objectIndex].Tag();
  return {AreaFile(game, areaIndex, "_" + objectName + ".drg"),
          AreaFile(game, areaIndex, "_" + objectName + ".chn")};
}

// Values 1 to 5: a variable set to 0, to 1 or toggled.
void ChangeActionVariable(Game& game, TextReader& file) {
  const int16_t changeVariable = file.ReadInt16();
  const std::string variableName = file.ReadText();
  for (int16_t value : {0, 1, -1})
    if (file.ReadVariant().IsTrueFlag() && changeVariable != 0)
      ChangeVariableValue(game, variableName, value);
}

// Values 6 and 7.
void ShowActionMessage(Game& game, TextReader& file) {
  const bool showMessage = file.ReadVariant().IsNonZero();
  const std::string messageText = file.ReadVariant().ToText();
  if (showMessage) game.GetPlayer().frames.ShowGameMessage(messageText);
}

// Value 10: the area disappears, or a dropped object leaves the inventory.
void DisappearOrRemoveObject(Game& game, TextReader& file, int16_t areaIndex, int16_t objectIndex) {
  if (!file.ReadVariant().IsNonZero()) return;
  if (objectIndex != 0) {
    RemovePickedObject(game, objectIndex);
    return;
  }
  const Player& player = game.GetPlayer();
  game.Disappear.Add(player.frames.CurrentFrameName, areaIndex);
  player.platform.Trace("disappear \"" + Cp1252ToUtf8(player.frames.CurrentFrameName) + "\" " +
                        std::to_string(areaIndex));
}

// What the optional groups of an action file ask for after its media.
struct ActionMedia {
  int16_t stopSounds = 0;
  bool goBack = false;
};

// Values 14 to 23: music closed, sounds stopped, a video in the frame or in
// a rectangle of it.
int16_t StopSoundsAndPlayVideo(Game& game, TextReader& file) {
  const std::string& framesPath = game.GetPlayer().paths.FramesPath;
  if (file.ReadInt16() != 0) game.MusicMedia().mmClose();
  const int16_t stopSounds = file.ReadInt16();
  if (stopSounds != 0) ReleaseWaveMix(game);
  const int16_t playVideo = file.ReadInt16();
  const std::string movieFile = file.ReadText();
  file.ReadVariant();
  const bool inRectangle = file.ReadVariant().IsTrueFlag();
  const int16_t movieLeft = file.ReadInt16();
  const int16_t movieTop = file.ReadInt16();
  const int16_t movieWidth = file.ReadInt16();
  const int16_t movieHeight = file.ReadInt16();
  if (playVideo == 0) return stopSounds;
  game.CutSceneArea.SetVisible(false);
  if (inRectangle) {
    game.CutSceneArea.Move(
        MulInt16(movieLeft, ui::kTwipsPerPixel), MulInt16(movieTop, ui::kTwipsPerPixel),
        MulInt16(movieWidth, ui::kTwipsPerPixel), MulInt16(movieHeight, ui::kTwipsPerPixel));
    game.CutSceneArea.SetVisible(true);
    game.CutSceneArea.BringToFront();
    PlayMovieWithStop(game, framesPath + movieFile, game.CutSceneArea);
  } else {
    PlayMovieWithStop(game, framesPath + movieFile, game.PictureBox);
  }
  return stopSounds;
}

// Values 24 to 28: MIDI music, and MP3 music started or stopped; then the
// group whose last value asks to go back a frame.
void PlayActionMusic(Game& game, TextReader& file, ActionMedia& media, bool& mp3Running) {
  const std::string& framesPath = game.GetPlayer().paths.FramesPath;
  const bool stopMP3Music = file.ReadVariant().IsNonZero();
  const bool playMusic = file.ReadVariant().IsNonZero();
  const std::string musicFile = file.ReadVariant().ToText();
  if (playMusic) PlayMIDImusic(game, framesPath + musicFile);
  const bool playMP3 = file.ReadVariant().IsNonZero();
  const std::string mp3File = file.ReadVariant().ToText();
  if (playMP3) {
    RequestMP3(game, framesPath + mp3File);
    mp3Running = true;
  } else if (media.stopSounds == 0 && stopMP3Music) {
    game.MP3Timer.SetEnabled(false);
    StopMP3(game);
  }
  if (!file.HasMoreData()) return;
  for (int skipped = 0; skipped < 3; ++skipped) file.ReadVariant();
  media.goBack = file.ReadVariant().IsNonZero();
}

// The area's own sound on channel 0, or else its sound-channels file.
void PlayActionSound(Game& game, int16_t playSound, const std::string& soundFile,
                     const std::string& channelsFile) {
  if (soundFile.empty() || playSound == 0) {
    PlaySoundChannels(game, channelsFile);
    return;
  }
  EnsureWaveMix(game);
  game.SoundMixer->CurrentChannel = 0;
  game.SoundMixer->SetFileName(game.GetPlayer().paths.AreasPath + soundFile);
  game.SoundMixer->SetAutoLoop(false);
  game.SoundMixer->Play();
}

// The frame named by the action, or the one before in the history.
int16_t ChangeFrame(Game& game, bool goToFrame, const std::string& targetFrame, bool goBack) {
  if (goToFrame) {
    OpenFrame(game, targetFrame);
    return kActionOpenedFrame;
  }
  FrameHistory& history = game.FramesHistory;
  if (!goBack || history.ListCount() < 2) return kActionDone;
  history.RemoveItem(history.ListCount() - 1);
  OpenFrame(game, history.List(history.ListCount() - 1));
  return kActionOpenedFrame;
}
}  // namespace

void Area_MouseDown(Game& game, int index, const ui::MouseArgs& args) {
  AreaClick(game, static_cast<int16_t>(index), static_cast<int16_t>(args.button));
}

void AniGifBox_MouseDown(Game& game, int index, const ui::MouseArgs& args) {
  AreaClick(game, static_cast<int16_t>(index), static_cast<int16_t>(args.button));
}

void AreaClick(Game& game, int16_t areaIndex, int16_t button) {
  game.SkipVideoRequest = -1;
  if (PlayingMovieOrNot(game)) return;
  if (button == ui::kRightButton) {
    ToggleMenus(game);
    return;
  }
  // The frame an action opens keeps its files' bytes for the areas' second
  // decision below.
  FileReuseScope reuse;
  HideMenus(game);
  PickOrNotPickObject(game, areaIndex);
  const uint32_t closings = game.Closings;
  const int16_t result = MakeAction(game, areaIndex, 0);
  // The game window closed during the action: the rest was this game's.
  if (game.Closings != closings) return;
  ShowOrNotShowAreas(game);
  game.CutSceneArea.SetVisible(false);
  game.MovieMedia().StopMovie();
  if (result == kActionLeaveGame) game.Window().Close();
}

int16_t MakeAction(Game& game, int16_t areaIndex, int16_t objectIndex) {
  const uint32_t closings = game.Closings;
  game.SkipVideoRequest = -1;
  bool mp3Running = MP3IsPlaying(game);
  try {
    const ActionFiles files = ActionFilesOf(game, areaIndex, objectIndex);
    if (!StoredFileExists(files.action)) return kActionDone;

    TextReader file = TextReader::Open(files.action);
    ChangeActionVariable(game, file);
    ShowActionMessage(game, file);
    const int16_t playSound = file.ReadInt16();
    const std::string soundFile = file.ReadText();
    DisappearOrRemoveObject(game, file, areaIndex, objectIndex);
    if (file.ReadVariant().IsNonZero()) return kActionLeaveGame;

    const int16_t goToFrame = file.ReadInt16();
    const std::string targetFrame = file.ReadText();
    ActionMedia media;
    if (file.HasMoreData()) {
      media.stopSounds = StopSoundsAndPlayVideo(game, file);
      if (file.HasMoreData()) PlayActionMusic(game, file, media, mp3Running);
    }
    if (media.stopSounds == 0 && !mp3Running)
      PlayActionSound(game, playSound, soundFile, files.channels);
    if (!WaitForMovie(game, closings)) return kActionDone;
    game.SkipVideoRequest = 0;
    return ChangeFrame(game, goToFrame != 0, targetFrame, media.goBack);
  } catch (const RuntimeError&) {
    ShowErrorMessage(game.GetPlayer().platform, "Unable to complete area task.");
  }
  return kActionDone;
}

}  // namespace tf
