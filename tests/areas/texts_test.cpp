#include "areas/texts.h"

#include <gtest/gtest.h>

#include "frames/open_frame.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

class TextsTest : public ::testing::Test, public test::GameFixture {
 protected:
  void Label(const std::string& file, const std::string& caption, const std::string& bold,
             const std::string& colour = "255") {
    project.Write("Areas/F/" + file, "\"" + caption + "\"\r\n300\r\n450\r\n" + bold +
                                         "\r\n0\r\n\"Arial\"\r\n12\r\n0\r\n1\r\n" + colour +
                                         "\r\n");
  }
};

TEST_F(TextsTest, EveryLabelFileOfTheFrameBecomesAShownTextOnTopOfTheOnesBefore) {
  WriteFrame("F", "0\r\n\"0\"");
  Label("a.lbl", "One", "0");
  Label("b.lbl", "Two", "1");
  Label("c.LBL", "Three", "-1", "65280");
  project.Write("Areas/F/1a.dat", "0\r\n");
  project.Write("Areas/F/notes.txt", "\"Not a text\"\r\n");
  Game& game = GetGame();
  OpenFrame(game, "F");
  ASSERT_EQ(game.Text.UBound(), 3);
  EXPECT_EQ(game.Text[1].Caption(), "One");
  EXPECT_EQ(game.Text[3].Caption(), "Three");
  EXPECT_FALSE(game.Text[1].GetFont().bold);
  EXPECT_TRUE(game.Text[2].GetFont().bold);
  EXPECT_TRUE(game.Text[3].GetFont().bold);
  EXPECT_TRUE(game.Text[3].GetFont().underline);
  EXPECT_EQ(game.Text[3].ForeColor(), 65280u);
  EXPECT_EQ(game.Text[1].Left(), 300);
  EXPECT_EQ(game.Text[1].Top(), 450);
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(game.Text[i].Visible());
  // Sized to the caption.
  EXPECT_GT(game.Text[3].Width(), game.Text[1].Width());
}

TEST_F(TextsTest, OpeningTheSameFrameAgainLeavesOneSet) {
  WriteFrame("F", "0\r\n\"0\"");
  Label("a.lbl", "One", "0");
  Label("b.lbl", "Two", "0");
  Game& game = GetGame();
  OpenFrame(game, "F");
  OpenFrame(game, "F");
  EXPECT_EQ(game.Text.UBound(), 2);
}

TEST_F(TextsTest, AShortLabelFileKeepsWhatItGaveAndTheNextFileLoads) {
  WriteFrame("F", "0\r\n\"0\"");
  project.Write("Areas/F/a.lbl", "\"Half\"\r\n600\r\n");
  Label("b.lbl", "Whole", "0", "orange");
  Game& game = GetGame();
  OpenFrame(game, "F");
  ASSERT_EQ(game.Text.UBound(), 2);
  EXPECT_EQ(game.Text[1].Caption(), "Half");
  EXPECT_EQ(game.Text[1].Left(), 600);
  EXPECT_TRUE(game.Text[1].Visible());
  // A colour that is no number leaves the template's colour.
  EXPECT_EQ(game.Text[2].Caption(), "Whole");
  EXPECT_EQ(game.Text[2].ForeColor(), game.Text[0].ForeColor());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(TextsTest, AFrameWithoutFolderHasNoText) {
  WriteFrame("F", "0\r\n\"0\"");
  Game& game = GetGame();
  OpenFrame(game, "F");
  EXPECT_EQ(game.Text.UBound(), 0);
}

}  // namespace
}  // namespace tf
