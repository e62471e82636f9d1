#pragma once

#include <string>
#include <vector>

#include "game/variables_collection.h"

namespace tf {

// The frames visited, oldest first, as a list of names.
class FrameHistory {
 public:
  // The most recent frames that the history keeps.
  static constexpr int kLength = 20;

  void AddItem(const std::string& frameName) { items_.push_back(frameName); }
  // Error 5 for an index outside the list.
  void RemoveItem(int index);
  int ListCount() const { return static_cast<int>(items_.size()); }
  // Error 5 for an index outside the list.
  const std::string& List(int index) const;
  void Clear() { items_.clear(); }

 private:
  std::vector<std::string> items_;
};

// The state of a game in play, as plain data: what a saved game holds, and
// the timed frame that is due. The game window's controls show it.
struct GameState {
  std::string CurrentFrameName;
  VariablesCollection Variables;
  // Frame name and index of every area that has disappeared.
  VariablesCollection Disappear;
  // Names of the inventory objects carried, in inventory order.
  std::vector<std::string> CarriedObjects;
  FrameHistory FramesHistory;
  // The frame a timed frame moves on to when its time is up; empty when no
  // timed frame is pending.
  std::string NextFrame;
};

}  // namespace tf
