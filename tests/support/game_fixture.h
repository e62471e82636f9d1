#pragma once

#include <memory>
#include <string>

#include "platform/qt/qt_desktop.h"
#include "frames/editor_and_game.h"
#include "game/game_window.h"
#include "game/player.h"
#include "support/fake_platform.h"
#include "support/temp_project.h"

namespace tf::test {

// A player on a temporary project, with real (offscreen) windows and fake
// message boxes, screen, events and settings; the game window is loaded on
// first use, without the welcome window.
class GameFixture {
 public:
  GameFixture();

  // A frame file of ten values: kind and picture as given, not tiled, no
  // media.
  void WriteFrame(const std::string& name, const std::string& kindAndPicture, bool timed = false,
                  const std::string& duration = "0", const std::string& next = "");
  void WriteVariables(const std::string& body) { project.Write("Config/Variables", body); }

  Game& GetGame();
  Player& GetPlayer() { return *player; }
  const std::vector<MessageBoxCall>& Messages() const { return fakes.messages.calls; }

  TempProject project;
  FakePlatform fakes;
  QtWindowFactory windows;
  std::unique_ptr<Platform> platform;
  std::unique_ptr<Player> player;
};

}  // namespace tf::test
