#include "startup/welcome_window.h"

#include <gtest/gtest.h>

#include "game/player.h"
#include "platform/memory/memory_platform.h"
#include "support/temp_project.h"

namespace tf {
namespace {

std::string General(const std::string& version, const std::string& author, const std::string& email,
                    const std::string& site, const std::string& allow = "") {
  std::string text = "\"Key\"\r\n\"x\"\r\n\"Title\"\r\n0\r\n\"Start\"\r\n\"" + version +
                     "\"\r\n640\r\n480\r\n\"" + author + "\"\r\n\"" + email + "\"\r\n\"" + site +
                     "\"\r\n";
  if (!allow.empty()) text += allow + "\r\n";
  return text;
}

// The welcome window on the memory desktop.
class WelcomeLayoutTest : public ::testing::Test {
 protected:
  void Start(const std::string& general) {
    project.Write("Config/General", general);
    player = std::make_unique<Player>(platform, project.Path().string());
    player->Start();
  }
  Welcome& W() { return *player->welcome; }

  test::TempProject project;
  MemoryPlatform desktop;
  Platform platform = desktop.Get();
  std::unique_ptr<Player> player;
};

TEST_F(WelcomeLayoutTest, NothingToShowGivesTheBaseHeight) {
  Start(General("", "", "", ""));
  EXPECT_EQ(W().Window().Height(), 3000 + 150);
  EXPECT_FALSE(W().txtVersion.Visible());
  EXPECT_FALSE(W().chkResolution.Visible());
  EXPECT_TRUE(desktop.messages.calls.empty());
}

TEST_F(WelcomeLayoutTest, EachShownLineAddsItsHeightInOrder) {
  Start(General("1.2", "Ada", "ada@example.org", "example.org", "1"));
  EXPECT_EQ(W().txtVersion.Top(), 3000);
  EXPECT_EQ(W().txtAuthor.Top(), 3255);
  EXPECT_EQ(W().lblAuthor.Top(), 3255);
  EXPECT_EQ(W().txtEmail.Top(), 3510);
  EXPECT_EQ(W().txtHomepage.Top(), 3765);
  EXPECT_EQ(W().lblResolution.Top(), 4020);
  EXPECT_EQ(W().chkResolution.Top(), 4065);
  EXPECT_EQ(W().Window().Height(), 3000 + 5 * 255 + 150);
  EXPECT_EQ(W().Window().Caption(), "Title");
}

TEST_F(WelcomeLayoutTest, TheWindowIsCentredInTheWorkAreaWithItsDesignWidth) {
  desktop.display.width = 800;
  desktop.display.height = 600;
  // A panel along the left and one along the top of a monitor that lies
  // right of another.
  desktop.display.workArea = ScreenRect{1920 + 100, 30, 700, 570};
  Start(General("1.0", "", "", ""));
  EXPECT_EQ(W().Window().Width(), 4800);
  EXPECT_EQ(W().Window().Left(), 2020 * 15 + (700 * 15 - 4800) / 2);
  EXPECT_EQ(W().Window().Top(), 30 * 15 + (570 * 15 - W().Window().Height()) / 2);
}

TEST_F(WelcomeLayoutTest, AScreenAlreadyAt640x480HidesTheOffer) {
  desktop.display.width = 640;
  desktop.display.height = 480;
  Start(General("", "", "", "", "1"));
  EXPECT_FALSE(W().chkResolution.Visible());
  EXPECT_FALSE(W().lblResolution.Visible());
}

TEST_F(WelcomeLayoutTest, TheStoredChoiceSetsTheCheckBox) {
  desktop.settings.values[{"Games", "Key", "ChangeResolution"}] = "0";
  Start(General("", "", "", "", "1"));
  EXPECT_EQ(W().chkResolution.Value(), 0);
}

TEST_F(WelcomeLayoutTest, AStoredValueThatIsNoNumberIsIgnored) {
  desktop.settings.values[{"Games", "Key", "ChangeResolution"}] = "yes";
  Start(General("", "", "", "", "1"));
  EXPECT_EQ(W().chkResolution.Value(), 1);
}

TEST_F(WelcomeLayoutTest, AFailedReadKeepsTheDesignTimeLook) {
  Start("\"Key\"\r\n\"x\"\r\n\"Title\"\r\n");
  ASSERT_EQ(desktop.messages.calls.size(), 1u);
  EXPECT_EQ(desktop.messages.calls[0].text,
            "Unable to load project information. The game may not work properly.");
  EXPECT_EQ(W().Window().Caption(), "Taleforge");
  EXPECT_EQ(W().Window().Height(), 4200);
  // The key was read before the failure; nothing was read from the store.
  EXPECT_EQ(player->info.GameKey, "Key");
}

TEST_F(WelcomeLayoutTest, ClosingStoresTheTickAndEndsTheProgram) {
  Start(General("", "", "", "", "1"));
  W().chkResolution.SetValue(0);
  W().Window().Close();
  EXPECT_EQ((desktop.settings.values[{"Games", "Key", "ChangeResolution"}]), "0");
  EXPECT_TRUE(desktop.events.Ended());
}

TEST_F(WelcomeLayoutTest, WithoutAGameKeyNothingIsReadOrStored) {
  desktop.settings.values[{"Games", "", "ChangeResolution"}] = "0";
  Start("\"\"" + General("", "", "", "", "1").substr(5));
  EXPECT_EQ(W().chkResolution.Value(), 1);
  W().Window().Close();
  EXPECT_EQ(desktop.settings.values.size(), 1u);
  EXPECT_EQ((desktop.settings.values[{"Games", "", "ChangeResolution"}]), "0");
}

}  // namespace
}  // namespace tf
