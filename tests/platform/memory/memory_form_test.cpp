#include "platform/memory/memory_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/memory_platform.h"
#include "platform/runtime_test_support.h"
#include "platform/ui/control_array.h"

namespace tf::ui {
namespace {

class MemoryFormTest : public ::testing::Test {
 protected:
  MemoryPlatform desktop;
  std::unique_ptr<Form> owned = desktop.windows.CreateForm("W", FormStyle::Borderless);
  MemoryForm& form = static_cast<MemoryForm&>(*owned);
  Container& screen = form.CreateContainer("Screen", nullptr, -1);
};

TEST_F(MemoryFormTest, ArrayElementsCopyTheTemplateAndStartHiddenOnTop) {
  screen.Move(150, 150, 3000, 3000);
  Label& text = form.CreateLabel("Text", &screen, 0);
  Font font;
  font.bold = true;
  text.SetFont(font);
  text.SetForeColor(255);
  text.SetTransparent(true);
  text.SetCaption("Hello");
  text.Move(300, 450, 600, 300);
  Image& cover = form.CreateImage("Cover", &screen, -1);
  cover.Move(0, 0, 3000, 3000);

  ControlArray<Label> texts(form, text);
  Label& copy = texts.Load(1);
  EXPECT_EQ(copy.Name(), "Text");
  EXPECT_EQ(copy.Index(), 1);
  EXPECT_FALSE(copy.Visible());
  EXPECT_EQ(copy.Caption(), "Hello");
  EXPECT_TRUE(copy.GetFont().bold);
  EXPECT_EQ(copy.ForeColor(), 255u);
  EXPECT_TRUE(static_cast<MemoryLabel&>(copy).Transparent());
  EXPECT_EQ(copy.Left(), 300);
  EXPECT_EQ(copy.Width(), 600);
  copy.SetVisible(true);
  EXPECT_EQ(form.ControlAt(150 + 400, 150 + 500), &copy);
  EXPECT_EQ(ErrorOf([&] { form.CloneControl(form.CreateCheckBox("C", nullptr), 1); }), 481);
}

TEST_F(MemoryFormTest, TheTopmostShownControlTakesTheClick) {
  screen.Move(1500, 1500, 1500, 1500);
  Image& back = form.CreateImage("Back", &screen, -1);
  back.Move(0, 0, 1500, 1500);
  Image& front = form.CreateImage("Front", &screen, -1);
  front.Move(300, 300, 300, 300);
  Image& outside = form.CreateImage("Outside", &screen, -1);
  outside.Move(1400, 0, 300, 300);  // sticks out of the screen

  EXPECT_EQ(form.ControlAt(1500 + 400, 1500 + 400), &front);
  back.BringToFront();
  EXPECT_EQ(form.ControlAt(1500 + 400, 1500 + 400), &back);
  back.SetVisible(false);
  EXPECT_EQ(form.ControlAt(1500 + 400, 1500 + 400), &front);
  EXPECT_EQ(form.ControlAt(1500 + 1000, 1500 + 1000), &screen);
  EXPECT_EQ(form.ControlAt(1500 + 1450, 1500 + 100), &outside);
  EXPECT_EQ(form.ControlAt(1500 + 1600, 1500 + 100), nullptr);
  screen.SetVisible(false);
  EXPECT_EQ(form.ControlAt(1500 + 400, 1500 + 400), nullptr);

  std::vector<std::string> seen;
  form.onMouseDown = [&](const MouseArgs& args) {
    seen.push_back("window " + std::to_string(args.x) + "," + std::to_string(args.y));
  };
  front.onMouseDown = [&](const MouseArgs& args) {
    seen.push_back("down " + std::to_string(args.x) + "," + std::to_string(args.y));
  };
  front.onClick = [&] { seen.push_back("click"); };
  form.ClickAt(1500 + 400, 1500 + 400);
  screen.SetVisible(true);
  form.ClickAt(1500 + 400, 1500 + 450, kRightButton);
  form.ClickAt(1500 + 400, 1500 + 450);
  EXPECT_EQ(seen, (std::vector<std::string>{"window 1900,1900", "down 100,150", "down 100,150",
                                            "click"}));
}

// Images and labels are drawn on their container's surface: every other
// control beside them lies above them, whichever came to the front last.
TEST_F(MemoryFormTest, WindowedControlsLieAboveTheImagesAndLabelsBesideThem) {
  screen.Move(0, 0, 1500, 1500);
  Image& picture = form.CreateImage("Picture", nullptr, -1);
  picture.Move(150, 150, 300, 300);
  Label& caption = form.CreateLabel("Caption", nullptr, -1);
  caption.Move(150, 600, 300, 300);
  picture.BringToFront();
  EXPECT_EQ(form.ControlAt(200, 200), &screen);
  EXPECT_EQ(form.ControlAt(200, 650), &screen);
  screen.SetVisible(false);
  EXPECT_EQ(form.ControlAt(200, 200), &picture);
  EXPECT_EQ(form.ControlAt(200, 650), &caption);
  screen.SetVisible(true);
  CheckBox& box = form.CreateCheckBox("Box", nullptr);
  box.Move(150, 150, 300, 300);
  EXPECT_EQ(form.ControlAt(200, 200), &box);
  screen.BringToFront();
  EXPECT_EQ(form.ControlAt(200, 200), &screen);
}

TEST_F(MemoryFormTest, AControlDestroyedByItsOwnHandlerLivesUntilTheEventIsOver) {
  ControlArray<Image> areas(form, form.CreateImage("Area", &screen, 0));
  screen.Move(0, 0, 1500, 1500);
  Image& area = areas.Load(1);
  area.Move(0, 0, 300, 300);
  area.SetVisible(true);
  std::string nameAfterUnload;
  area.onMouseDown = [&](const MouseArgs&) {
    areas.Unload(1);
    nameAfterUnload = area.Name();
  };
  form.ClickAt(100, 100);
  EXPECT_EQ(nameAfterUnload, "Area");
  EXPECT_EQ(form.FindControl("Area", 1), nullptr);
  EXPECT_EQ(form.ControlAt(100, 100), &screen);
}

TEST_F(MemoryFormTest, DestroyingAContainerHandsWhatItHeldToItsOwnContainer) {
  Container& inner = form.CreateContainer("Inner", &screen, -1);
  Image& picture = form.CreateImage("Picture", &inner, -1);
  screen.Move(1500, 0, 3000, 3000);
  inner.Move(150, 0, 1500, 1500);
  picture.Move(30, 0, 300, 300);
  EXPECT_EQ(ErrorOf([&] { screen.SetContainer(&inner); }), 380);
  form.Destroy(inner);
  EXPECT_EQ(static_cast<MemoryImage&>(picture).GetContainer(), &screen);
  EXPECT_EQ(form.WindowPosition(picture), (std::pair<int, int>{1530, 0}));
}

TEST_F(MemoryFormTest, ClosingAsksTheWindowAndEndingHidesEveryWindow) {
  int activations = 0;
  form.onActivate = [&] { ++activations; };
  bool keepOpen = true;
  form.onUnload = [&](bool& cancel) { cancel = keepOpen; };
  form.Show();
  form.Show();
  EXPECT_EQ(activations, 1);
  form.Close();
  EXPECT_TRUE(form.Visible());
  keepOpen = false;
  form.Close();
  EXPECT_FALSE(form.Visible());
  form.Show();
  desktop.events.EndProgram();
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(desktop.events.Ended());
}

}  // namespace
}  // namespace tf::ui
