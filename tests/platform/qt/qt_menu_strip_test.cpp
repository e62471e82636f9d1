#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_ui_test_support.h"

namespace tf::ui {
namespace {

class MenuStripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Move(0, 0, 640 * 15, 480 * 15);
    exitEntry.onClick = [this] { ++exitClicks; };
    saveEntry.onClick = [this] { ++saveClicks; };
    exitEntry.SetVisible(false);
    saveEntry.SetVisible(false);
    form.Show();
  }

  QWidget* Strip() { return form.MenuButton("mnuExit")->parentWidget(); }

  void Press(QWidget& widget, QPoint at) {
    QPointF global(widget.mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QApplication::sendEvent(&widget, &release);
  }

  QtForm form{"MenuTest", FormStyle::Borderless};
  MenuEntry& exitEntry = form.CreateMenuEntry("mnuExit", "Exit");
  MenuEntry& saveEntry = form.CreateMenuEntry("mnuSaveGame", "Save game");
  int exitClicks = 0;
  int saveClicks = 0;
};

TEST_F(MenuStripTest, ShowsOnlyWhileAnEntryIsVisible) {
  EXPECT_EQ(form.MenuButton("mnuNothing"), nullptr);
  QWidget* strip = Strip();
  EXPECT_FALSE(strip->isVisible());

  saveEntry.SetVisible(true);
  EXPECT_TRUE(strip->isVisible());
  EXPECT_FALSE(form.MenuButton("mnuExit")->isVisible());
  EXPECT_TRUE(form.MenuButton("mnuSaveGame")->isVisible());
  exitEntry.SetVisible(true);
  EXPECT_TRUE(form.MenuButton("mnuExit")->isVisible());
  saveEntry.SetVisible(false);
  exitEntry.SetVisible(false);
  EXPECT_FALSE(strip->isVisible());

  exitEntry.SetVisible(true);
  form.Destroy(exitEntry);
  EXPECT_EQ(form.MenuButton("mnuExit"), nullptr);
  EXPECT_FALSE(strip->isVisible());
}

TEST_F(MenuStripTest, LiesOverTheTopOfTheWindowWithoutMovingIt) {
  QRect viewportBefore = form.View().viewport()->geometry();
  exitEntry.SetVisible(true);
  saveEntry.SetVisible(true);
  QApplication::processEvents();

  EXPECT_EQ(Strip()->parentWidget(), &form.View());
  EXPECT_EQ(Strip()->geometry(), QRect(0, 0, 640, 22));
  EXPECT_EQ(form.View().viewport()->geometry(), viewportBefore);
  EXPECT_EQ(form.View().childAt(5, 5), form.MenuButton("mnuExit"));
  // Entries in creation order, captions as given.
  auto* exitButton = static_cast<QAbstractButton*>(form.MenuButton("mnuExit"));
  auto* saveButton = static_cast<QAbstractButton*>(form.MenuButton("mnuSaveGame"));
  EXPECT_EQ(exitButton->text(), "Exit");
  EXPECT_EQ(saveButton->text(), "Save game");
  EXPECT_LT(exitButton->geometry().right(), saveButton->geometry().left());

  form.Move(0, 0, 800 * 15, 600 * 15);
  QApplication::processEvents();
  EXPECT_EQ(Strip()->width(), 800);
}

TEST_F(MenuStripTest, ButtonsRunTheirEntryAndTheBarBesideThemNothing) {
  int windowPresses = 0;
  form.onMouseDown = [&](const MouseArgs&) { ++windowPresses; };
  exitEntry.SetVisible(true);
  saveEntry.SetVisible(true);
  QApplication::processEvents();
  static_cast<QAbstractButton*>(form.MenuButton("mnuSaveGame"))->click();
  EXPECT_EQ(saveClicks, 1);
  EXPECT_EQ(exitClicks, 0);
  QWidget& exitButton = *form.MenuButton("mnuExit");
  Press(exitButton, exitButton.rect().center());
  EXPECT_EQ(exitClicks, 1);

  Press(*Strip(), QPoint(600, 10));
  EXPECT_EQ(windowPresses, 0);
  Press(*form.View().viewport(), QPoint(600, 100));
  EXPECT_EQ(windowPresses, 1);
}

TEST_F(MenuStripTest, KeyboardFocusStaysOnTheWindow) {
  int escapes = 0;
  form.onKeyDown = [&](int keyCode, int) { escapes += keyCode == 27; };
  form.SetFocus();
  ASSERT_TRUE(RunEventsUntil([&] { return form.View().hasFocus(); }, 1000));
  exitEntry.SetVisible(true);
  saveEntry.SetVisible(true);
  QWidget& exitButton = *form.MenuButton("mnuExit");
  Press(exitButton, exitButton.rect().center());
  QApplication::processEvents();
  EXPECT_TRUE(form.View().hasFocus());
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(QApplication::focusWidget(), &escape);
  EXPECT_EQ(escapes, 1);
  // Nothing on the strip can take the focus from a real click either.
  EXPECT_EQ(Strip()->focusPolicy(), Qt::NoFocus);
  for (QWidget* widget : Strip()->findChildren<QWidget*>())
    EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus) << widget->metaObject()->className();
}

}  // namespace
}  // namespace tf::ui
