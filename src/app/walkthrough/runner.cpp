#include "app/walkthrough/runner.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <iostream>

#include "game/game_window.h"

namespace tf::walkthrough {

namespace {
// Input to a window under a modal dialog goes nowhere, as on the desktop.
bool BlockedByModal(const QWidget& widget) {
  const QWidget* modal = QApplication::activeModalWidget();
  return modal && widget.window() != modal;
}
}  // namespace

Runner::Runner(Session session, std::vector<ScriptLine> script)
    : session_(std::move(session)), script_(std::move(script)) {}

void Runner::AddCommand(const std::string& name, Handler handler) {
  commands_[name] = std::move(handler);
}

void Runner::Start() {
  QTimer::singleShot(0, [this] { Step(); });
}

void Runner::DelayNextCommand(double seconds) {
  delayMs_ = static_cast<int>(seconds * 1000.0 + 0.5);
}

void Runner::ProgramEnded() {
  programEnded_ = true;
  for (ui::QtForm* form : session_.windows.Forms()) form->View().hide();
}

void Runner::RequireRunningProgram() const {
  if (programEnded_) throw ScriptError("the program has ended");
}

void Runner::Step() {
  if (finished_) return;
  // A user acts while the program waits, not while it only lets pending
  // events through in the middle of an operation.
  if (session_.events.InPendingPass()) {
    QTimer::singleShot(1, [this] { Step(); });
    return;
  }
  if (next_ >= script_.size()) {
    Finish(kPassed, {});
    return;
  }
  const ScriptLine& line = script_[next_++];
  const std::vector<std::string>& words = line.words;
  try {
    if (auto error = session_.messages.TakeAnswerError()) throw ScriptError(*error);
    delayMs_ = 0;
    Perform(words);
  } catch (const ExpectationFailure& failure) {
    Finish(kExpectationFailed, "line " + std::to_string(line.number) + ": " + failure.what());
    return;
  } catch (const std::exception& error) {
    Finish(kScriptError, "line " + std::to_string(line.number) + ": " + error.what());
    return;
  }
  QTimer::singleShot(delayMs_, [this] { Step(); });
}

void Runner::Perform(const std::vector<std::string>& words) {
  auto command = commands_.end();
  size_t nameWords = 0;
  if (words.size() >= 2) {
    command = commands_.find(words[0] + " " + words[1]);
    nameWords = 2;
  }
  if (command == commands_.end()) {
    command = commands_.find(words[0]);
    nameWords = 1;
  }
  if (command == commands_.end()) throw ScriptError("unknown command '" + words[0] + "'");
  command->second(
      std::vector<std::string>(words.begin() + static_cast<long>(nameWords), words.end()));
}

void Runner::Finish(int status, const std::string& message) {
  finished_ = true;
  status_ = status;
  if (!message.empty()) std::cerr << "walkthrough: " << message << std::endl;
  session_.events.Quit(status);
}

void RequireArgs(const std::vector<std::string>& args, size_t min, size_t max, const char* usage) {
  if (args.size() < min || args.size() > max) throw ScriptError(std::string("usage: ") + usage);
}

int ParseInteger(int lowest, const std::string& word) {
  try {
    size_t used = 0;
    int value = std::stoi(word, &used);
    if (used == word.size() && value >= lowest) return value;
  } catch (const std::exception&) {
  }
  throw ScriptError("'" + word + "' is not a whole number of at least " + std::to_string(lowest));
}

Game& RunningGame(Runner& runner) {
  Game* game = runner.GetSession().player.game.get();
  if (!game) throw ScriptError("no game has been started");
  return *game;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string WordList(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text.empty() ? "(empty)" : text;
}

std::string QuotedList(const std::vector<std::string>& items) {
  std::vector<std::string> quoted;
  for (const std::string& item : items) quoted.push_back(Quoted(item));
  return WordList(quoted);
}

Qt::MouseButton ParseButton(const std::string& word) {
  if (word == "left") return Qt::LeftButton;
  if (word == "right") return Qt::RightButton;
  if (word == "middle") return Qt::MiddleButton;
  throw ScriptError("unknown button '" + word + "' (left, right or middle)");
}

void Runner::Click(ui::QtForm& form, const ui::Control& control, Qt::MouseButton button) {
  std::optional<QPoint> point = form.CentreInView(control);
  if (!point || !form.Visible())
    throw ScriptError("'" + control.Name() + "' is not shown, so it can't be clicked");
  ClickAt(form, *point, button);
}

void Runner::ClickAt(ui::QtForm& form, QPoint pointInView, Qt::MouseButton button) {
  RequireRunningProgram();
  QWidget* viewport = form.View().viewport();
  if (BlockedByModal(*viewport)) return;
  QPointF local(pointInView);
  QPointF global(viewport->mapToGlobal(pointInView));
  QCoreApplication::postEvent(viewport, new QMouseEvent(QEvent::MouseButtonPress, local, global,
                                                        button, button, Qt::NoModifier));
  QCoreApplication::postEvent(viewport, new QMouseEvent(QEvent::MouseButtonRelease, local, global,
                                                        button, Qt::NoButton, Qt::NoModifier));
}

void Runner::ClickWidget(QWidget& widget) {
  RequireRunningProgram();
  if (BlockedByModal(widget)) return;
  QPointF local(widget.width() / 2.0, widget.height() / 2.0);
  QPointF global(widget.mapToGlobal(local.toPoint()));
  QCoreApplication::postEvent(
      &widget, new QMouseEvent(QEvent::MouseButtonPress, local, global, Qt::LeftButton,
                               Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(
      &widget, new QMouseEvent(QEvent::MouseButtonRelease, local, global, Qt::LeftButton,
                               Qt::NoButton, Qt::NoModifier));
}

void Runner::PressKey(ui::QtForm& form, int qtKey, const QString& text) {
  RequireRunningProgram();
  if (BlockedByModal(form.View())) return;
  QCoreApplication::postEvent(&form.View(),
                              new QKeyEvent(QEvent::KeyPress, qtKey, Qt::NoModifier, text));
  QCoreApplication::postEvent(&form.View(),
                              new QKeyEvent(QEvent::KeyRelease, qtKey, Qt::NoModifier, text));
}

ui::QtForm& Runner::ActiveForm() const {
  const auto& forms = session_.windows.Forms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it)
    if ((*it)->Visible()) return **it;
  throw ScriptError("no window is shown");
}

ui::QtForm* Runner::FormByWalkthroughName(const std::string& name) const {
  static const std::map<std::string, std::string> kForms = {{"welcome", "frmWelcome"},
                                                            {"game", "Game"},
                                                            {"load", "frmLoadGame"},
                                                            {"save", "frmSaveGame"}};
  auto it = kForms.find(name);
  if (it == kForms.end())
    throw ScriptError("unknown window '" + name + "' (welcome, game, load or save)");
  return session_.windows.Find(it->second);
}

}  // namespace tf::walkthrough
