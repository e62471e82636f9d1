#pragma once

#include <memory>
#include <string>

#include "game/player.h"
#include "platform/memory/memory_platform.h"
#include "startup/welcome_window.h"
#include "support/temp_project.h"

namespace tf::test {

// A PNG header of that size: all the memory desktop reads of a picture.
inline std::string PngOfSize(int width, int height) {
  auto be32 = [](int value) {
    return std::string{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                       static_cast<char>(value >> 8), static_cast<char>(value)};
  };
  return std::string("\x89PNG\r\n\x1A\n", 8) + be32(13) + "IHDR" + be32(width) + be32(height) +
         std::string(5, '\0');
}

// The welcome window of a project "General" of 16 fields naming `scheme`,
// with e-mail and web site, on the memory desktop.
class WelcomeFixture {
 public:
  void Start(const std::string& scheme = "") {
    project.Write("Config/General",
                  "\"Key\",\"x\",\"Quest\",0,\"Start\",\"\",640,480,\"Ada\",\"ada@example.org\","
                  "\"example.org\",1,0,0,0,\"" +
                      scheme + "\"\r\n");
    platform.links = &desktop.links;
    player = std::make_unique<Player>(platform, project.Path().string());
    player->Start();
  }
  Welcome& W() { return *player->welcome; }
  ui::MemoryForm& Window() { return static_cast<ui::MemoryForm&>(W().Window()); }

  TempProject project;
  MemoryPlatform desktop;
  Platform platform = desktop.Get();
  std::unique_ptr<Player> player;
};

}  // namespace tf::test
