#include "state/variables.h"

#include <gtest/gtest.h>

#include "platform/runtime/runtime_error.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

TEST(VariablesCollectionTest, PositionsAreOneBasedAndCloseUpOnRemoval) {
  VariablesCollection collection;
  collection.Add("a", 1);
  collection.Add("b", 2);
  collection.Add("c", 3);
  collection.Remove(2);
  ASSERT_EQ(collection.Count(), 2);
  EXPECT_EQ(collection.Item(1).Name(), "a");
  EXPECT_EQ(collection.Item(2).Name(), "c");
  EXPECT_THROW(collection.Item(0), RuntimeError);
  EXPECT_THROW(collection.Item(3), RuntimeError);
}

TEST(VariablesCollectionTest, KeysAreUniqueAndOptional) {
  VariablesCollection collection;
  collection.Add("a", 1, "first");
  collection.Add("b", 2);
  collection.Add("c", 3);
  EXPECT_EQ(collection.Item("first").Value(), 1);
  EXPECT_THROW(collection.Add("d", 4, "first"), RuntimeError);
  EXPECT_THROW(collection.Item(""), RuntimeError);
  collection.Remove("first");
  EXPECT_EQ(collection.Item(1).Name(), "b");
  EXPECT_THROW(collection.Item("first"), RuntimeError);
}

class VariablesTest : public ::testing::Test, public test::GameFixture {};

TEST_F(VariablesTest, LoadingDeclaresEveryNameAtZeroAndTwiceGivesTheSameList) {
  WriteVariables("3\r\n\"Lamp\"\r\n\"lamp\"\r\n\"Door\"\r\n");
  Game& game = GetGame();
  LoadVariables(game);
  ChangeVariableValue(game, "Lamp", 1);
  LoadVariables(game);
  ASSERT_EQ(game.Variables.Count(), 3);
  EXPECT_EQ(GetVariableValue(game, "Lamp"), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(VariablesTest, NamesCompareExactly) {
  WriteVariables("2\r\n\"Lamp\"\r\n\"lamp\"\r\n");
  Game& game = GetGame();
  LoadVariables(game);
  ChangeVariableValue(game, "Lamp", 1);
  EXPECT_EQ(GetVariableValue(game, "Lamp"), 1);
  EXPECT_EQ(GetVariableValue(game, "lamp"), 0);
  EXPECT_EQ(GetVariableValue(game, "Lamp "), -1);
}

TEST_F(VariablesTest, ADuplicateNameChangesEveryEntryAndReadsTheFirst) {
  WriteVariables("3\r\n\"Key\"\r\n\"Door\"\r\n\"Key\"\r\n");
  Game& game = GetGame();
  LoadVariables(game);
  game.Variables.Item(3).SetValue(5);
  EXPECT_EQ(GetVariableValue(game, "Key"), 0);
  ChangeVariableValue(game, "Key", -1);
  EXPECT_EQ(game.Variables.Item(1).Value(), 1);
  EXPECT_EQ(game.Variables.Item(3).Value(), 4);
  ChangeVariableValue(game, "Key", 1);
  EXPECT_EQ(game.Variables.Item(1).Value(), 1);
  EXPECT_EQ(game.Variables.Item(3).Value(), 1);
}

TEST_F(VariablesTest, ToggleFlipsTheLowestBit) {
  WriteVariables("1\r\n\"V\"\r\n");
  Game& game = GetGame();
  LoadVariables(game);
  ChangeVariableValue(game, "V", -1);
  EXPECT_EQ(GetVariableValue(game, "V"), 1);
  ChangeVariableValue(game, "V", -1);
  EXPECT_EQ(GetVariableValue(game, "V"), 0);
  ChangeVariableValue(game, "V", 2);
  ChangeVariableValue(game, "V", -1);
  EXPECT_EQ(GetVariableValue(game, "V"), 3);
}

TEST_F(VariablesTest, AnUndeclaredNameChangesNothing) {
  WriteVariables("1\r\n\"V\"\r\n");
  Game& game = GetGame();
  LoadVariables(game);
  ChangeVariableValue(game, "W", 1);
  EXPECT_EQ(game.Variables.Count(), 1);
  EXPECT_EQ(GetVariableValue(game, "V"), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(VariablesTest, AnEmptyListAnswersMinusOne) {
  WriteVariables("0\r\n");
  Game& game = GetGame();
  LoadVariables(game);
  EXPECT_EQ(game.Variables.Count(), 0);
  EXPECT_EQ(GetVariableValue(game, "Anything"), -1);
}

TEST_F(VariablesTest, AShortListKeepsWhatItHeldAndReports) {
  WriteVariables("5\r\n\"A\"\r\n\"B\"\r\n\"C\"\r\n");
  Game& game = GetGame();
  LoadVariables(game);
  EXPECT_EQ(game.Variables.Count(), 3);
  EXPECT_EQ(GetVariableValue(game, "C"), 0);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].title, "Error");
  EXPECT_EQ(Messages()[0].text,
            "Unable to load variables list. The game may not work properly. Press 'Esc' and "
            "then click 'Exit' to quit the game.");
}

TEST_F(VariablesTest, AMissingListReports) {
  Game& game = GetGame();
  LoadVariables(game);
  EXPECT_EQ(game.Variables.Count(), 0);
  EXPECT_EQ(Messages().size(), 1u);
}

}  // namespace
}  // namespace tf
