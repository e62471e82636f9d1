// Dragging an inventory object with the mouse in a real window: run it on a
// real display (under xvfb-run with QT_QPA_PLATFORM=xcb) for the pointer grab.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>

#include "frames/new_game.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/memory/recording_message_boxes.h"
#include "platform/qt/qt_desktop.h"
#include "startup/project.h"
#include "state/variables.h"

namespace tf {
namespace {

class InventoryDragWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProjectPaths(player.paths, TF_TEST_PROJECTS "/inventory");
    ReadProjectInformation(player.paths, player.info);
    ResetAll(game);
    StartNewGame(game);
    game.Window().Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form.View()));
  }

  QPoint Centre(const ui::Control& control) { return form.CentreInView(control).value(); }

  QtEventLoop events;
  QtDisplay display;
  QtSettingsStore settings;
  QtWindowFactory windows;
  RecordingMessageBoxes messages;
  QtClock clock;
  Platform platform{windows, messages, events, display, settings, clock};
  Player player{platform, TF_TEST_PROJECTS "/inventory"};
  Game& game = player.LoadGame();
  ui::QtForm& form = static_cast<ui::QtForm&>(game.Window());
  QWidget* viewport = form.View().viewport();
};

TEST_F(InventoryDragWindow, TheKeyDraggedOntoTheDoorOpensIt) {
  QTest::mouseClick(viewport, Qt::LeftButton, {}, Centre(game.Area[1]));
  ASSERT_EQ(game.ObjectsCount(), 1);
  const QPoint from = Centre(game.PickedObject[1]);
  const QPoint to = Centre(game.Area[5]);

  QTest::mousePress(viewport, Qt::LeftButton, {}, from);
  EXPECT_EQ(form.DragSource(), &game.PickedObject[1]);
  // The pointer shows the key's 8 x 8 picture as large as the game screen,
  // scaled to the monitor, shows it, held by its centre.
  const QCursor* pointer = QGuiApplication::overrideCursor();
  ASSERT_NE(pointer, nullptr);
  const QPoint shown = *form.PointInView(game.PickedObject[1], QPoint(8, 8)) -
                       *form.PointInView(game.PickedObject[1], QPoint(0, 0));
  EXPECT_NEAR(pointer->pixmap().width(), shown.x() * form.View().devicePixelRatioF(), 1);
  EXPECT_EQ(pointer->pixmap().height(), pointer->pixmap().width());
  EXPECT_EQ(pointer->hotSpot(),
            QPoint(pointer->pixmap().width() / 2, pointer->pixmap().height() / 2));
  if (QGuiApplication::platformName() == "xcb") {
    EXPECT_EQ(QWidget::mouseGrabber(), viewport);
  }
  QTest::mouseMove(viewport, (from + to) / 2);
  QTest::mouseMove(viewport, to);
  EXPECT_EQ(GetVariableValue(game, "Door"), 0);
  EXPECT_EQ(game.PickedObject[1].Left(), 0);

  QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
  EXPECT_EQ(GetVariableValue(game, "Door"), 1);
  EXPECT_EQ(game.ObjectsCount(), 0);
  EXPECT_EQ(form.DragSource(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_TRUE(messages.calls.empty());
}

TEST_F(InventoryDragWindow, EscEndsTheDragWithoutADrop) {
  QTest::mouseClick(viewport, Qt::LeftButton, {}, Centre(game.Area[1]));
  const QPoint to = Centre(game.Area[5]);
  QTest::mousePress(viewport, Qt::LeftButton, {}, Centre(game.PickedObject[1]));
  QTest::mouseMove(viewport, to);
  QTest::keyClick(&form.View(), Qt::Key_Escape);
  EXPECT_EQ(form.DragSource(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
  EXPECT_EQ(GetVariableValue(game, "Door"), 0);
  ASSERT_EQ(game.ObjectsCount(), 1);
  // The Esc went to the drag alone: the menu stays closed.
  EXPECT_FALSE(game.mnuExit.Visible());
}

}  // namespace
}  // namespace tf
