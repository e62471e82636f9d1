// Measures a click on an area whose action opens a frame of pictured areas
// and texts over a JPEG, until that frame is drawn: the first time its
// pictures are seen (their files touched before each run) and going back to
// it two changes later, beside the time to decode its pictures alone, one
// after another in one thread. For 640 x 480 with 20 areas and 5 texts, and
// 1024 x 768 with 50 areas. Prints medians of 20 runs in milliseconds.

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
namespace fs = std::filesystem;
using tf::bench::MakePicture;
using tf::bench::Median;
using tf::bench::PictureFrame;
using tf::bench::Write;
constexpr int kRuns = 20;

struct Case {
  int width, height, areas, texts, pictureSize;
};

std::string GoTo(const std::string& frame) {
  return "0\r\n\"\"\r\n0\r\n0\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n0\r\n0\r\n1\r\n\"" + frame +
         "\"\r\n";
}

std::string General(const Case& c) {
  return "\"Bench\"\r\n\"\"\r\n\"Bench\"\r\n0\r\n\"A\"\r\n\"\"\r\n" + std::to_string(c.width) +
         "\r\n" + std::to_string(c.height) + "\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
}

// Frame A: one area leading to frame B, whose area 1 leads back. Returns B's
// pictures.
std::vector<fs::path> MakeProject(const fs::path& folder, const Case& c) {
  Write(folder / "Config/General", General(c));
  Write(folder / "Config/Variables", "0\r\n");
  MakePicture(folder / "Frames/a.jpg", c.width, c.height, 1, "JPEG");
  MakePicture(folder / "Frames/b.jpg", c.width, c.height, 2, "JPEG");
  Write(folder / "Frames/A.fme", PictureFrame("a.jpg"));
  Write(folder / "Frames/A.lks", "1\r\n");
  Write(folder / "Areas/A/1a.dat",
        "0\r\n0\r\n1500\r\n1500\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n0\r\n");
  Write(folder / "Areas/A/1b.dat", GoTo("B"));
  Write(folder / "Frames/B.fme", PictureFrame("b.jpg"));
  Write(folder / "Frames/B.lks", std::to_string(c.areas) + "\r\n");
  std::vector<fs::path> pictures = {folder / "Frames/b.jpg"};
  const int columns = c.width / (c.pictureSize + 8);
  const std::string side = std::to_string((c.pictureSize + 4) * 15);
  for (int i = 1; i <= c.areas; ++i) {
    std::string name = "p" + std::to_string(i) + ".png";
    MakePicture(folder / "Areas" / name, c.pictureSize, c.pictureSize, i + 10, "PNG");
    pictures.push_back(folder / "Areas" / name);
    int left = (i - 1) % columns * (c.pictureSize + 8) * 15;
    int top = (i - 1) / columns * (c.pictureSize + 8) * 15;
    Write(folder / "Areas/B" / (std::to_string(i) + "a.dat"),
          std::to_string(left) + "\r\n" + std::to_string(top) + "\r\n" + side + "\r\n" + side +
              "\r\n0\r\n-1\r\n\"" + name + "\"\r\n0\r\n\"\"\r\n0\r\n");
  }
  Write(folder / "Areas/B/1b.dat", GoTo("A"));
  for (int t = 1; t <= c.texts; ++t)
    Write(folder / "Areas/B" / ("t" + std::to_string(t) + ".lbl"),
          "\"Text number " + std::to_string(t) + "\"\r\n300\r\n" + std::to_string(6000 + t * 300) +
              "\r\n-1\r\n0\r\n\"Arial\"\r\n14\r\n0\r\n0\r\n16777215\r\n");
  return pictures;
}

bool RunCase(tf::bench::QtDesktop& desktop, const Case& c) {
  const fs::path folder = fs::temp_directory_path() / "taleforge-bench-areas";
  fs::remove_all(folder);
  const std::vector<fs::path> pictures = MakeProject(folder, c);
  tf::Player player(desktop.platform, folder.string());
  player.Start();
  tf::Game& game = player.LoadGame();
  tf::ResetAll(game);
  tf::StartNewGame(game);
  game.Window().Show();
  desktop.events.ProcessPendingEvents();

  auto clickToB = [&] {
    QElapsedTimer clock;
    clock.start();
    tf::AreaClick(game, 1, 1);
    desktop.windows.Find("Game")->Grab();
    return clock.nsecsElapsed() / 1e6;
  };
  auto backToA = [&] {
    tf::AreaClick(game, 1, 1);
    desktop.events.ProcessPendingEvents();
  };
  std::vector<double> firstSeen, seenBefore;
  for (int run = 0; run < kRuns; ++run) {
    // New modification times: the pictures must be decoded again.
    for (const fs::path& picture : pictures)
      fs::last_write_time(picture, fs::file_time_type::clock::now() - std::chrono::hours(run + 1));
    firstSeen.push_back(clickToB());
    if (player.frames.CurrentFrameName != "B" || game.Text.UBound() != c.texts) {
      std::cerr << "the click did not open frame B with its texts\n";
      return false;
    }
    backToA();
    seenBefore.push_back(clickToB());
    backToA();
  }

  std::vector<double> decode;
  for (int run = 0; run < kRuns; ++run) {
    QElapsedTimer clock;
    clock.start();
    for (const fs::path& picture : pictures) {
      QImageReader reader(QString::fromStdString(picture.string()));
      if (reader.read().isNull()) {
        std::cerr << "can't decode " << picture << ": " << reader.errorString().toStdString()
                  << "\n";
        return false;
      }
    }
    decode.push_back(clock.nsecsElapsed() / 1e6);
  }

  const double alone = Median(decode);
  std::cout << c.width << " x " << c.height << ", " << c.areas << " areas, " << c.texts
            << " texts, medians of " << kRuns << ":\n"
            << "  area click to the frame shown, pictures new: " << Median(firstSeen) << " ms ("
            << Median(firstSeen) / alone << " x decoding)\n"
            << "  area click back to it two changes later:     " << Median(seenBefore) << " ms ("
            << Median(seenBefore) / alone << " x decoding)\n"
            << "  decoding its " << pictures.size() << " pictures alone: " << alone << " ms\n";
  fs::remove_all(folder);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tf::bench::QtDesktop desktop;
  for (const Case& c : {Case{640, 480, 20, 5, 64}, Case{1024, 768, 50, 5, 96}})
    if (!RunCase(desktop, c)) return 1;
  return 0;
}
