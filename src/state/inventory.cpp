#include "state/inventory.h"

#include <algorithm>

#include "areas/area_files.h"
#include "game/error_message.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/checked_int16.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"
#include "platform/ui/twips.h"
#include "state/inventory_drag.h"

namespace tf {

namespace {
constexpr int16_t kCellPixels = 35;

// Cells per row. A game narrower than one cell lays its objects out one to a
// row rather than dividing by zero.
int16_t CellsPerRow(const Game& game) {
  return std::max<int16_t>(1, game.GetPlayer().info.GameWidth / kCellPixels);
}

// Element n lies in cell n, counted from the top-left corner, row by row.
void PlaceInCell(const Game& game, ui::Image& element, int16_t n) {
  const int16_t perRow = CellsPerRow(game);
  const int16_t column = static_cast<int16_t>((n - 1) % perRow);
  const int16_t row = static_cast<int16_t>((n - 1) / perRow);
  element.SetLeft(MulInt16(MulInt16(column, kCellPixels), ui::kTwipsPerPixel));
  element.SetTop(MulInt16(MulInt16(row, kCellPixels), ui::kTwipsPerPixel));
}

std::string ReadObjectPicture(const Game& game, const std::string& objectName) {
  TextReader file = TextReader::Open(game.GetPlayer().paths.AreasPath + objectName + ".obj");
  return file.ReadVariant().ToText();
}

void RouteObjectEvents(Game& game, ui::Image& element, int16_t n) {
  element.onMouseDown = [&game, n](const ui::MouseArgs& args) {
    PickedObject_MouseDown(game, n, args);
  };
  element.onDragDrop = [&game, n](const ui::Control& source, int x, int y) {
    PickedObject_DragDrop(game, n, source, x, y);
  };
}
}  // namespace

void AddPickedObject(Game& game, const std::string& objectName) {
  const Player& player = game.GetPlayer();
  bool loaded = false;
  int16_t n = 0;
  try {
    const std::string picture = ReadObjectPicture(game, objectName);
    n = AddInt16(game.ObjectsCount(), 1);
    ui::Image& element = game.PickedObject.Load(n);
    loaded = true;
    element.LoadPicture(player.paths.AreasPath + picture);
    PlaceInCell(game, element, n);
    element.SetDragIconFromPicture(element);
    element.SetToolTipText(objectName);
    element.SetTag(objectName);
    RouteObjectEvents(game, element, n);
    element.SetVisible(true);
    element.BringToFront();
  } catch (const RuntimeError&) {
    if (loaded) IgnoringErrors([&] { game.PickedObject.Unload(n); });
    player.platform.messages.Show("Unable to pick up '" + objectName + "'.", ui::MessageButtons::Ok,
                                  ui::MessageIcon::Exclamation, "Error");
    return;
  }
  game.State.CarriedObjects.push_back(objectName);
  player.platform.Trace("pick \"" + Cp1252ToUtf8(objectName) + "\"");
}

void RemovePickedObject(Game& game, int objectIndex) {
  const Player& player = game.GetPlayer();
  std::vector<std::string>& names = game.State.CarriedObjects;
  const int count = game.ObjectsCount();
  try {
    if (objectIndex < 1) RaiseError(kErrSubscriptOutOfRange);
    for (int i = objectIndex; i <= count - 1; ++i) {
      ui::Image& element = game.PickedObject[i];
      const ui::Image& next = game.PickedObject[i + 1];
      element.SetPictureFrom(next);
      element.SetDragIconFrom(next);
      element.SetTag(next.Tag());
      element.SetToolTipText(next.ToolTipText());
      names[static_cast<size_t>(i) - 1] = names[static_cast<size_t>(i)];
    }
    game.PickedObject.Unload(count);
  } catch (const RuntimeError&) {
    player.platform.messages.Show("Unable to remove the item from the inventory.",
                                  ui::MessageButtons::Ok, ui::MessageIcon::Critical, "Error");
    return;
  }
  names.pop_back();
  player.platform.Trace("drop " + std::to_string(objectIndex));
}

void PickOrNotPickObject(Game& game, int areaIndex) {
  std::string objectName;
  try {
    TextReader file = TextReader::Open(AreaFile(game, areaIndex, "c.dat"));
    if (!file.ReadVariant().IsOne()) return;
    objectName = file.ReadVariant().ToText();
  } catch (const RuntimeError&) {
    return;
  }
  AddPickedObject(game, objectName);
}

}  // namespace tf
