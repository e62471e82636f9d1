#include "welcome/welcome_events.h"

#include <gtest/gtest.h>

#include "welcome/links.h"
#include "welcome/small_fonts.h"
#include "welcome_test_support.h"

namespace tf {
namespace {

class WelcomeEventsTest : public ::testing::Test, public test::WelcomeFixture {
 protected:
  WelcomeEventsTest() { Start(); }
};

TEST_F(WelcomeEventsTest, FontsAreLargeFromSeventeenPixelsOrWhenUnmeasurable) {
  const std::pair<std::optional<int>, bool> cases[] = {
      {13, true}, {16, true}, {17, false}, {std::nullopt, true}, {0x10000 + 16, true}};
  for (auto [height, small] : cases) {
    desktop.display.fontHeight = height;
    EXPECT_EQ(HasSmallFonts(platform), small) << height.value_or(-1);
  }
}

TEST_F(WelcomeEventsTest, ActivationWarnsOfLargeFontsThenGoesOnTop) {
  EXPECT_TRUE(Window().Topmost());
  EXPECT_TRUE(desktop.messages.calls.empty());

  desktop.display.fontHeight = 17;
  Window().SetTopmost(false);
  frmWelcome_Activate(W());
  ASSERT_EQ(desktop.messages.calls.size(), 1u);
  EXPECT_EQ(desktop.messages.calls[0].title, "Warning!");
  EXPECT_EQ(desktop.messages.calls[0].buttons, ui::MessageButtons::OkCancel);
  EXPECT_EQ(desktop.messages.calls[0].icon, ui::MessageIcon::Exclamation);
  EXPECT_TRUE(Window().Topmost());
  EXPECT_FALSE(desktop.events.Ended());

  desktop.messages.answers.push_back(ui::MessageAnswer::Cancel);
  frmWelcome_Activate(W());
  EXPECT_TRUE(desktop.events.Ended());
}

TEST_F(WelcomeEventsTest, OnlyTheLeftButtonAloneDragsTheWindow) {
  ui::MouseArgs args;
  for (int buttons : {int{ui::kRightButton}, ui::kLeftButton | ui::kRightButton, 0})
    for (ui::Label* label : {&W().txtAdventureName, &W().lblEmail}) {
      args.button = buttons;
      label->onMouseMove(args);
    }
  EXPECT_EQ(Window().UserMoves(), 0);
  args.button = ui::kLeftButton;
  for (ui::Label* label : {&W().lblAuthor, &W().lblEmail, &W().lblHomepage, &W().txtAdventureName,
                           &W().txtAuthor, &W().txtVersion})
    label->onMouseMove(args);
  Window().onMouseMove(args);
  EXPECT_EQ(Window().UserMoves(), 7);
  EXPECT_FALSE(W().txtEmail.onMouseMove);
}

// No puts the window back on top; Yes opens and leaves it an ordinary one.
TEST_F(WelcomeEventsTest, TheLinksLeaveTheTopmostPlacementAsAnswered) {
  desktop.messages.answers = {ui::MessageAnswer::No, ui::MessageAnswer::Yes,
                              ui::MessageAnswer::Yes};
  W().txtEmail.onClick();
  EXPECT_TRUE(Window().Topmost());
  EXPECT_TRUE(desktop.links.opened.empty());
  W().txtEmail.onClick();
  EXPECT_FALSE(Window().Topmost());
  W().txtHomepage.onClick();
  EXPECT_EQ(desktop.links.opened,
            (std::vector<std::string>{"mailto:ada@example.org", "example.org"}));
  EXPECT_EQ(desktop.messages.calls[0].title, "Quest");
  EXPECT_EQ(desktop.messages.calls[0].icon, ui::MessageIcon::Question);
}

TEST_F(WelcomeEventsTest, TheMakerLinkLeavesTheTopmostPlacementAlone) {
  desktop.messages.answers = {ui::MessageAnswer::Cancel, ui::MessageAnswer::Ok};
  W().Image4.onClick();
  W().Image4.onClick();
  EXPECT_TRUE(Window().Topmost());
  EXPECT_EQ(desktop.links.opened, (std::vector<std::string>{kMakerWebSite}));

  desktop.messages.answers = {ui::MessageAnswer::No};
  W().Image9.onClick();
  EXPECT_TRUE(Window().Topmost());
  EXPECT_EQ(desktop.messages.calls.back().icon, ui::MessageIcon::Information);
  EXPECT_EQ(desktop.links.opened.size(), 1u);
}

}  // namespace
}  // namespace tf
