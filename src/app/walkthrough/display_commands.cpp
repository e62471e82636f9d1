// Commands on the display: the real screen's pixels, the game window's
// fullscreen state, and dragging the welcome window.

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <memory>

#include "app/walkthrough/runner.h"
#include "platform/ui/twips.h"

namespace tf::walkthrough {

namespace {
QColor ParseColour(const std::string& word) {
  QColor colour(QString::fromStdString(word));
  if (word.size() != 7 || word[0] != '#' || !colour.isValid())
    throw ScriptError("'" + word + "' is not a colour #RRGGBB");
  return colour;
}

ui::QtForm& ShownForm(Runner& runner, const std::string& name) {
  runner.RequireRunningProgram();
  ui::QtForm* form = runner.FormByWalkthroughName(name);
  if (!form || !form->Visible()) throw ScriptError("the " + name + " window is not shown");
  return *form;
}

void PostMouse(QWidget& target, QEvent::Type type, QPointF local, QPointF global,
               Qt::MouseButtons buttons) {
  QCoreApplication::postEvent(&target, new QMouseEvent(type, local, global, Qt::LeftButton,
                                                       buttons, Qt::NoModifier));
}
}  // namespace

void AddDisplayCommands(Runner& runner) {
  // expect screen-pixel X Y #RRGGBB: the monitor's pixel, as the user sees it.
  runner.AddCommand("expect screen-pixel", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 3, 3, "expect screen-pixel X Y #RRGGBB");
    runner.RequireRunningProgram();
    const int x = ParseInteger(0, args[0]);
    const int y = ParseInteger(0, args[1]);
    const QColor wanted = ParseColour(args[2]);
    QScreen* screen = QGuiApplication::primaryScreen();
    QImage whole = screen ? screen->grabWindow(0).toImage() : QImage();
    if (!whole.rect().contains(x, y))
      throw ScriptError("pixel " + args[0] + " " + args[1] + " can't be read from the screen");
    const QColor found = whole.pixelColor(x, y);
    if (found.rgb() != wanted.rgb())
      throw ExpectationFailure("screen pixel " + args[0] + " " + args[1] + " " + args[2],
                               found.name().toUpper().toStdString());
  });

  // expect game fullscreen|windowed: fullscreen covers the whole monitor.
  runner.AddCommand("expect game", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "expect game fullscreen|windowed");
    if (args[0] != "fullscreen" && args[0] != "windowed")
      throw ScriptError("usage: expect game fullscreen|windowed");
    ui::QtForm& form = ShownForm(runner, "game");
    QWidget& view = form.View();
    const bool covers = view.screen() && view.geometry() == view.screen()->geometry();
    const bool fullScreen = form.FullScreen() && covers;
    if (fullScreen != (args[0] == "fullscreen"))
      throw ExpectationFailure("game " + args[0], fullScreen ? "fullscreen" : "windowed");
  });

  // welcome drag NAME DX DY: press the left button on a control, move the
  // mouse by DX, DY pixels and release; expect welcome-moved DX DY then
  // compares the window's position with the one before the drag.
  auto before = std::make_shared<QPoint>();
  runner.AddCommand("welcome drag", [&runner, before](const std::vector<std::string>& args) {
    RequireArgs(args, 3, 3, "welcome drag NAME DX DY");
    ui::QtForm& form = ShownForm(runner, "welcome");
    const ui::Control* control = form.FindControl(args[0], -1);
    if (!control) throw ScriptError("the welcome window has no control '" + args[0] + "'");
    std::optional<QPoint> start = form.CentreInView(*control);
    if (!start) throw ScriptError("'" + args[0] + "' is not shown, so it can't be dragged");
    const QPoint shift(ParseInteger(-100000, args[1]), ParseInteger(-100000, args[2]));
    QWidget& viewport = *form.View().viewport();
    const QPointF global = viewport.mapToGlobal(*start);
    *before = form.View().frameGeometry().topLeft();
    PostMouse(viewport, QEvent::MouseButtonPress, *start, global, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step) {
      const QPointF offset = QPointF(shift) * step / 4.0;
      PostMouse(viewport, QEvent::MouseMove, *start + offset, global + offset, Qt::LeftButton);
    }
    PostMouse(viewport, QEvent::MouseButtonRelease, *start + shift, global + shift, Qt::NoButton);
  });

  runner.AddCommand("expect welcome-moved", [&runner, before](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "expect welcome-moved DX DY");
    ui::QtForm& form = ShownForm(runner, "welcome");
    const QPoint moved = form.View().frameGeometry().topLeft() - *before;
    const QPoint wanted(ParseInteger(-100000, args[0]), ParseInteger(-100000, args[1]));
    if (moved != wanted)
      throw ExpectationFailure(
          "welcome-moved " + args[0] + " " + args[1],
          "moved " + std::to_string(moved.x()) + " " + std::to_string(moved.y()));
  });
}

}  // namespace tf::walkthrough
