#include "support/game_fixture.h"

#include "startup/project.h"

namespace tf::test {

GameFixture::GameFixture() : player(std::make_unique<Player>(platform, project.Path().string())) {
  SetProjectPaths(player->paths, project.Path().string());
  player->info.GameTitle = "Fixture";
  player->info.StartFrame = "Start";
  player->info.GameWidth = 640;
  player->info.GameHeight = 480;
}

void GameFixture::WriteFrame(const std::string& name, const std::string& kindAndPicture, bool timed,
                             const std::string& duration, const std::string& next) {
  project.Write("Frames/" + name + ".fme", kindAndPicture + "\r\n#FALSE#\r\n#FALSE#\r\n\"\"\r\n" +
                                               (timed ? "#TRUE#" : "#FALSE#") + "\r\n\"" +
                                               duration + "\"\r\n\"" + next +
                                               "\"\r\n\"\"\r\n#FALSE#\r\n");
}

Game& GameFixture::GetGame() { return player->LoadGame(); }

}  // namespace tf::test
