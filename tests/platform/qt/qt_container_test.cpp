#include <gtest/gtest.h>

#include <QGraphicsScene>
#include <QImage>
#include <QScreen>

#include "platform/qt/picture_store.h"
#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_ui_test_support.h"
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

// A container is a window of its own: it lies above the images and labels
// beside it, whichever was made or brought to the front last.
TEST_F(SetContainerTest, ContainerLiesAboveTheImagesAndLabelsBesideIt) {
  QtContainer& panel = NewBox("Picture1", nullptr, 0, 0);
  auto& picture = static_cast<QtImage&>(form.CreateImage("Img", nullptr, 0));
  picture.Move(150, 150, 600, 600);
  auto& label = static_cast<QtLabel&>(form.CreateLabel("Label", nullptr, -1));
  label.Move(150, 150, 600, 600);
  picture.BringToFront();
  const auto topAt = [&] { return form.View().scene()->itemAt(QPointF(20, 20), QTransform()); };
  EXPECT_EQ(topAt(), &panel.Item());
  panel.SetVisible(false);
  EXPECT_EQ(topAt(), &picture.Item());
  label.BringToFront();
  EXPECT_EQ(topAt(), &label.Item());
  panel.SetVisible(true);
  QtContainer& later = NewBox("Later", nullptr, 0, 0);
  EXPECT_EQ(topAt(), &later.Item());
  panel.BringToFront();
  EXPECT_EQ(topAt(), &panel.Item());
}

// A picture covering a surface spares filling it beneath; whatever stops
// covering it, its colour (or the window's) shows again at once, never the
// picture painted before.
TEST(ContainerPaintTest, ColourShowsWhereverThePictureStopsCovering) {
  TempFolder folder;
  QImage opaque(40, 30, QImage::Format_RGB32);
  opaque.fill(Qt::red);
  opaque.save(QString::fromStdString((folder.Path() / "red.bmp").string()));
  QImage clear(40, 30, QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  clear.save(QString::fromStdString((folder.Path() / "clear.png").string()));
  PictureStore::Shared().Clear();

  QtForm form{"PaintTest", FormStyle::Borderless};
  form.Move(0, 0, 100 * 15, 80 * 15);
  form.SetBackColor(0x00FF00);  // green
  auto& box = static_cast<QtContainer&>(form.CreateContainer("PictureBox", nullptr, -1));
  box.Move(150, 150, 40 * 15, 30 * 15);
  box.SetBackColor(0xFF0000);  // blue
  auto& image = static_cast<QtImage&>(form.CreateImage("BackImage", &box, -1));
  image.SetStretch(true);
  image.Move(0, 0, 40 * 15, 30 * 15);
  image.LoadPicture(folder.Stored("red.bmp"));
  form.Show();
  const auto shown = [&](QPoint pixel) {
    RunEventsFor(30);
    QWidget& view = form.View();
    return view.screen()->grabWindow(view.winId()).toImage().pixel(pixel);
  };
  const QPoint inBox(10 + 20, 10 + 15);
  ASSERT_EQ(shown(inBox), qRgb(255, 0, 0));

  image.Move(0, 0, 20 * 15, 30 * 15);  // covers half the box
  EXPECT_EQ(shown(inBox + QPoint(15, 0)), qRgb(0, 0, 255));
  image.Move(0, 0, 40 * 15, 30 * 15);
  ASSERT_EQ(shown(inBox), qRgb(255, 0, 0));
  image.LoadPicture(folder.Stored("clear.png"));
  EXPECT_EQ(shown(inBox), qRgb(0, 0, 255));
  image.LoadPicture(folder.Stored("red.bmp"));
  ASSERT_EQ(shown(inBox), qRgb(255, 0, 0));
  image.ClearPicture();
  EXPECT_EQ(shown(inBox), qRgb(0, 0, 255));
  image.LoadPicture(folder.Stored("red.bmp"));
  ASSERT_EQ(shown(inBox), qRgb(255, 0, 0));
  box.SetVisible(false);
  EXPECT_EQ(shown(inBox), qRgb(0, 255, 0));
}

}  // namespace
}  // namespace tf::ui
