#pragma once

#include <memory>
#include <string>

#include "frames/editor_and_game.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/memory/memory_platform.h"
#include "support/temp_project.h"

namespace tf::test {

// A player on a temporary project, on the memory desktop; the game window is
// loaded on first use, without the welcome window.
class GameFixture {
 public:
  GameFixture();

  // A frame file of ten values: kind and picture as given, not tiled, no
  // media.
  void WriteFrame(const std::string& name, const std::string& kindAndPicture, bool timed = false,
                  const std::string& duration = "0", const std::string& next = "");
  void WriteVariables(const std::string& body) { project.Write("Config/Variables", body); }

  Game& GetGame();
  ui::MemoryForm& GameWindow() { return static_cast<ui::MemoryForm&>(GetGame().Window()); }
  Player& GetPlayer() { return *player; }
  const std::vector<MessageBoxCall>& Messages() const { return desktop.messages.calls; }

  TempProject project;
  MemoryPlatform desktop;
  Platform platform = desktop.Get();
  std::unique_ptr<Player> player;
};

}  // namespace tf::test
