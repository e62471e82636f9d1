// Measures a click on an area whose action opens a frame with 20 areas (each
// with its own picture) and 5 texts over a 640 x 480 JPEG, until that frame
// is drawn, beside the time to decode its 21 pictures alone. Prints medians
// of 20 runs in milliseconds.

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <filesystem>
#include <iostream>
#include <vector>

#include "areas/area_click.h"
#include "bench/bench_support.h"
#include "frames/editor_and_game.h"
#include "frames/new_game.h"
#include "game/game_window.h"
#include "game/player.h"

namespace {
using tf::bench::General;
using tf::bench::MakePicture;
using tf::bench::Median;
using tf::bench::PictureFrame;
using tf::bench::Write;
constexpr int kRuns = 20;
constexpr int kAreas = 20;
constexpr int kTexts = 5;

std::string GoTo(const std::string& frame) {
  return "0\r\n\"\"\r\n0\r\n0\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n0\r\n0\r\n1\r\n\"" + frame +
         "\"\r\n";
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  auto folder = std::filesystem::temp_directory_path() / "taleforge-bench-areas";
  std::filesystem::remove_all(folder);
  Write(folder / "Config/General", General("A"));
  Write(folder / "Config/Variables", "0\r\n");
  MakePicture(folder / "Frames/a.jpg", 640, 480, 1, "JPEG");
  MakePicture(folder / "Frames/b.jpg", 640, 480, 2, "JPEG");
  Write(folder / "Frames/A.fme", PictureFrame("a.jpg"));
  Write(folder / "Frames/A.lks", "1\r\n");
  Write(folder / "Areas/A/1a.dat",
        "0\r\n0\r\n1500\r\n1500\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n0\r\n");
  Write(folder / "Areas/A/1b.dat", GoTo("B"));
  Write(folder / "Frames/B.fme", PictureFrame("b.jpg"));
  Write(folder / "Frames/B.lks", std::to_string(kAreas) + "\r\n");
  std::vector<QString> pictures = {QString::fromStdString((folder / "Frames/b.jpg").string())};
  for (int i = 1; i <= kAreas; ++i) {
    std::string name = "p" + std::to_string(i) + ".png";
    MakePicture(folder / "Areas" / name, 64, 64, i + 10, "PNG");
    pictures.push_back(QString::fromStdString((folder / "Areas" / name).string()));
    int left = (i - 1) % 5 * 1800, top = (i - 1) / 5 * 1500;
    Write(folder / "Areas/B" / (std::to_string(i) + "a.dat"),
          std::to_string(left) + "\r\n" + std::to_string(top) +
              "\r\n1020\r\n1020\r\n0\r\n-1\r\n\"" + name + "\"\r\n0\r\n\"\"\r\n0\r\n");
  }
  Write(folder / "Areas/B/1b.dat", GoTo("A"));
  for (int t = 1; t <= kTexts; ++t)
    Write(folder / "Areas/B" / ("t" + std::to_string(t) + ".lbl"),
          "\"Text number " + std::to_string(t) + "\"\r\n300\r\n" + std::to_string(6000 + t * 300) +
              "\r\n-1\r\n0\r\n\"Arial\"\r\n14\r\n0\r\n0\r\n16777215\r\n");

  tf::bench::QtDesktop desktop;
  tf::Player player(desktop.platform, folder.string());
  player.Start();
  tf::Game& game = player.LoadGame();
  tf::ResetAll(game);
  tf::StartNewGame(game);
  game.Window().Show();
  desktop.events.ProcessPendingEvents();

  std::vector<double> click;
  for (int run = 0; run < kRuns; ++run) {
    QElapsedTimer clock;
    clock.start();
    tf::AreaClick(game, 1, 1);
    desktop.windows.Find("Game")->Grab();
    click.push_back(clock.nsecsElapsed() / 1e6);
    if (player.frames.CurrentFrameName != "B" || game.Text.UBound() != kTexts) {
      std::cerr << "the click did not open frame B with its texts\n";
      return 1;
    }
    tf::AreaClick(game, 1, 1);  // back to A
    desktop.events.ProcessPendingEvents();
  }

  std::vector<double> decode;
  for (int run = 0; run < kRuns; ++run) {
    QElapsedTimer clock;
    clock.start();
    for (const QString& picture : pictures) {
      QImageReader reader(picture);
      if (reader.read().isNull()) {
        std::cerr << "can't decode " << picture.toStdString() << ": "
                  << reader.errorString().toStdString() << "\n";
        return 1;
      }
    }
    decode.push_back(clock.nsecsElapsed() / 1e6);
  }

  std::cout << "area click to a frame of " << kAreas << " areas and " << kTexts
            << " texts shown, median of " << kRuns << ": " << Median(click) << " ms\n";
  std::cout << "decoding its " << pictures.size() << " pictures alone, median of " << kRuns << ": "
            << Median(decode) << " ms\n";
  std::filesystem::remove_all(folder);
  return 0;
}
