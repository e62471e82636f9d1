#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_form.h"

namespace tf::ui {
namespace {

// A game window covering the monitor with a 640 x 480 virtual screen.
class ScreenWindowTest : public ::testing::Test {
 protected:
  ScreenWindowTest() {
    form.Move(0, 0, monitor.width() * 15, monitor.height() * 15);
    form.SetFullScreen(true);
    form.SetVirtualScreen(QSize(640, 480));
    screen.SetBackColor(Rgb(0, 255, 0));
    screen.Move(0, 0, 640 * 15, 480 * 15);
    image.SetStretch(true);
    image.Move(0, 0, 640 * 15, 480 * 15);
    image.onMouseDown = [this](const MouseArgs& args) { pressed = args; };
    form.Show();
  }

  // Presses where the walkthrough would for that game pixel.
  MouseArgs PressAt(int x, int y) {
    const QPoint inView = *form.PointInView(image, QPoint(x, y));
    QMouseEvent press(QEvent::MouseButtonPress, inView, form.View().viewport()->mapToGlobal(inView),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.View().viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, inView,
                        form.View().viewport()->mapToGlobal(inView), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(form.View().viewport(), &release);
    return pressed;
  }

  const QSize monitor = QGuiApplication::primaryScreen()->geometry().size();
  QtForm form{"Game", FormStyle::Borderless};
  Container& screen = form.CreateContainer("PictureBox", nullptr, -1);
  Image& image = form.CreateImage("Area", &screen, -1);
  MouseArgs pressed;
};

TEST_F(ScreenWindowTest, EveryGamePixelIsPressedWhereItIsSent) {
  for (Scaling scaling : {Scaling::SmoothFit, Scaling::SharpInteger}) {
    form.SetScaling(scaling);
    for (int x = 0; x < 640; ++x) {
      const int y = x * 479 / 639;
      MouseArgs args = PressAt(x, y);
      ASSERT_EQ(args.x, x * 15) << "x " << x;
      ASSERT_EQ(args.y, y * 15) << "y " << y;
    }
  }
  // The game still sees the window it placed, not the monitor.
  EXPECT_EQ(form.Width(), monitor.width() * 15);
  EXPECT_EQ(form.ScaleHeight(), monitor.height() * 15);
}

TEST_F(ScreenWindowTest, TheScreenFillsTheMonitorWithBlackBarsOrSitsInItByWholeMultiples) {
  EXPECT_EQ(form.View().geometry(), QGuiApplication::primaryScreen()->geometry());
  const double scale = std::min(monitor.width() / 640.0, monitor.height() / 480.0);
  const QPoint origin((monitor.width() - qRound(640 * scale)) / 2,
                      (monitor.height() - qRound(480 * scale)) / 2);
  EXPECT_EQ(form.PointInView(image, QPoint(0, 0)), origin);
  const QImage shown = form.Grab();
  const QPoint middle(monitor.width() / 2, monitor.height() / 2);
  EXPECT_EQ(shown.pixelColor(middle), QColor(0, 255, 0));
  // The bars lie where the screen's aspect leaves room.
  const QPoint bar =
      origin.x() > 0 ? QPoint(origin.x() - 1, middle.y()) : QPoint(middle.x(), origin.y() - 1);
  EXPECT_EQ(shown.pixelColor(bar), QColor(0, 0, 0));
  EXPECT_EQ(shown.pixelColor(origin), QColor(0, 255, 0));

  form.SetScaling(Scaling::SharpInteger);
  const int times = std::max(1, static_cast<int>(scale));
  EXPECT_EQ(form.PointInView(image, QPoint(0, 0)),
            QPoint((monitor.width() - 640 * times) / 2, (monitor.height() - 480 * times) / 2));
}

TEST_F(ScreenWindowTest, WindowedTheScreenGetsAWindowOfItsOwnOnTheMonitor) {
  // Taking and dropping the title bar never hides the window for the game.
  int visibilityChanges = 0;
  form.onVisibilityChanged = [&](bool) { ++visibilityChanges; };
  form.SetFullScreen(false);
  EXPECT_FALSE(form.View().isFullScreen());
  EXPECT_FALSE(form.View().windowFlags().testFlag(Qt::FramelessWindowHint));
  const QSize size = form.View().size();
  EXPECT_EQ(size.width() * 480, size.height() * 640);
  EXPECT_LT(size.width(), monitor.width());
  EXPECT_EQ(form.View().geometry().center(),
            QGuiApplication::primaryScreen()->availableGeometry().center());
  EXPECT_EQ(PressAt(639, 479).x, 639 * 15);
  form.SetFullScreen(true);
  EXPECT_TRUE(form.View().windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(visibilityChanges, 0);
  form.SetVirtualScreen(std::nullopt);
  EXPECT_EQ(form.ShownRect(), QRect(0, 0, monitor.width(), monitor.height()));
}

TEST_F(ScreenWindowTest, AWindowCentredOnTheVirtualScreenIsCentredOnTheMonitor) {
  QtForm dialog("Dialog", FormStyle::Bordered);
  dialog.SetVirtualScreen(QSize(640, 480));
  dialog.Move(184 * 15, 111 * 15, 272 * 15, 257 * 15);
  const QPoint offCentre = dialog.View().frameGeometry().center() - form.View().geometry().center();
  EXPECT_LE(offCentre.manhattanLength(), 1) << offCentre.x() << "," << offCentre.y();
  // The game reads back the place it gave.
  EXPECT_EQ(dialog.Left(), 184 * 15);
  EXPECT_EQ(dialog.Top(), 111 * 15);
  dialog.Move(dialog.Left(), dialog.Top(), dialog.Width(), dialog.Height());
  EXPECT_EQ(dialog.Top(), 111 * 15);
}

// Without a virtual screen the window shows its game screen, wherever the
// game centred it, scaled as a virtual screen is; in a window, at its own
// size at least while the monitor holds that. The game still sees the window
// it placed.
TEST(ScreenControlTest, WithoutAVirtualScreenTheGameScreenFillsTheMonitor) {
  const QSize monitor = QGuiApplication::primaryScreen()->geometry().size();
  const QSize game(monitor.width() * 7 / 8, monitor.height() * 14 / 15);
  QtForm form{"Game", FormStyle::Borderless};
  form.SetBackColor(Rgb(0, 0, 0));
  Container& screen = form.CreateContainer("PictureBox", nullptr, -1);
  screen.SetBackColor(Rgb(0, 255, 0));
  form.SetScreenControl(screen);
  form.Move(0, 0, monitor.width() * 15, monitor.height() * 15);
  form.SetFullScreen(true);
  screen.Move((monitor.width() - game.width()) / 2 * 15,
              (monitor.height() - game.height()) / 2 * 15, game.width() * 15, game.height() * 15);
  form.Show();

  // Wider than the game: bars beside it, none above or below.
  const QImage shown = form.Grab();
  const int middle = monitor.width() / 2;
  EXPECT_EQ(shown.pixelColor(middle, 1), QColor(0, 255, 0));
  EXPECT_EQ(shown.pixelColor(middle, monitor.height() - 2), QColor(0, 255, 0));
  EXPECT_EQ(shown.pixelColor(0, monitor.height() / 2), QColor(0, 0, 0));
  EXPECT_EQ(form.Width(), monitor.width() * 15);

  form.SetFullScreen(false);
  EXPECT_EQ(form.View().size(), game);
  EXPECT_EQ(form.Width(), monitor.width() * 15);
}

TEST(QtDisplayTest, AVirtualModeIsHadUpToTheMonitorsSize) {
  QtDisplay display;
  const QSize monitor = QGuiApplication::primaryScreen()->geometry().size();
  int changes = 0;
  display.onModeChanged = [&] { ++changes; };
  const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
  EXPECT_EQ(display.ChangeMode(qRound(monitor.width() * ratio) + 1, 480), Display::kModeRefused);
  EXPECT_EQ(display.ChangeMode(640, 0), Display::kModeRefused);
  EXPECT_EQ(display.ChangeMode(640, 480), Display::kModeChanged);
  EXPECT_EQ(display.ScreenWidth(), 640);
  EXPECT_EQ(display.ScreenHeight(), 480);
  EXPECT_EQ(display.ChangeMode(monitor.width(), monitor.height()), Display::kModeChanged);
  EXPECT_FALSE(display.VirtualScreen());
  EXPECT_EQ(display.ScreenWidth(), monitor.width());
  EXPECT_EQ(changes, 2);
}

// Run again on a desktop scaled twice with large fonts set.
TEST(QtFontCheckTest, StandardTextIsSmallAtAnyDesktopScale) {
  QtDisplay display;
  ASSERT_TRUE(display.SystemFontHeight());
  EXPECT_GT(*display.SystemFontHeight(), 8);
  EXPECT_LE(*display.SystemFontHeight(), 16);
}

}  // namespace
}  // namespace tf::ui
