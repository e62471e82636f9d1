#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/walkthrough/script.h"
#include "app/walkthrough/walkthrough_message_boxes.h"
#include "game/player.h"
#include "platform/qt/qt_desktop.h"

namespace tf::walkthrough {

// Exit statuses of a walkthrough.
constexpr int kPassed = 0;
constexpr int kExpectationFailed = 1;
constexpr int kScriptError = 2;

// A command that can't be carried out or is malformed.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An expectation that did not hold.
class ExpectationFailure : public std::runtime_error {
 public:
  ExpectationFailure(std::string expected, std::string found)
      : std::runtime_error("expected " + expected + ", found " + found) {}
};

// What the commands can reach.
struct Session {
  Player& player;
  QtWindowFactory& windows;
  QtEventLoop& events;
  WalkthroughMessageBoxes& messages;
  std::string scriptFolder;
};

// Plays a script line by line on the program's own event loop, so that each
// command reaches the program as the window system would deliver it, even
// while the program waits inside a video or a dialog.
class Runner {
 public:
  // The words after the command's name.
  using Handler = std::function<void(const std::vector<std::string>& args)>;

  Runner(Session session, std::vector<ScriptLine> script);

  // Adds a command; `name` is one or two words ("new", "welcome click",
  // "expect message"). Each part of the program registers its own commands.
  void AddCommand(const std::string& name, Handler handler);

  void Start();
  int ExitStatus() const { return status_; }
  // Carries out one command given by its words, as a script line would;
  // throws ScriptError or ExpectationFailure.
  void Perform(const std::vector<std::string>& words);

  Session& GetSession() { return session_; }
  // Lets the program run this long before the next command.
  void DelayNextCommand(double seconds);
  // The program has ended; later actions can't be carried out.
  void ProgramEnded();
  bool HasProgramEnded() const { return programEnded_; }
  // Throws ScriptError once the program has ended.
  void RequireRunningProgram() const;

  // Window-system input, delivered as a user's.
  void Click(ui::QtForm& form, const ui::Control& control, Qt::MouseButton button);
  void ClickAt(ui::QtForm& form, QPoint pointInView, Qt::MouseButton button);
  void PressKey(ui::QtForm& form, int qtKey, const QString& text);
  // A left click on a widget of a window, such as a menu entry.
  void ClickWidget(QWidget& widget);
  // The newest visible window.
  ui::QtForm& ActiveForm() const;
  // The window a walkthrough name stands for: welcome, game, load, save.
  ui::QtForm* FormByWalkthroughName(const std::string& name) const;

 private:
  void Step();
  void Finish(int status, const std::string& message);

  Session session_;
  std::vector<ScriptLine> script_;
  std::map<std::string, Handler> commands_;
  size_t next_ = 0;
  int delayMs_ = 0;
  int status_ = kPassed;
  bool finished_ = false;
  bool programEnded_ = false;
};

// Helpers for command handlers.
void RequireArgs(const std::vector<std::string>& args, size_t min, size_t max, const char* usage);
Qt::MouseButton ParseButton(const std::string& word);
// A whole number of at least `lowest`; a ScriptError otherwise.
int ParseInteger(int lowest, const std::string& word);
// The game window's game; a ScriptError before the first game.
Game& RunningGame(Runner& runner);
std::string Quoted(const std::string& text);
// Words separated by blanks, "(empty)" for none; QuotedList quotes each.
std::string WordList(const std::vector<std::string>& words);
std::string QuotedList(const std::vector<std::string>& items);
// The shown game window; a ScriptError when it is not shown.
ui::QtForm& GameForm(Runner& runner);
// What shows area N of the current frame: its picture box when it is
// animated. A ScriptError when there is no such area.
const ui::Control& AreaControl(Game& game, int index);

void AddCoreCommands(Runner& runner);
void AddWelcomeCommands(Runner& runner);
void AddFrameCommands(Runner& runner);
void AddAreaCommands(Runner& runner);
void AddInventoryCommands(Runner& runner);
void AddDisplayCommands(Runner& runner);
void AddMediaCommands(Runner& runner);
void AddSoundCommands(Runner& runner);
void AddDialogCommands(Runner& runner);
void AddMessagePartCommands(Runner& runner);
void AddSoakCommands(Runner& runner);

}  // namespace tf::walkthrough
