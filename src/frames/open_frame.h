#pragma once

#include <string>

namespace tf {

class Game;

// Shows a frame: clears the old one, records it in the history, reads its
// file, sets music, background, texts, areas, video, timer, MP3 and sounds.
void OpenFrame(Game& game, const std::string& currentFrame);
// Appends a frame to the history unless it equals the last entry; keeps the
// 20 most recent.
void FramesHistoryAdd(Game& game, const std::string& frameName);

}  // namespace tf
