#include "state/inventory.h"

#include <gtest/gtest.h>

#include "frames/new_game.h"
#include "state/inventory_drag.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i, value >>= 8) out += static_cast<char>(value & 0xFF);
  return out;
}

// The header of a BMP picture, all the memory desktop reads of one.
std::string Bmp(int width, int height) {
  return "BM" + Le(0, 12) + Le(40, 4) + Le(static_cast<uint32_t>(width), 4) +
         Le(static_cast<uint32_t>(height), 4) + Le(1, 2) + Le(24, 2);
}

class InventoryTest : public ::testing::Test, public test::GameFixture {
 protected:
  // Objects named by letters from "a", each with a picture of its own size.
  Game& Start(int objects = 0) {
    for (int i = 0; i < 26; ++i) {
      const std::string name(1, static_cast<char>('a' + i));
      project.Write("Areas/" + name + ".obj", "\"" + name + ".bmp\"\r\n");
      project.Write("Areas/" + name + ".bmp", Bmp(10 + i, 20));
    }
    Game& game = GetGame();
    ResetAll(game);
    for (int i = 0; i < objects; ++i) AddPickedObject(game, std::string(1, 'a' + i));
    return game;
  }

  ui::MemoryImage& Object(int n) {
    return static_cast<ui::MemoryImage&>(GetGame().PickedObject[n]);
  }

  // The names as the elements carry them, checked against the game state.
  std::vector<std::string> Names() {
    Game& game = GetGame();
    std::vector<std::string> tags;
    for (int n = 1; n <= game.ObjectsCount(); ++n) tags.push_back(game.PickedObject[n].Tag());
    EXPECT_EQ(tags, game.State.CarriedObjects);
    EXPECT_EQ(game.PickedObject.UBound(), game.ObjectsCount());
    return tags;
  }

  void Combination(const std::string& name, const std::string& body) {
    project.Write("Areas/" + name + ".drg", body);
  }

  // The user drags object `from` onto object `to`.
  void DragObject(int from, int to) {
    ui::MemoryForm& window = GameWindow();
    auto [fromX, fromY] = window.WindowPosition(Object(from));
    auto [toX, toY] = window.WindowPosition(Object(to));
    window.DragAt(fromX + 15, fromY + 15, toX + 15, toY + 15);
  }
};

TEST_F(InventoryTest, ObjectsFillRowsOfThirtyFivePixelCells) {
  Game& game = Start(19);
  ASSERT_EQ(game.ObjectsCount(), 19);
  EXPECT_EQ(Object(1).Left(), 0);
  EXPECT_EQ(Object(2).Left(), 35 * 15);
  EXPECT_EQ(Object(18).Left(), 595 * 15);
  EXPECT_EQ(Object(18).Top(), 0);
  EXPECT_EQ(Object(19).Left(), 0);
  EXPECT_EQ(Object(19).Top(), 35 * 15);
  // Not stretched: each takes the size of its picture.
  EXPECT_EQ(Object(19).Width(), 28 * 15);
  EXPECT_EQ(Object(19).PicturePath(), GetPlayer().paths.AreasPath + "s.bmp");
  EXPECT_EQ(Object(19).DragIconPath(), Object(19).PicturePath());
  EXPECT_EQ(Object(19).ToolTipText(), "s");
  EXPECT_TRUE(Object(19).Visible());
  EXPECT_EQ(Names().size(), 19u);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(InventoryTest, AGameNarrowerThanACellLaysObjectsOutOneToARow) {
  GetPlayer().info.GameWidth = 20;
  Start(3);
  EXPECT_EQ(Object(3).Left(), 0);
  EXPECT_EQ(Object(3).Top(), 70 * 15);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(InventoryTest, RemovalMovesTheLaterObjectsBackAndKeepsTheCells) {
  Game& game = Start(4);
  RemovePickedObject(game, 2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c", "d"}));
  EXPECT_FALSE(game.PickedObject.Exists(4));
  EXPECT_EQ(Object(2).Left(), 35 * 15);
  EXPECT_EQ(Object(2).PicturePath(), GetPlayer().paths.AreasPath + "c.bmp");
  EXPECT_EQ(Object(2).Width(), 12 * 15);
  EXPECT_EQ(Object(3).Left(), 70 * 15);
  EXPECT_EQ(Object(3).DragIconPath(), GetPlayer().paths.AreasPath + "d.bmp");
  EXPECT_EQ(Object(3).ToolTipText(), "d");
  // The same object twice is carried twice.
  AddPickedObject(game, "a");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c", "d", "a"}));
  EXPECT_EQ(Object(4).Left(), 105 * 15);
}

TEST_F(InventoryTest, FailuresReportAndLeaveTheInventoryAsItWas) {
  Game& game = Start(1);
  project.Write("Areas/lost.obj", "\"lost.bmp\"\r\n");
  AddPickedObject(game, "lost");
  AddPickedObject(game, "none");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
  RemovePickedObject(game, 1);
  RemovePickedObject(game, 1);
  EXPECT_EQ(game.ObjectsCount(), 0);
  EXPECT_EQ(game.PickedObject.Count(), 1);
  const std::vector<MessageBoxCall> expected = {
      {"Unable to pick up 'lost'.", ui::MessageButtons::Ok, ui::MessageIcon::Exclamation, "Error"},
      {"Unable to pick up 'none'.", ui::MessageButtons::Ok, ui::MessageIcon::Exclamation, "Error"},
      {"Unable to remove the item from the inventory.", ui::MessageButtons::Ok,
       ui::MessageIcon::Critical, "Error"}};
  EXPECT_EQ(Messages(), expected);
}

TEST_F(InventoryTest, CombiningRemovesBothObjectsInEitherOrder) {
  Start(4);
  Combination("a_on_c", "1\r\n1\r\n0\r\n\"\"\r\n");
  Combination("d_on_b", "1\r\n1\r\n1\r\n\"e\"\r\n");
  // The dragged object goes first, and the target has moved back by one.
  DragObject(1, 3);
  EXPECT_EQ(Names(), (std::vector<std::string>{"b", "d"}));
  DragObject(2, 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"e"}));
  EXPECT_EQ(Object(1).Left(), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(InventoryTest, ACombinationCanKeepBothAndAddANewObjectAtTheEnd) {
  Start(3);
  Combination("c_on_a", "0\r\n0\r\n1\r\n\"z\"\r\n");
  DragObject(3, 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c", "z"}));
  // The other order has no file; an object dropped on itself does nothing.
  DragObject(1, 3);
  DragObject(2, 2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c", "z"}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(InventoryTest, AShortCombinationFileKeepsWhatItDidAndReports) {
  Start(2);
  Combination("b_on_a", "1\r\n");
  DragObject(2, 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], (MessageBoxCall{"Unable to combine items.", ui::MessageButtons::Ok,
                                           ui::MessageIcon::Critical, "Error"}));
}

TEST_F(InventoryTest, ARightPressTogglesTheMenuAndStartsNoDrag) {
  Game& game = Start(2);
  ui::MemoryForm& window = GameWindow();
  auto [x, y] = window.WindowPosition(Object(2));
  window.ClickAt(x + 15, y + 15, ui::kRightButton);
  EXPECT_TRUE(game.mnuExit.Visible());
  EXPECT_EQ(game.DraggedObjectIndex, 0);
  window.ClickAt(x + 15, y + 15, ui::kRightButton);
  EXPECT_FALSE(game.mnuExit.Visible());
  window.ClickAt(x + 15, y + 15, ui::kLeftButton);
  EXPECT_EQ(game.DraggedObjectIndex, 2);
  EXPECT_EQ(window.DragSource(), nullptr);
}

}  // namespace
}  // namespace tf
