#include "game/player.h"

#include "frames/editor_and_game.h"
#include "game/error_message.h"
#include "game/game_window.h"
#include "startup/welcome_window.h"

namespace tf {

Player::Player(const Platform& platform, std::string programFolder)
    : platform(platform),
      programFolder(std::move(programFolder)),
      escapedErrors_([&platform](int number) { ShowEscapedError(platform, number); }),
      frames_(std::make_unique<EditorAndGame>(platform, paths, info, state)),
      frames(*frames_) {}

Player::~Player() = default;

void Player::Start() {
  welcome = std::make_unique<Welcome>(*this);
  welcome->Load();
  welcome->Window().Show();
}

Game& Player::LoadGame() {
  if (!game) game = std::make_unique<Game>(*this);
  if (!game->Loaded()) game->Load();
  return *game;
}

}  // namespace tf
