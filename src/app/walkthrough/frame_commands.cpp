// Commands on frames, variables and the game screen.

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWindow>

#include "app/walkthrough/runner.h"
#include "frames/editor_and_game.h"
#include "game/game_window.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/path_resolver.h"
#include "platform/ui/twips.h"
#include "state/variables.h"

namespace tf::walkthrough {

namespace {
// The game screen as the player sees it: read back from the display when
// there is one, otherwise rendered offscreen.
QImage GameScreen(ui::QtForm& form, const Game& game) {
  // A scaled screen is read as drawn at 1:1.
  if (QGuiApplication::platformName() == "offscreen" || !form.View().transform().isIdentity())
    return form.RenderControl(game.PictureBox);
  std::optional<QPoint> origin = form.PointInView(game.PictureBox, QPoint(0, 0));
  QWindow* window = form.View().windowHandle();
  if (!origin || !window || !window->screen()) return {};
  QImage whole = window->screen()->grabWindow(form.View().winId()).toImage();
  return whole.copy(QRect(*origin, QSize(game.PictureBox.Width() / ui::kTwipsPerPixel,
                                         game.PictureBox.Height() / ui::kTwipsPerPixel)));
}

}  // namespace

void AddFrameCommands(Runner& runner) {
  runner.AddCommand("click at", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 3, "click at X Y [left|right|middle]");
    Game& game = RunningGame(runner);
    QPoint point(ParseInteger(0, args[0]), ParseInteger(0, args[1]));
    auto* form = runner.FormByWalkthroughName("game");
    if (!form || !form->Visible()) throw ScriptError("the game window is not shown");
    std::optional<QPoint> inView = form->PointInView(game.PictureBox, point);
    if (!inView) throw ScriptError("the game screen is not shown");
    runner.ClickAt(*form, *inView, args.size() == 3 ? ParseButton(args[2]) : Qt::LeftButton);
  });

  runner.AddCommand("expect frame", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "expect frame \"NAME\"");
    std::string current = Cp1252ToUtf8(runner.GetSession().player.frames.CurrentFrameName);
    if (current != args[0]) throw ExpectationFailure("frame " + Quoted(args[0]), Quoted(current));
  });

  runner.AddCommand("expect var", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "expect var \"NAME\" VALUE");
    int wanted = ParseInteger(-32768, args[1]);
    int value = GetVariableValue(RunningGame(runner), args[0]);
    if (value != wanted)
      throw ExpectationFailure("var " + Quoted(args[0]) + " " + args[1], std::to_string(value));
  });

  runner.AddCommand("expect history", [&runner](const std::vector<std::string>& args) {
    const FrameHistory& history = RunningGame(runner).FramesHistory;
    std::vector<std::string> entries;
    for (int i = 0; i < history.ListCount(); ++i) entries.push_back(Cp1252ToUtf8(history.List(i)));
    if (entries != args)
      throw ExpectationFailure("history " + QuotedList(args), QuotedList(entries));
  });

  runner.AddCommand("expect pixel", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 3, 3, "expect pixel X Y #RRGGBB");
    Game& game = RunningGame(runner);
    int x = ParseInteger(0, args[0]);
    int y = ParseInteger(0, args[1]);
    QColor wanted(QString::fromStdString(args[2]));
    if (args[2].size() != 7 || args[2][0] != '#' || !wanted.isValid())
      throw ScriptError("'" + args[2] + "' is not a colour #RRGGBB");
    auto* form = runner.FormByWalkthroughName("game");
    if (!form || !form->Visible()) throw ScriptError("the game window is not shown");
    QImage screen = GameScreen(*form, game);
    if (!screen.rect().contains(x, y))
      throw ScriptError("pixel " + args[0] + " " + args[1] + " lies outside the game screen");
    QColor found = screen.pixelColor(x, y);
    if (found.rgb() != wanted.rgb())
      throw ExpectationFailure("pixel " + args[0] + " " + args[1] + " " + args[2],
                               found.name().toUpper().toStdString());
  });
}

}  // namespace tf::walkthrough
