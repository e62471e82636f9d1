#pragma once

// A project of frames F1..Fn in a ring, each over a JPEG of the game's size
// with its own pictured areas and texts, so that no two frames share a
// picture. Area 1 of each frame opens the next frame (Fn the first), area 2
// the previous one.

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_support.h"

namespace tf::bench {

struct FrameChainShape {
  int width = 640;
  int height = 480;
  int areas = 20;
  int texts = 5;
};

inline std::string FrameName(int frame) { return "F" + std::to_string(frame); }

// An action that opens a frame.
inline std::string GoToAction(const std::string& frame) {
  return "0\r\n\"\"\r\n0\r\n0\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n0\r\n0\r\n1\r\n\"" + frame +
         "\"\r\n";
}

// Writes the project; returns each frame's picture files, the background
// first.
inline std::vector<std::vector<QString>> WriteFrameChain(const std::filesystem::path& folder,
                                                         const FrameChainShape& shape, int frames) {
  std::filesystem::remove_all(folder);
  Write(folder / "Config/General", General(FrameName(1), shape.width, shape.height));
  Write(folder / "Config/Variables", "0\r\n");
  const int columns = shape.width / 100;
  const int rows = (shape.areas + columns - 1) / columns;
  std::vector<std::vector<QString>> pictures(frames);
  for (int f = 1; f <= frames; ++f) {
    std::string frame = FrameName(f);
    std::string background = "f" + std::to_string(f) + ".jpg";
    MakePicture(folder / "Frames" / background, shape.width, shape.height, f, "JPEG");
    pictures[f - 1].push_back(QString::fromStdString((folder / "Frames" / background).string()));
    Write(folder / "Frames" / (frame + ".fme"), PictureFrame(background));
    Write(folder / "Frames" / (frame + ".lks"), std::to_string(shape.areas) + "\r\n");
    std::filesystem::path areas = folder / "Areas" / frame;
    for (int i = 1; i <= shape.areas; ++i) {
      std::string name = "p" + std::to_string(f) + "_" + std::to_string(i) + ".png";
      MakePicture(folder / "Areas" / name, 64, 64, f * 100 + i, "PNG");
      pictures[f - 1].push_back(QString::fromStdString((folder / "Areas" / name).string()));
      int left = (i - 1) % columns * 1500, top = (i - 1) / columns * 1500;
      Write(areas / (std::to_string(i) + "a.dat"),
            std::to_string(left) + "\r\n" + std::to_string(top) +
                "\r\n1020\r\n1020\r\n0\r\n-1\r\n\"" + name + "\"\r\n0\r\n\"\"\r\n0\r\n");
    }
    Write(areas / "1b.dat", GoToAction(FrameName(f % frames + 1)));
    Write(areas / "2b.dat", GoToAction(FrameName(f == 1 ? frames : f - 1)));
    for (int t = 1; t <= shape.texts; ++t)
      Write(areas / ("t" + std::to_string(t) + ".lbl"),
            "\"Text number " + std::to_string(t) + "\"\r\n300\r\n" +
                std::to_string(rows * 1500 + (t - 1) * 200) +
                "\r\n-1\r\n0\r\n\"Arial\"\r\n14\r\n0\r\n0\r\n16777215\r\n");
  }
  return pictures;
}

}  // namespace tf::bench
