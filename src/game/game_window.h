#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "game/game_state.h"
#include "platform/ui/control_array.h"
#include "platform/ui/form.h"

namespace tf {

struct Player;
class Mmedia;
class cWaveMix;
class PlayMP3s;

// The game window: its controls, in the order they are made, and the routing
// of its events to the subsystems that handle them.
class Game {
  Player& player_;
  std::unique_ptr<ui::Form> form_;

 public:
  explicit Game(Player& player);
  ~Game();

  Player& GetPlayer() const { return player_; }
  ui::Form& Window() const { return *form_; }

  // The window's load: it covers the screen.
  void Load();
  bool Loaded() const { return loaded_; }
  // The window's controls go back to how the window was designed, and with
  // them the history and the pending timed frame, which they held; the
  // variables, disappeared areas and carried objects stay.
  void Unload();

  ui::Timer& MP3Timer;
  ui::FileList& File1;
  ui::Timer& Timer1;
  ui::Container& PictureBox;
  ui::ControlArray<ui::Container> AniGifBox;
  ui::ControlArray<ui::AnimatedPicture> AniGif;
  ui::Container& CutSceneArea;
  ui::ControlArray<ui::Label> Text;
  ui::ControlArray<ui::Image> PickedObject;
  ui::Image& BackImage;
  ui::ControlArray<ui::Image> Area;
  ui::Image& ImageTile;
  ui::MenuEntry& mnuExit;
  ui::MenuEntry& mnuSaveGame;

  // Set by every press and by Esc; ends the wait for a video.
  int16_t SkipVideoRequest = 0;
  // Counts the closings of the window. A wait for a video that finds it
  // changed ends, and what was to follow the wait is dropped: it belonged to
  // the game that closed.
  uint32_t Closings = 0;

  // The game state, by the names the game's operations use.
  GameState& State;
  VariablesCollection& Variables;
  VariablesCollection& Disappear;
  FrameHistory& FramesHistory;
  // Inventory objects carried.
  int16_t ObjectsCount() const { return static_cast<int16_t>(State.CarriedObjects.size()); }
  // The inventory object whose drag began last.
  int16_t DraggedObjectIndex = 0;

 private:
  mutable std::unique_ptr<Mmedia> musicMedia_;
  mutable std::unique_ptr<Mmedia> movieMedia_;
  std::unique_ptr<PlayMP3s> mp3State_;

 public:
  // The music and the video device, each made on its first use.
  Mmedia& MusicMedia() const;
  Mmedia& MovieMedia() const;
  // Made by EnsureWaveMix, destroyed by ReleaseWaveMix.
  std::unique_ptr<cWaveMix> SoundMixer;
  bool SoundMixerActive = false;
  // The MP3 music's state, shared with its threads.
  PlayMP3s& Mp3State;

  // For each area of the current frame that is animated, the index of the
  // picture box that shows it.
  std::map<int, int32_t> AniGifIndex;

 private:
  void Compose();
  void RouteEvents();

  bool loaded_ = false;
};

}  // namespace tf
