#include "welcome/scheme.h"

#include <gtest/gtest.h>

#include "welcome_test_support.h"

namespace tf {
namespace {

class SchemeTest : public ::testing::Test, public test::WelcomeFixture {
 protected:
  void StartWith(const std::string& schemeText) {
    project.Write("schemes/Look/Scheme.txt", schemeText);
    Start("Look");
  }
};

TEST_F(SchemeTest, PicturesColoursAndTheTiledBackground) {
  project.Write("schemes/Look/quit.png", test::PngOfSize(50, 40));
  project.Write("schemes/Look/tile.png", test::PngOfSize(100, 100));
  StartWith(
      "\"a\",\"b\",\"c\",4\r\n\"[NONE]\"\r\n\"[Default]\"\r\n\"quit.png\"\r\n\"tile.png\"\r\n"
      "1,255,65280,16711680\r\n");
  EXPECT_FALSE(W().Img()[0].Visible());
  EXPECT_FALSE(W().Img()[0].HasPicture());
  EXPECT_TRUE(W().Img()[1].Visible());
  EXPECT_EQ(W().Img()[2].Width(), 50 * 15);
  EXPECT_FALSE(W().Img()[3].Visible());
  EXPECT_EQ(Window().BackColor(), ui::Rgb(255, 0, 0));
  EXPECT_EQ(W().txtAdventureName.ForeColor(), ui::Rgb(0, 255, 0));
  for (const ui::Label* label : {&W().lblResolution, &W().txtVersion, &W().lblAuthor, &W().lblEmail,
                                 &W().lblHomepage, &W().txtAuthor, &W().txtEmail, &W().txtHomepage})
    EXPECT_EQ(label->ForeColor(), ui::Rgb(0, 0, 255)) << label->Name();

  // Column by column from the top-left corner, each column down to the
  // bottom edge; the last column starts before the right edge.
  Window().Refresh();
  const auto& painted = Window().Painted();
  const int rows = Window().Height() / 1500 + 1;
  ASSERT_EQ(painted.size(), static_cast<size_t>(4 * rows));
  EXPECT_EQ(painted[0].x, 0);
  EXPECT_EQ(painted[0].y, 0);
  EXPECT_EQ(painted[1].x, 0);
  EXPECT_EQ(painted[1].y, 1500);
  EXPECT_EQ(painted.back().x, 4500);
  EXPECT_EQ(painted.back().y, (rows - 1) * 1500);
  EXPECT_EQ(painted.back().width, 1500);
}

// A missing picture keeps the old one but shows the element; entries past
// the four elements are read and skipped; a colour that is no number ends
// the scheme before any colour is set; nothing is ever reported.
TEST_F(SchemeTest, FaultsKeepWhatWasAppliedSilently) {
  StartWith(
      "1,2,3,\"6 pictures\",\"gone.png\",\"[none]\",\"[default]\",\"[default]\","
      "\"x.png\",\"y.png\",\"1 flag\",255,\"red\",0\r\n");
  EXPECT_TRUE(W().Img()[0].Visible());
  EXPECT_TRUE(W().Img()[0].HasPicture());
  EXPECT_FALSE(W().Img()[1].Visible());
  EXPECT_EQ(Window().BackColor(), ui::Rgb(28, 38, 58));
  EXPECT_TRUE(desktop.messages.calls.empty());
}

TEST_F(SchemeTest, ACountOfZeroOrAColourFlagOfZeroKeepsTheColours) {
  StartWith("1,2,3,0,1,255,255,255\r\n");
  EXPECT_EQ(Window().BackColor(), ui::Rgb(28, 38, 58));
  EXPECT_TRUE(W().Img()[0].Visible());

  test::WelcomeFixture other;
  other.project.Write("schemes/Look/Scheme.txt", "1,2,3,1,\"[none]\",0,255,255,255\r\n");
  other.Start("Look");
  EXPECT_FALSE(other.W().Img()[0].Visible());
  EXPECT_EQ(other.Window().BackColor(), ui::Rgb(28, 38, 58));
  EXPECT_EQ(other.W().txtAdventureName.ForeColor(), ui::Rgb(250, 226, 160));
}

}  // namespace
}  // namespace tf
