#include "areas/areas.h"

#include <algorithm>

#include "areas/area_click.h"
#include "areas/area_files.h"
#include "frames/editor_and_game.h"
#include "game/error_message.h"
#include "game/game_window.h"
#include "game/player.h"
#include "media/animated_gif.h"
#include "platform/runtime/case_fold.h"
#include "platform/runtime/checked_int16.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/stored_values.h"
#include "platform/runtime/text_reader.h"
#include "platform/runtime/val.h"
#include "platform/ui/twips.h"
#include "state/inventory_drag.h"
#include "state/variables.h"

namespace tf {

namespace {
constexpr int kInset = 2 * ui::kTwipsPerPixel;  // on every side
constexpr int16_t kDefaultSpeed = 50;

// Fields 1 to 9 of an area file.
struct AreaHead {
  Variant left, top, width, height;
  bool animated = false;
  bool hasPicture = false;
  std::string picture;
  bool stretch = false;
  std::string cursorIcon;
};

AreaHead ReadAreaHead(StoredValues& file) {
  AreaHead head;
  head.left = file.ReadVariant();
  head.top = file.ReadVariant();
  head.width = file.ReadVariant();
  head.height = file.ReadVariant();
  head.animated = file.ReadVariant().IsNonZero();
  head.hasPicture = file.ReadVariant().IsTrueFlag();
  head.picture = file.ReadVariant().ToText();
  head.stretch = file.ReadVariant().IsOne();
  head.cursorIcon = file.ReadVariant().ToText();
  return head;
}

bool IsStandardCursor(const std::string& name) {
  return name.empty() || EqualsFolded(name, "default");
}

void SetCursor(ui::Control& control, const std::string& icons, const std::string& cursorIcon) {
  if (IsStandardCursor(cursorIcon))
    control.SetStandardPointer();
  else
    control.SetCustomPointer(StoredPathIn(icons, cursorIcon));
}

// The speed of an animated area: the fifth value of its object file, 50 when
// the file ends before it.
int16_t ReadAnimationSpeed(const Game& game, int index) {
  TextReader objectFile = TextReader::Open(AreaFile(game, index, "c.dat"));
  for (int skipped = 0; skipped < 4 && objectFile.HasMoreData(); ++skipped)
    objectFile.ReadVariant();
  Variant speed = Variant::Integer(kDefaultSpeed);
  if (objectFile.HasMoreData()) speed = objectFile.ReadVariant();
  return speed.ToInt16();
}

void LoadArea(Game& game, int index) {
  const Player& player = game.GetPlayer();
  StoredValues file = StoredValues::Open(AreaFile(game, index, "a.dat"));
  AreaHead head = ReadAreaHead(file);
  if (head.animated && head.hasPicture) {
    // A one-pixel element without picture keeps index `index` in use; the
    // area shows, and takes its clicks, through its animated-picture box.
    ui::Image& area = game.Area.Load(index);
    area.SetVisible(false);
    area.ClearPicture();
    area.Move(0, 0, ui::kTwipsPerPixel, ui::kTwipsPerPixel);
    int16_t speed = ReadAnimationSpeed(game, index);
    int16_t gifIndex = AniGifNewWithIndex(
        game, static_cast<int16_t>(index), StoredPathIn(player.paths.AreasPath, head.picture),
        ToInt16(head.left.ToDouble() + kInset), ToInt16(head.top.ToDouble() + kInset), speed);
    game.AniGifIndex[index] = gifIndex;
    SetCursor(game.AniGifBox[gifIndex], player.paths.IconsPath, head.cursorIcon);
    return;
  }
  ui::Image& area = game.Area.Load(index);
  area.onMouseDown = [&game, index](const ui::MouseArgs& args) {
    Area_MouseDown(game, index, args);
  };
  area.onDragDrop = [&game, index](const ui::Control& source, int x, int y) {
    Area_DragDrop(game, index, source, x, y);
  };
  const int32_t width = SubInt32(head.width.ToInt32(), 2 * kInset);
  const int32_t height = SubInt32(head.height.ToInt32(), 2 * kInset);
  area.Move(AddInt32(head.left.ToInt32(), kInset), AddInt32(head.top.ToInt32(), kInset),
            std::max(width, 1), std::max(height, 1));
  area.SetStretch(head.stretch);
  if (head.hasPicture)
    area.LoadPicture(StoredPathIn(player.paths.AreasPath, head.picture));
  else
    area.ClearPicture();
  SetCursor(area, player.paths.IconsPath, head.cursorIcon);
  area.BringToFront();
}

// Whether area `index` shows: not disappeared, and every condition of its
// file holds. Undeclared variables (-1) never decide.
bool AreaShouldShow(Game& game, int index, StoredValues& file) {
  const std::string& frame = game.GetPlayer().frames.CurrentFrameName;
  for (const auto& entry : game.Disappear)
    if (entry->Name() == frame && entry->Value() == index) return false;
  ReadAreaHead(file);
  if (file.ReadVariant().ToDouble() == 0) return true;
  const int16_t falseCount = file.ReadVariant().ToInt16();
  for (int16_t n = 0; n < falseCount; ++n) {
    int16_t value = GetVariableValue(game, file.ReadVariant().ToText());
    if (value != 0 && value != -1) return false;
  }
  const int16_t trueCount = file.ReadVariant().ToInt16();
  for (int16_t n = 0; n < trueCount; ++n) {
    int16_t value = GetVariableValue(game, file.ReadVariant().ToText());
    if (value != 1 && value != -1) return false;
  }
  return true;
}

// An animation stops while its area is hidden and plays again from its
// start when the area shows again.
void ShowAnimation(Game& game, int gifIndex, bool visible) {
  ui::Container& box = game.AniGifBox[gifIndex];
  if (box.Visible() && !visible) AniGifStop(game, gifIndex);
  if (!box.Visible() && visible) {
    AniGifStop(game, gifIndex);
    AniGifStart(game, gifIndex);
  }
  box.SetVisible(visible);
}

}  // namespace

void LoadAreas(Game& game) {
  const Player& player = game.GetPlayer();
  const int16_t count = player.frames.FrameLinksCount;
  for (int index = 1; index <= count; ++index) {
    try {
      LoadArea(game, index);
    } catch (const RuntimeError&) {
      ShowErrorMessage(player.platform, "Unable to load area #" + std::to_string(index) +
                                            " (out of " + std::to_string(count) + ").");
    }
  }
}

void ForEachStillAreaPicture(const Game& game, const std::function<void(std::string)>& found) {
  const Player& player = game.GetPlayer();
  for (int index = 1; index <= player.frames.FrameLinksCount; ++index) {
    IgnoringErrors([&] {
      StoredValues file = StoredValues::Open(AreaFile(game, index, "a.dat"));
      AreaHead head = ReadAreaHead(file);
      if (head.hasPicture && !head.animated)
        found(StoredPathIn(player.paths.AreasPath, head.picture));
    });
  }
}

void ResetFrameAreas(Game& game) {
  while (game.Area.UBound() >= 1) IgnoringErrors([&] { game.Area.Unload(game.Area.UBound()); });
  while (game.AniGif.UBound() >= 1) {
    const int last = game.AniGif.UBound();
    IgnoringErrors([&] { game.AniGifBox[last].SetVisible(false); });
    IgnoringErrors([&] { game.AniGif.Unload(last); });
  }
  while (game.AniGifBox.UBound() >= 1)
    IgnoringErrors([&] { game.AniGifBox.Unload(game.AniGifBox.UBound()); });
  game.AniGifIndex.clear();
}

void ShowOrNotShowAreas(Game& game) {
  const Player& player = game.GetPlayer();
  for (int index = 1; index <= player.frames.FrameLinksCount; ++index) {
    try {
      StoredValues file = StoredValues::Open(AreaFile(game, index, "a.dat"));
      const bool visible = AreaShouldShow(game, index, file);
      auto gif = game.AniGifIndex.find(index);
      const bool animated = gif != game.AniGifIndex.end() && gif->second > 0;
      // An animated area's own element stays out of sight and out of reach.
      game.Area[index].SetVisible(visible && !animated);
      if (animated) IgnoringErrors([&] { ShowAnimation(game, gif->second, visible); });
    } catch (const RuntimeError&) {
      ShowErrorMessage(player.platform, "Unable to load areas information.");
      return;
    }
  }
}

}  // namespace tf
