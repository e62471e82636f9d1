// Saves a game over and over under one name, for save_kill_test.sh to kill
// at random moments. `save_kill_writer FOLDER first` writes the first save
// and the two files every save must equal (first.ref, second.ref);
// `save_kill_writer FOLDER loop` then saves the two states in turn until
// killed.

#include <cstring>
#include <fstream>
#include <iostream>

#include "game/game_window.h"
#include "game/player.h"
#include "platform/memory/memory_platform.h"
#include "startup/project.h"
#include "state/saved_games.h"

namespace {
// A game of 100 variables, 50 disappeared areas, 30 objects and 20 frames of
// history; the two states differ in a variable and in the file's length.
void FillState(tf::GameState& state) {
  state.CurrentFrameName = "Hall";
  for (int i = 0; i < 100; ++i) state.Variables.Add("variable" + std::to_string(i), 1);
  for (int i = 0; i < 50; ++i) state.Disappear.Add("Frame" + std::to_string(i), 3);
  for (int i = 0; i < 30; ++i) state.CarriedObjects.push_back("object" + std::to_string(i));
  for (int i = 0; i < 20; ++i) state.FramesHistory.AddItem("Frame" + std::to_string(i));
}

void SetSecond(tf::GameState& state, bool second) {
  state.Variables.Item(1).SetValue(second ? 12345 : 1);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: save_kill_writer FOLDER first|loop\n";
    return 2;
  }
  const std::string folder = argv[1];
  tf::MemoryPlatform desktop;
  const tf::Platform platform = desktop.Get();
  tf::Player player(platform, folder);
  tf::SetProjectPaths(player.paths, folder);
  tf::Game& game = player.LoadGame();
  FillState(game.State);
  if (std::strcmp(argv[2], "first") == 0) {
    SetSecond(game.State, true);
    std::ofstream(folder + "/second.ref", std::ios::binary) << tf::WriteGameState(game.State);
    SetSecond(game.State, false);
    std::ofstream(folder + "/first.ref", std::ios::binary) << tf::WriteGameState(game.State);
    return tf::WriteSavedGame(game, "slot") ? 0 : 1;
  }
  for (bool second = true;; second = !second) {
    SetSecond(game.State, second);
    if (!tf::WriteSavedGame(game, "slot")) return 1;
  }
}
