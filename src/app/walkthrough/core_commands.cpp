// Commands that every walkthrough has: answers, waiting, keys, screenshots,
// and the expectations on messages, windows and settings.

#include <QImage>
#include <filesystem>

#include "app/walkthrough/runner.h"
#include "platform/runtime/case_fold.h"

namespace tf::walkthrough {

namespace {
double ParseSeconds(const std::string& word) {
  try {
    size_t used = 0;
    double seconds = std::stod(word, &used);
    if (used == word.size() && seconds >= 0) return seconds;
  } catch (const std::exception&) {
  }
  throw ScriptError("'" + word + "' is not a number of seconds");
}

std::pair<int, QString> ParseKey(const std::string& name) {
  if (name == "esc") return {Qt::Key_Escape, "\x1b"};
  if (name == "enter") return {Qt::Key_Return, "\r"};
  if (name == "f11") return {Qt::Key_F11, ""};
  if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
    return {Qt::Key_A + (FoldCase(name[0]) - 'a'), QString(QChar(name[0]))};
  }
  throw ScriptError("unknown key '" + name + "' (esc, enter, f11 or a letter)");
}

}  // namespace

void AddCoreCommands(Runner& runner) {
  Session& session = runner.GetSession();

  runner.AddCommand("answer", [&session](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "answer ok|cancel|yes|no");
    static const std::map<std::string, ui::MessageAnswer> kAnswers = {
        {"ok", ui::MessageAnswer::Ok},
        {"cancel", ui::MessageAnswer::Cancel},
        {"yes", ui::MessageAnswer::Yes},
        {"no", ui::MessageAnswer::No}};
    auto it = kAnswers.find(args[0]);
    if (it == kAnswers.end()) throw ScriptError("unknown answer '" + args[0] + "'");
    session.messages.QueueAnswer(it->second);
  });

  runner.AddCommand("wait", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "wait SECONDS");
    runner.DelayNextCommand(ParseSeconds(args[0]));
  });

  runner.AddCommand("key", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "key esc|enter|LETTER");
    auto [key, text] = ParseKey(args[0]);
    runner.PressKey(runner.ActiveForm(), key, text);
  });

  runner.AddCommand("screenshot", [&runner, &session](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "screenshot FILE");
    runner.RequireRunningProgram();
    std::filesystem::path file(args[0]);
    if (file.is_relative()) file = std::filesystem::path(session.scriptFolder) / file;
    if (!runner.ActiveForm().Grab().save(QString::fromStdString(file.string()), "PNG"))
      throw ScriptError("can't write the screenshot " + file.string());
  });

  runner.AddCommand("expect message", [&session](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "expect message \"TITLE\" \"TEXT\"");
    std::string title = UnescapeLineBreaks(args[0]);
    std::string text = UnescapeLineBreaks(args[1]);
    auto shown = session.messages.TakeUnexpected();
    std::string wanted = "message " + Quoted(args[0]) + " " + Quoted(args[1]);
    if (!shown) throw ExpectationFailure(wanted, "no further message");
    if (shown->title != title || shown->text != text)
      throw ExpectationFailure(wanted, WalkthroughMessageBoxes::FormatTrace(*shown, false));
  });

  runner.AddCommand("expect no", [&session](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "expect no message");
    if (args[0] != "message") throw ScriptError("usage: expect no message");
    if (auto shown = session.messages.TakeUnexpected())
      throw ExpectationFailure("no message", WalkthroughMessageBoxes::FormatTrace(*shown, false));
  });

  runner.AddCommand("expect window", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "expect window NAME visible|hidden");
    if (args[1] != "visible" && args[1] != "hidden")
      throw ScriptError("usage: expect window NAME visible|hidden");
    ui::QtForm* form = runner.FormByWalkthroughName(args[0]);
    bool visible = form && form->Visible();
    if (visible != (args[1] == "visible"))
      throw ExpectationFailure("window " + args[0] + " " + args[1], visible ? "visible" : "hidden");
  });

  runner.AddCommand("expect setting", [&session](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "expect setting NAME \"VALUE\"");
    const Player& player = session.player;
    auto value = player.platform.settings.Get("Games", player.info.GameKey, args[0]);
    if (value != args[1])
      throw ExpectationFailure("setting " + args[0] + " " + Quoted(args[1]),
                               value ? Quoted(*value) : "no such setting");
  });
}

}  // namespace tf::walkthrough
