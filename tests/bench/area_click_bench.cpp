// Measures area clicks that open a frame, until that frame is drawn (the
// window's pending paint done, as the event loop does it), beside
// the time to decode the frame's pictures alone, one after another in one
// thread: for a 640 x 480 frame of 20 pictured areas and 5 texts, and for a
// 1024 x 768 frame of 50. Each change goes to a frame never shown before,
// then back to the frame before it. Prints medians of 20 runs and their
// ratios to decoding.

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <filesystem>
#include <iostream>
#include <vector>

#include "areas/area_click.h"
#include "bench/bench_support.h"
#include "bench/frame_chain.h"
#include "frames/editor_and_game.h"
#include "frames/new_game.h"
#include "game/game_window.h"
#include "game/player.h"

namespace {
using tf::bench::FrameChainShape;
using tf::bench::FrameName;
using tf::bench::Median;
constexpr int kRuns = 20;

double DecodeMs(const std::vector<QString>& pictures) {
  QElapsedTimer clock;
  clock.start();
  for (const QString& picture : pictures) {
    QImageReader reader(picture);
    if (reader.read().isNull()) {
      std::cerr << "can't decode " << picture.toStdString() << ": "
                << reader.errorString().toStdString() << "\n";
      std::exit(1);
    }
  }
  return clock.nsecsElapsed() / 1e6;
}

void PrintRatio(const std::string& what, double ms, double referenceMs, double goal) {
  double ratio = ms / referenceMs;
  std::cout << "  " << what << ": " << ms << " ms, " << ratio << " x decoding (goal <= " << goal
            << (ratio <= goal ? ", met)\n" : ", MISSED)\n");
}

// Returns false when a click did not open the frame it should.
bool Measure(const std::string& title, const FrameChainShape& shape) {
  auto folder = std::filesystem::temp_directory_path() / "taleforge-bench-areas";
  const int frames = kRuns + 1;
  std::vector<std::vector<QString>> pictures = tf::bench::WriteFrameChain(folder, shape, frames);

  tf::bench::QtDesktop desktop;
  tf::Player player(desktop.platform, folder.string());
  player.Start();
  tf::Game& game = player.LoadGame();
  tf::ResetAll(game);
  tf::StartNewGame(game);
  game.Window().Show();
  desktop.events.ProcessPendingEvents();

  auto clickAndDraw = [&](int16_t area, int wantedFrame) {
    QElapsedTimer clock;
    clock.start();
    tf::AreaClick(game, area, 1);
    desktop.events.ProcessPendingEvents();
    double ms = clock.nsecsElapsed() / 1e6;
    if (player.frames.CurrentFrameName != FrameName(wantedFrame) ||
        (shape.texts > 0 && game.Text.UBound() != shape.texts)) {
      std::cerr << "the click did not open frame " << FrameName(wantedFrame) << " with its texts\n";
      return -1.0;
    }
    return ms;
  };

  std::vector<double> change, back, decode;
  for (int run = 1; run <= kRuns; ++run) {
    double forward = clickAndDraw(1, run + 1);
    double backward = clickAndDraw(2, run);
    if (forward < 0 || backward < 0 || clickAndDraw(1, run + 1) < 0) return false;
    change.push_back(forward);
    back.push_back(backward);
    decode.push_back(DecodeMs(pictures[run]));
  }
  double decodeMs = Median(decode);
  std::cout << title << " (" << pictures[0].size() << " pictures), medians of " << kRuns << ":\n"
            << "  decoding its pictures alone in one thread: " << decodeMs << " ms\n";
  PrintRatio("area click to the frame shown", Median(change), decodeMs, 1.0);
  PrintRatio("back to the frame shown one change before", Median(back), decodeMs, 0.3);
  std::filesystem::remove_all(folder);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bool ok = Measure("640 x 480 frame of 20 pictured areas and 5 texts", {640, 480, 20, 5}) &&
            Measure("1024 x 768 frame of 50 pictured areas", {1024, 768, 50, 0});
  return ok ? 0 : 1;
}
