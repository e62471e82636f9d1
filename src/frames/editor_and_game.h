#pragma once

#include <cstdint>
#include <string>

#include "game/game_state.h"
#include "game/project_info.h"
#include "platform/platform.h"

namespace tf {

// The frame module variables and the small operations shared by the editor
// and the game: reading a frame's head and links count, the game's own
// message box, and the 640 x 480 display test and switch.
class EditorAndGame {
 public:
  EditorAndGame(const Platform& platform, const ProjectPaths& paths, const ProjectInformation& info,
                GameState& state);

  // The frame shown; part of the game state.
  std::string& CurrentFrameName;
  int16_t FrameKind = 0;
  std::string FramePicture;
  bool TilePicture = false;
  int16_t FrameLinksCount = 0;

  // Screen size found by the last IsDisplay640x480: the size to return to.
  int32_t SavedScreenWidth = 0;
  int32_t SavedScreenHeight = 0;

  void ClearFrameInfo();
  void LoadFrameInfo(const std::string& frameName);
  int16_t LoadFrameLinksCount();
  void ShowGameMessage(const std::string& text);
  bool IsDisplay640x480();
  void SwitchTo640x480();
  // Gives the screen its saved size back, where the project allows mode
  // changes and the size differs; errors are ignored.
  void RestoreDisplayMode();

 private:
  int16_t ReadLinksCount() const;

  const Platform& platform_;
  const ProjectPaths& paths_;
  const ProjectInformation& info_;
};

}  // namespace tf
