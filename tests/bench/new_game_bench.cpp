// Measures how long a new game takes from the click on the new-game picture
// to the start frame (a 640 x 480 JPEG) drawn on screen, beside the time to
// decode that JPEG alone. Prints medians of 20 runs in milliseconds.

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <filesystem>
#include <iostream>
#include <vector>

#include "bench/bench_support.h"
#include "game/game_window.h"
#include "game/player.h"
#include "startup/welcome_window.h"

namespace {
using tf::bench::General;
using tf::bench::MakePicture;
using tf::bench::Median;
using tf::bench::PictureFrame;
using tf::bench::Write;
constexpr int kRuns = 20;
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  auto folder = std::filesystem::temp_directory_path() / "taleforge-bench";
  std::filesystem::remove_all(folder);
  Write(folder / "Config/General", General("Start"));
  Write(folder / "Config/Variables", "2\r\n\"A\"\r\n\"B\"\r\n");
  Write(folder / "Frames/Start.fme", PictureFrame("start.jpg"));
  MakePicture(folder / "Frames/start.jpg", 640, 480, 7, "JPEG");

  tf::bench::QtDesktop desktop;
  tf::Player player(desktop.platform, folder.string());
  player.Start();
  desktop.events.ProcessPendingEvents();

  std::vector<double> newGame;
  for (int run = 0; run < kRuns; ++run) {
    QElapsedTimer clock;
    clock.start();
    player.welcome->Img()[0].onClick();
    // Drawing the window is part of showing the frame.
    desktop.windows.Find("Game")->Grab();
    desktop.events.ProcessPendingEvents();
    newGame.push_back(clock.nsecsElapsed() / 1e6);
    player.game->Window().Close();
    desktop.events.ProcessPendingEvents();
  }

  std::vector<double> decode;
  const QString jpeg = QString::fromStdString((folder / "Frames/start.jpg").string());
  for (int run = 0; run < kRuns; ++run) {
    QElapsedTimer clock;
    clock.start();
    QImageReader reader(jpeg);
    QImage image = reader.read();
    decode.push_back(clock.nsecsElapsed() / 1e6);
    if (image.isNull()) return 1;
  }

  std::cout << "new game to start frame shown, median of " << kRuns << ": " << Median(newGame)
            << " ms\n";
  std::cout << "decoding the 640 x 480 JPEG alone, median of " << kRuns << ": " << Median(decode)
            << " ms\n";
  std::filesystem::remove_all(folder);
  return 0;
}
