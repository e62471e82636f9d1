#include "areas/area_click.h"

#include <chrono>

#include "areas/area_files.h"
#include "areas/areas.h"
#include "areas/input.h"
#include "frames/open_frame.h"
#include "media/music.h"
#include "platform/runtime/checked_int16.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"
#include "platform/runtime/case_fold.h"
#include "game/game_window.h"
#include "game/player.h"
#include "state/inventory.h"
#include "state/variables.h"

namespace tf {

namespace {
constexpr auto kVideoRecheck = std::chrono::milliseconds(50);

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
  HideMenus(game);
  PickOrNotPickObject(game, areaIndex);
  const int16_t result = MakeAction(game, areaIndex, 0);
  ShowOrNotShowAreas(game);
  game.CutSceneArea.SetVisible(false);
  game.MovieMedia.StopMovie();
  if (result == kActionLeaveGame) game.Window().Close();
}

int16_t MakeAction(Game& game, int16_t areaIndex, int16_t objectIndex) {
  Player& player = game.GetPlayer();
  const ProjectPaths& paths = player.paths;
  int16_t actionResult = kActionDone;
  game.SkipVideoRequest = -1;
  bool mp3Running = MP3IsPlaying(game);
  try {
    std::string objectName;
    std::string actionFile;
    std::string channelsFile;
    if (objectIndex != 0) {
      objectName = game.PickedObject[objectIndex].Tag();
      actionFile = AreaFile(game, areaIndex, "_" + objectName + ".drg");
      channelsFile = AreaFile(game, areaIndex, "_" + objectName + ".chn");
    } else {
      actionFile = AreaFile(game, areaIndex, "b.dat");
      channelsFile = AreaFile(game, areaIndex, "d.dat");
    }
    if (!StoredFileExists(actionFile)) return kActionDone;

    TextReader file = TextReader::Open(actionFile);
    const int16_t changeVariable = file.ReadInt16();
    const std::string variableName = file.ReadText();
    if (file.ReadVariant().IsTrueFlag() && changeVariable != 0)
      ChangeVariableValue(game, variableName, 0);
    if (file.ReadVariant().IsTrueFlag() && changeVariable != 0)
      ChangeVariableValue(game, variableName, 1);
    if (file.ReadVariant().IsTrueFlag() && changeVariable != 0)
      ChangeVariableValue(game, variableName, -1);

    const bool showMessage = file.ReadVariant().IsNonZero();
    const std::string messageText = file.ReadVariant().ToText();
    if (showMessage) player.frames.ShowGameMessage(messageText);

    const int16_t playSound = file.ReadInt16();
    const std::string soundFile = file.ReadText();
    if (file.ReadVariant().IsNonZero()) {
      if (objectIndex != 0) {
        RemovePickedObject(game, objectIndex);
      } else {
        game.Disappear.Add(player.frames.CurrentFrameName, areaIndex);
        player.platform.Trace("disappear \"" + Cp1252ToUtf8(player.frames.CurrentFrameName) +
                              "\" " + std::to_string(areaIndex));
      }
    }
    if (file.ReadVariant().IsNonZero()) return kActionLeaveGame;

    const int16_t goToFrame = file.ReadInt16();
    const std::string targetFrame = file.ReadText();
    int16_t stopSounds = 0;
    bool goBack = false;
    if (file.HasMoreData()) {
      if (file.ReadInt16() != 0) game.MusicMedia.mmClose();
      stopSounds = file.ReadInt16();
      if (stopSounds != 0) player.frames.ReleaseWaveMix();
      const int16_t playVideo = file.ReadInt16();
      const std::string movieFile = file.ReadText();
      file.ReadVariant();
      const bool inRectangle = file.ReadVariant().IsTrueFlag();
      const int16_t movieLeft = file.ReadInt16();
      const int16_t movieTop = file.ReadInt16();
      const int16_t movieWidth = file.ReadInt16();
      const int16_t movieHeight = file.ReadInt16();
      if (playVideo != 0) {
        game.CutSceneArea.SetVisible(false);
        if (inRectangle) {
          game.CutSceneArea.Move(MulInt16(movieLeft, 15), MulInt16(movieTop, 15),
                                 MulInt16(movieWidth, 15), MulInt16(movieHeight, 15));
          game.CutSceneArea.SetVisible(true);
          game.CutSceneArea.BringToFront();
          PlayMovieWithStop(game, paths.FramesPath + movieFile, game.CutSceneArea);
        } else {
          PlayMovieWithStop(game, paths.FramesPath + movieFile, game.PictureBox);
        }
      }
      if (file.HasMoreData()) {
        const bool stopMP3Music = file.ReadVariant().IsNonZero();
        const bool playMusic = file.ReadVariant().IsNonZero();
        const std::string musicFile = file.ReadVariant().ToText();
        if (playMusic) PlayMIDImusic(game, paths.FramesPath + musicFile);
        const bool playMP3 = file.ReadVariant().IsNonZero();
        const std::string mp3File = file.ReadVariant().ToText();
        if (playMP3) {
          RequestMP3(game, paths.FramesPath + mp3File);
          mp3Running = true;
        } else if (stopSounds == 0 && stopMP3Music) {
          game.MP3Timer.SetEnabled(false);
          StopMP3(game);
        }
        if (file.HasMoreData()) {
          file.ReadVariant();
          file.ReadVariant();
          file.ReadVariant();
          goBack = file.ReadVariant().IsNonZero();
        }
      }
    }

    if (stopSounds == 0 && !mp3Running) {
      if (!soundFile.empty() && playSound != 0) {
        player.frames.EnsureWaveMix();
        game.SoundMixer.CurrentChannel = 0;
        game.SoundMixer.FileName = paths.AreasPath + soundFile;
        game.SoundMixer.AutoLoop = false;
        game.SoundMixer.Play();
      } else {
        PlaySoundChannels(game, channelsFile);
      }
    }

    player.platform.events.ProcessEventsUntil(
        [&] {
          return FoldCase(game.MovieMedia.Status()) == "stopped" || game.SkipVideoRequest != 0;
        },
        kVideoRecheck);
    game.SkipVideoRequest = 0;

    if (goToFrame != 0) {
      OpenFrame(game, targetFrame);
      actionResult = kActionOpenedFrame;
    } else if (goBack && game.FramesHistory.ListCount() >= 2) {
      game.FramesHistory.RemoveItem(game.FramesHistory.ListCount() - 1);
      OpenFrame(game, game.FramesHistory.List(game.FramesHistory.ListCount() - 1));
      actionResult = kActionOpenedFrame;
    }
  } catch (const RuntimeError&) {
    player.platform.messages.Show(
        "Unable to complete area task. The game may not work properly. Press 'Esc' and then "
        "click 'Exit' to quit the game.",
        ui::MessageButtons::Ok, ui::MessageIcon::Critical, "Error");
  }
  return actionResult;
}

}  // namespace tf
