#include <gtest/gtest.h>

#include <QGraphicsScene>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"
#include "platform/runtime_test_support.h"

namespace tf::ui {
namespace {

class SetContainerTest : public ::testing::Test {
 protected:
  QtContainer& NewBox(const char* name, Container* container, int left, int top) {
    auto& box = static_cast<QtContainer&>(form.CreateContainer(name, container, -1));
    box.Move(left, top, 3000, 3000);
    return box;
  }

  QtForm form{"ContainerTest", FormStyle::Borderless};
};

TEST_F(SetContainerTest, ControlIsDrawnAtItsPlaceInsideTheNewContainer) {
  QtContainer& screen = NewBox("PictureBox", nullptr, 300, 150);
  QtContainer& box = NewBox("AniGifBox", &screen, 1500, 750);
  auto& image = static_cast<QtImage&>(form.CreateImage("Img", &screen, -1));
  image.Move(150, 300, 150, 150);

  image.SetContainer(&box);
  EXPECT_EQ(image.GetContainer(), &box);
  EXPECT_EQ(image.Left(), 150);
  EXPECT_EQ(image.Top(), 300);
  EXPECT_EQ(image.Item().scenePos(), QPointF(20 + 100 + 10, 10 + 50 + 20));
  // It moves and hides with its container from now on.
  box.SetLeft(3000);
  EXPECT_EQ(image.Item().scenePos(), QPointF(20 + 200 + 10, 10 + 50 + 20));
  box.SetVisible(false);
  EXPECT_FALSE(image.Item().isVisible());

  image.SetContainer(nullptr);
  EXPECT_EQ(image.GetContainer(), nullptr);
  EXPECT_EQ(image.Item().scene(), form.View().scene());
  EXPECT_EQ(image.Item().scenePos(), QPointF(10, 20));
  EXPECT_TRUE(image.Item().isVisible());
}

TEST_F(SetContainerTest, ContainerCantHoldItselfOrWhatHoldsIt) {
  QtContainer& outer = NewBox("Outer", nullptr, 0, 0);
  QtContainer& inner = NewBox("Inner", &outer, 150, 150);
  EXPECT_EQ(ErrorOf([&] { outer.SetContainer(&outer); }), kErrInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { outer.SetContainer(&inner); }), kErrInvalidPropertyValue);
  EXPECT_EQ(outer.GetContainer(), nullptr);
  EXPECT_EQ(outer.Item().parentItem(), nullptr);
}

TEST_F(SetContainerTest, DestroyedContainerHandsItsControlsToItsOwnContainer) {
  QtContainer& screen = NewBox("PictureBox", nullptr, 300, 150);
  QtContainer& box = NewBox("AniGifBox", &screen, 1500, 750);
  auto& picture = static_cast<QtAnimatedPicture&>(form.CreateAnimatedPicture("Gif", &screen, 1));
  picture.Move(150, 300, 150, 150);
  picture.SetContainer(&box);

  form.Destroy(box);
  EXPECT_EQ(picture.GetContainer(), &screen);
  EXPECT_EQ(picture.Item().parentItem(), &screen.Item());
  EXPECT_EQ(picture.Item().scenePos(), QPointF(20 + 10, 10 + 20));
  form.Destroy(screen);
  EXPECT_EQ(picture.GetContainer(), nullptr);
  EXPECT_EQ(picture.Item().scene(), form.View().scene());
  form.Destroy(picture);
  EXPECT_EQ(form.FindControl("Gif", 1), nullptr);
}

}  // namespace
}  // namespace tf::ui
