// Commands on areas, texts, the in-game menu and the disappeared areas.

#include "app/walkthrough/runner.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/cp1252.h"

namespace tf::walkthrough {

ui::QtForm& GameForm(Runner& runner) {
  ui::QtForm* form = runner.FormByWalkthroughName("game");
  if (!form || !form->Visible()) throw ScriptError("the game window is not shown");
  return *form;
}

// What shows area N: its picture box when it is animated.
const ui::Control& AreaControl(Game& game, int index) {
  if (!game.Area.Exists(index)) throw ScriptError("the frame has no area " + std::to_string(index));
  auto gif = game.AniGifIndex.find(index);
  if (gif != game.AniGifIndex.end() && gif->second > 0 && game.AniGifBox.Exists(gif->second))
    return game.AniGifBox[gif->second];
  return game.Area[index];
}

void AddAreaCommands(Runner& runner) {
  runner.AddCommand("click area", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 2, "click area N [left|right|middle]");
    Game& game = RunningGame(runner);
    const ui::Control& control = AreaControl(game, ParseInteger(1, args[0]));
    runner.Click(GameForm(runner), control,
                 args.size() == 2 ? ParseButton(args[1]) : Qt::LeftButton);
  });

  runner.AddCommand("click text", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 2, "click text N [left|right|middle]");
    Game& game = RunningGame(runner);
    int index = ParseInteger(1, args[0]);
    if (!game.Text.Exists(index)) throw ScriptError("the frame has no text " + args[0]);
    runner.Click(GameForm(runner), game.Text[index],
                 args.size() == 2 ? ParseButton(args[1]) : Qt::LeftButton);
  });

  runner.AddCommand("menu", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "menu exit|save");
    if (args[0] != "exit" && args[0] != "save") throw ScriptError("usage: menu exit|save");
    Game& game = RunningGame(runner);
    const ui::MenuEntry& entry = args[0] == "exit" ? game.mnuExit : game.mnuSaveGame;
    if (!entry.Visible()) throw ScriptError("the in-game menu is not open");
    QWidget* button = GameForm(runner).MenuButton(entry.Name());
    if (!button) throw ScriptError("the menu entry '" + entry.Name() + "' is not shown");
    runner.ClickWidget(*button);
  });

  runner.AddCommand("expect area", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "expect area N visible|hidden");
    if (args[1] != "visible" && args[1] != "hidden")
      throw ScriptError("usage: expect area N visible|hidden");
    const ui::Control& control = AreaControl(RunningGame(runner), ParseInteger(1, args[0]));
    bool visible = control.Visible();
    if (visible != (args[1] == "visible"))
      throw ExpectationFailure("area " + args[0] + " " + args[1], visible ? "visible" : "hidden");
  });

  runner.AddCommand("expect texts", [&runner](const std::vector<std::string>& args) {
    Game& game = RunningGame(runner);
    std::vector<std::string> captions;
    for (int index = 1; index <= game.Text.UBound(); ++index)
      if (game.Text.Exists(index))
        captions.push_back(NormaliseMessageText(game.Text[index].Caption()));
    if (captions != args)
      throw ExpectationFailure("texts " + QuotedList(args), QuotedList(captions));
  });

  runner.AddCommand("expect menu", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "expect menu open|closed");
    if (args[0] != "open" && args[0] != "closed")
      throw ScriptError("usage: expect menu open|closed");
    bool open = RunningGame(runner).mnuExit.Visible();
    if (open != (args[0] == "open"))
      throw ExpectationFailure("menu " + args[0], open ? "open" : "closed");
  });

  runner.AddCommand("expect disappear", [&runner](const std::vector<std::string>& args) {
    if (args.size() % 2 != 0) throw ScriptError("usage: expect disappear \"FRAME\" N ...");
    std::vector<std::string> wanted, found;
    for (size_t i = 0; i < args.size(); i += 2)
      wanted.push_back(Quoted(args[i]) + " " + std::to_string(ParseInteger(1, args[i + 1])));
    for (const auto& entry : RunningGame(runner).Disappear)
      found.push_back(Quoted(Cp1252ToUtf8(entry->Name())) + " " + std::to_string(entry->Value()));
    if (wanted != found) throw ExpectationFailure("disappear " + WordList(wanted), WordList(found));
  });
}

}  // namespace tf::walkthrough
