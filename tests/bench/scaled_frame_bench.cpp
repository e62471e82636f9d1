// Measures a frame change (OpenFrame of a 640 x 480 JPEG frame with 20 areas,
// each with its own picture, until the window is drawn) on the monitor as it
// is, with the game screen unscaled in the middle, and on the 640 x 480
// virtual screen scaled to fill the monitor. Run it on the screen to measure
// (xvfb-run -s "-screen 0 1920x1080x24"). Prints medians of 30 runs in
// milliseconds.

#include <QApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <iostream>
#include <vector>

#include "bench/bench_support.h"
#include "frames/new_game.h"
#include "frames/open_frame.h"
#include "game/game_window.h"
#include "game/player.h"

namespace {
using tf::bench::General;
using tf::bench::MakePicture;
using tf::bench::Median;
using tf::bench::PictureFrame;
using tf::bench::Write;
constexpr int kRuns = 30;
constexpr int kAreas = 20;

void WriteFrame(const std::filesystem::path& folder, const std::string& name, int seed) {
  const std::string picture = name + ".jpg";
  MakePicture(folder / "Frames" / picture, 640, 480, seed, "JPEG");
  Write(folder / "Frames" / (name + ".fme"), PictureFrame(picture));
  Write(folder / "Frames" / (name + ".lks"), std::to_string(kAreas) + "\r\n");
  for (int i = 1; i <= kAreas; ++i) {
    const std::string file = name + std::to_string(i) + ".png";
    MakePicture(folder / "Areas" / file, 64, 64, seed * 100 + i, "PNG");
    const int left = (i - 1) % 5 * 1800, top = (i - 1) / 5 * 1500;
    Write(folder / "Areas" / name / (std::to_string(i) + "a.dat"),
          std::to_string(left) + "\r\n" + std::to_string(top) +
              "\r\n1020\r\n1020\r\n0\r\n-1\r\n\"" + file + "\"\r\n0\r\n\"\"\r\n0\r\n");
  }
}

double MedianFrameChange(tf::Game& game, tf::ui::QtForm& window) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    QElapsedTimer clock;
    clock.start();
    tf::OpenFrame(game, run % 2 == 0 ? "B" : "A");
    window.Grab();
    times.push_back(clock.nsecsElapsed() / 1e6);
  }
  return Median(times);
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  auto folder = std::filesystem::temp_directory_path() / "taleforge-bench-scaled";
  std::filesystem::remove_all(folder);
  Write(folder / "Config/General", General("A"));
  Write(folder / "Config/Variables", "0\r\n");
  WriteFrame(folder, "A", 1);
  WriteFrame(folder, "B", 2);

  tf::bench::QtDesktop desktop;
  tf::Player player(desktop.platform, folder.string());
  player.Start();

  const int monitorWidth = desktop.display.ScreenWidth(),
            monitorHeight = desktop.display.ScreenHeight();
  double results[2] = {};
  for (int scaled = 0; scaled < 2; ++scaled) {
    // A virtual screen of the monitor's size shows the window pixel for
    // pixel; the game would otherwise scale its screen to the monitor too.
    if (scaled)
      desktop.display.ChangeMode(640, 480);
    else
      desktop.windows.SetVirtualScreen(QSize(monitorWidth, monitorHeight));
    tf::Game& game = player.LoadGame();
    game.Load();
    tf::ResetAll(game);
    tf::StartNewGame(game);
    game.Window().Show();
    desktop.events.ProcessEventsFor(std::chrono::milliseconds(300));
    tf::ui::QtForm& window = *desktop.windows.Find("Game");
    if (window.View().transform().isIdentity() == static_cast<bool>(scaled)) {
      std::cerr << "the game screen is not shown as intended\n";
      return 1;
    }
    MedianFrameChange(game, window);  // warm the caches
    results[scaled] = MedianFrameChange(game, window);
    game.Window().Hide();
    game.Unload();
  }
  std::cout << "frame change drawn on " << monitorWidth << " x " << monitorHeight << ", median of "
            << kRuns << ": unscaled " << results[0] << " ms, 640 x 480 scaled " << results[1]
            << " ms\n";
  std::filesystem::remove_all(folder);
  return 0;
}
