// Commands on the inventory: pressing and dragging its objects, and what it
// holds.

#include <QCoreApplication>
#include <QMouseEvent>

#include "app/walkthrough/runner.h"
#include "game/game_window.h"
#include "platform/runtime/cp1252.h"

namespace tf::walkthrough {

namespace {
constexpr int kDragSteps = 4;

const ui::Control& ObjectControl(Game& game, int index) {
  if (index > game.ObjectsCount() || !game.PickedObject.Exists(index))
    throw ScriptError("the inventory has no object " + std::to_string(index));
  return game.PickedObject[index];
}

QPoint CentreOf(ui::QtForm& form, const ui::Control& control) {
  std::optional<QPoint> point = form.CentreInView(control);
  if (!point) throw ScriptError("'" + control.Name() + "' is not shown");
  return *point;
}

// Where a drag ends: "area M", "object M" or "at X Y" (a pixel of the game
// screen).
QPoint DropPoint(Runner& runner, Game& game, const std::vector<std::string>& target) {
  ui::QtForm& form = GameForm(runner);
  if (target.size() == 2 && target[0] == "area")
    return CentreOf(form, AreaControl(game, ParseInteger(1, target[1])));
  if (target.size() == 2 && target[0] == "object")
    return CentreOf(form, ObjectControl(game, ParseInteger(1, target[1])));
  if (target.size() == 3 && target[0] == "at") {
    std::optional<QPoint> point = form.PointInView(
        game.PictureBox, QPoint(ParseInteger(0, target[1]), ParseInteger(0, target[2])));
    if (!point) throw ScriptError("the game screen is not shown");
    return *point;
  }
  throw ScriptError("usage: drag object N to area M | to object M | to at X Y");
}

// The event is made when its turn comes: events made together would share
// one pointer state, and the press would take the release's position.
void PostMouse(QWidget* viewport, QEvent::Type type, QPoint point, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QMetaObject::invokeMethod(
      viewport,
      [=] {
        QMouseEvent event(type, QPointF(point), QPointF(viewport->mapToGlobal(point)), button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
      },
      Qt::QueuedConnection);
}

// A left press, the pointer moving there with the button held, a release.
void DragBetween(Runner& runner, ui::QtForm& form, QPoint from, QPoint to) {
  runner.RequireRunningProgram();
  QWidget* viewport = form.View().viewport();
  PostMouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  for (int step = 1; step <= kDragSteps; ++step)
    PostMouse(viewport, QEvent::MouseMove, from + (to - from) * step / kDragSteps, Qt::NoButton,
              Qt::LeftButton);
  PostMouse(viewport, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}
}  // namespace

void AddInventoryCommands(Runner& runner) {
  runner.AddCommand("click object", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 2, "click object N [left|right|middle]");
    Game& game = RunningGame(runner);
    runner.Click(GameForm(runner), ObjectControl(game, ParseInteger(1, args[0])),
                 args.size() == 2 ? ParseButton(args[1]) : Qt::LeftButton);
  });

  runner.AddCommand("drag object", [&runner](const std::vector<std::string>& args) {
    if (args.size() < 3 || args[1] != "to")
      throw ScriptError("usage: drag object N to area M | to object M | to at X Y");
    Game& game = RunningGame(runner);
    ui::QtForm& form = GameForm(runner);
    const QPoint from = CentreOf(form, ObjectControl(game, ParseInteger(1, args[0])));
    const QPoint to = DropPoint(runner, game, {args.begin() + 2, args.end()});
    DragBetween(runner, form, from, to);
  });

  runner.AddCommand("expect inventory", [&runner](const std::vector<std::string>& args) {
    Game& game = RunningGame(runner);
    std::vector<std::string> names;
    for (int index = 1; index <= game.ObjectsCount(); ++index)
      names.push_back(game.PickedObject.Exists(index)
                          ? Cp1252ToUtf8(game.PickedObject[index].Tag())
                          : "(no element " + std::to_string(index) + ")");
    if (names != args) throw ExpectationFailure("inventory " + QuotedList(args), QuotedList(names));
  });
}

}  // namespace tf::walkthrough
