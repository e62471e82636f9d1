// Commands on the display: the real screen's pixels, the game window's
// fullscreen state, and dragging the welcome window.

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
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

// Delivers a mouse event at a point of the screen, as the window system
// would: the position in the viewport is taken where the window is now.
void SendMouse(QWidget& viewport, QEvent::Type type, QPointF global, Qt::MouseButtons buttons) {
  QMouseEvent event(type, viewport.mapFromGlobal(global), global, Qt::LeftButton, buttons,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&viewport, &event);
  QCoreApplication::processEvents();
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

  // expect welcome-pixel X Y #RRGGBB: the welcome window's pixel, from its
  // top-left corner.
  runner.AddCommand("expect welcome-pixel", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 3, 3, "expect welcome-pixel X Y #RRGGBB");
    const int x = ParseInteger(0, args[0]);
    const int y = ParseInteger(0, args[1]);
    const QColor wanted = ParseColour(args[2]);
    ui::QtForm& form = ShownForm(runner, "welcome");
    // Read back from the display where there is one.
    QWindow* handle = form.View().windowHandle();
    const QImage window = QGuiApplication::platformName() == "offscreen" || !handle
                              ? form.Grab()
                              : handle->screen()->grabWindow(form.View().winId()).toImage();
    if (!window.rect().contains(x, y))
      throw ScriptError("pixel " + args[0] + " " + args[1] + " lies outside the welcome window");
    const QColor found = window.pixelColor(x, y);
    if (found.rgb() != wanted.rgb())
      throw ExpectationFailure("welcome-pixel " + args[0] + " " + args[1] + " " + args[2],
                               found.name().toUpper().toStdString());
  });

  // expect welcome-text NAME #RRGGBB: the label's text is drawn in that
  // colour (some pixel of it has it exactly).
  runner.AddCommand("expect welcome-text", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "expect welcome-text NAME #RRGGBB");
    const QColor wanted = ParseColour(args[1]);
    ui::QtForm& form = ShownForm(runner, "welcome");
    const ui::Control* label = form.FindControl(args[0], -1);
    if (!label || !label->Visible())
      throw ScriptError("the welcome window shows no control '" + args[0] + "'");
    const QImage drawn = form.RenderControl(*label);
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x)
        if (drawn.pixelColor(x, y).rgb() == wanted.rgb()) return;
    throw ExpectationFailure("welcome-text " + args[0] + " " + args[1], "no pixel of that colour");
  });

  // expect welcome-image N visible|hidden: element N of Img.
  runner.AddCommand("expect welcome-image", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "expect welcome-image N visible|hidden");
    if (args[1] != "visible" && args[1] != "hidden")
      throw ScriptError("usage: expect welcome-image N visible|hidden");
    const ui::Control* image =
        ShownForm(runner, "welcome").FindControl("Img", ParseInteger(0, args[0]));
    if (!image) throw ScriptError("the welcome window has no image " + args[0]);
    if (image->Visible() != (args[1] == "visible"))
      throw ExpectationFailure("welcome-image " + args[0] + " " + args[1],
                               image->Visible() ? "visible" : "hidden");
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
    const QPointF global = viewport.mapToGlobal(QPointF(*start));
    *before = form.View().frameGeometry().topLeft();
    SendMouse(viewport, QEvent::MouseButtonPress, global, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
      SendMouse(viewport, QEvent::MouseMove, global + QPointF(shift) * step / 4.0, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseButtonRelease, global + QPointF(shift), Qt::NoButton);
  });

  runner.AddCommand(
      "expect welcome-moved", [&runner, before](const std::vector<std::string>& args) {
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
