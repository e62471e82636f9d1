// Measures saving and loading a game of 100 variables, 50 disappeared
// areas, 30 carried objects and 20 frames of history: the save from the
// state to the file on disk (flushed), beside making its bytes alone, and the
// load from the file to the saved frame shown. Prints medians of 20 runs in
// milliseconds.

#include <QApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <iostream>
#include <vector>

#include "bench/bench_support.h"
#include "game/game_window.h"
#include "game/player.h"
#include "startup/project.h"
#include "state/saved_games.h"

namespace {
using tf::bench::General;
using tf::bench::MakePicture;
using tf::bench::Median;
using tf::bench::Write;
constexpr int kRuns = 20;
const std::string kColourFrame =
    "0\r\n\"8421504\"\r\n#FALSE#\r\n#FALSE#\r\n\"\"\r\n#FALSE#\r\n\"0\"\r\n\"\"\r\n\"\"\r\n#FALSE#"
    "\r\n";
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  auto folder = std::filesystem::temp_directory_path() / "taleforge-bench-saves";
  std::filesystem::remove_all(folder);
  Write(folder / "Config/General", General("Frame19"));
  std::string variables = "100\r\n";
  for (int i = 0; i < 100; ++i) variables += "\"variable" + std::to_string(i) + "\"\r\n";
  Write(folder / "Config/Variables", variables);
  for (int i = 0; i < 20; ++i)
    Write(folder / ("Frames/Frame" + std::to_string(i) + ".fme"), kColourFrame);
  MakePicture(folder / "Areas/object.png", 32, 32, 3, "PNG");
  for (int i = 0; i < 30; ++i)
    Write(folder / ("Areas/object" + std::to_string(i) + ".obj"), "\"object.png\"\r\n");

  tf::bench::QtDesktop desktop;
  tf::Player player(desktop.platform, folder.string());
  tf::SetProjectPaths(player.paths, folder.string());
  player.info.StartFrame = "Frame19";
  player.info.GameWidth = 640;
  player.info.GameHeight = 480;
  tf::Game& game = player.LoadGame();
  game.State.CurrentFrameName = "Frame19";
  for (int i = 0; i < 100; ++i) game.Variables.Add("variable" + std::to_string(i), i);
  for (int i = 0; i < 50; ++i) game.Disappear.Add("Frame" + std::to_string(i % 20), i);
  for (int i = 0; i < 30; ++i) game.State.CarriedObjects.push_back("object" + std::to_string(i));
  for (int i = 0; i < 20; ++i) game.FramesHistory.AddItem("Frame" + std::to_string(i));
  auto dialog = desktop.windows.CreateForm("frmLoadGame", tf::ui::FormStyle::Bordered);

  std::vector<double> format;
  std::vector<double> save;
  std::vector<double> load;
  for (int run = 0; run < kRuns; ++run) {
    QElapsedTimer timer;
    timer.start();
    if (tf::WriteGameState(game.State).empty()) return 1;
    format.push_back(timer.nsecsElapsed() / 1e6);
    timer.restart();
    if (!tf::WriteSavedGame(game, "bench")) return 1;
    save.push_back(timer.nsecsElapsed() / 1e6);
    timer.restart();
    if (!tf::ReadSavedGame(player, "bench", *dialog)) return 1;
    load.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::cout << "save, median of " << kRuns << ": " << Median(save) << " ms ("
            << std::filesystem::file_size(folder / "bench.sav") << " bytes), of which "
            << Median(format) << " ms make the bytes and the rest writes them to the disk\n";
  std::cout << "load, median of " << kRuns << ": " << Median(load) << " ms\n";
  std::cout << "state after the loads: " << game.Variables.Count() << " variables, "
            << game.Disappear.Count() << " disappeared areas, " << game.ObjectsCount()
            << " objects, " << game.FramesHistory.ListCount() << " history entries\n";
  std::filesystem::remove_all(folder);
  return 0;
}
