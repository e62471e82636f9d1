// The soak: random user actions with no expectations. `soak seed SEED FIRST`
// starts the walk (FIRST numbers its first action), each `soak action` does
// one thing a user might do in whatever window is in front, and `soak end`
// reports. Message boxes get random answers. An action that can't be carried
// out (a click on a window that just closed) is counted and skipped.
// Standard error gets "soak:" lines: the peak resident memory of each
// thousand actions, and the program's end when the walk quit it.

#include <unistd.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>

#include "app/walkthrough/runner.h"
#include "game/game_window.h"

namespace tf::walkthrough {

namespace {
constexpr long kMemoryBucket = 1000;

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

class Soak {
 public:
  explicit Soak(Runner& runner) : runner_(runner) {}
  ~Soak() { runner_.GetSession().messages.chooseAnswer = nullptr; }

  void Start(unsigned seed, long first) {
    random_.seed(seed);
    next_ = first;
    runner_.GetSession().messages.chooseAnswer = [this](ui::MessageButtons buttons) {
      ++answers_;
      const bool first = Chance(50);
      if (buttons == ui::MessageButtons::YesNo)
        return first ? ui::MessageAnswer::Yes : ui::MessageAnswer::No;
      if (buttons == ui::MessageButtons::OkCancel && !first) return ui::MessageAnswer::Cancel;
      return ui::MessageAnswer::Ok;
    };
  }

  void Act() {
    if (ended_) return;
    if (runner_.HasProgramEnded()) {
      ended_ = true;
      std::cerr << "soak: the program ended after " << done_ << " actions" << std::endl;
      ReportMemory();
      return;
    }
    // A user's pace; a wait among the actions takes its place.
    runner_.DelayNextCommand(Pick(60) / 1000.0);
    try {
      ActIn(runner_.ActiveForm());
    } catch (const std::exception&) {
      ++skipped_;
    }
    ++done_;
    peakKiB_ = std::max(peakKiB_, ResidentKiB());
    if (++next_ % kMemoryBucket == 0) ReportMemory();
  }

  void End() {
    if (!ended_) ReportMemory();
    std::cerr << "soak: " << done_ << " actions, " << skipped_ << " not carried out, " << answers_
              << " message boxes answered" << std::endl;
  }

 private:
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  bool Chance(int percent) { return Pick(100) < percent; }
  template <class T>
  const T& PickOf(std::initializer_list<T> items) {
    return items.begin()[Pick(static_cast<int>(items.size()))];
  }

  // 1..highest, a word for a command; an array's element 0 is only its
  // template.
  std::string AnyIndex(int highest) { return std::to_string(1 + Pick(std::max(1, highest))); }

  // Peak resident memory of the thousand actions the last one belongs to.
  void ReportMemory() {
    if (peakKiB_ == 0) return;
    std::cerr << "soak: memory " << (next_ - 1) / kMemoryBucket << " " << peakKiB_ << std::endl;
    peakKiB_ = 0;
  }

  void Do(std::vector<std::string> words) { runner_.Perform(words); }

  void ActIn(ui::QtForm& form) {
    // A few actions any window takes: also let the program run a while.
    const int roll = Pick(100);
    if (roll < 20) return ClickAnywhere(form);
    if (roll < 26) return DragAnywhere(form);
    if (roll < 34) return Do({"key", PickOf<std::string>({"esc", "enter", "f11", "a", "s", "q"})});
    if (roll < 40) return Do({"wait", PickOf<std::string>({"0.1", "0.3", "1", "2"})});
    if (roll < 41) return CloseWindow(form);
    if (form.Name() == "frmWelcome") return ActOnWelcome();
    if (form.Name() == "Game") return ActOnGame(form);
    if (form.Name() == "frmSaveGame" || form.Name() == "frmLoadGame") return ActOnDialog(form);
    ClickAnywhere(form);
  }

  void ActOnWelcome() {
    const int roll = Pick(100);
    if (roll < 55) return Do({"new"});
    if (roll < 80) return Do({"load-image"});
    if (roll < 82) return Do({"quit"});
    Do({"welcome click",
        PickOf<std::string>({"txtEmail", "txtHomepage", "Image4", "Image9", "Image8", "Image3",
                             "Label3", "lblResolution", "chkResolution"})});
  }

  void ActOnGame(ui::QtForm& form) {
    Game& game = RunningGame(runner_);
    const int roll = Pick(100);
    const std::string button = PickOf<std::string>({"left", "left", "left", "right", "middle"});
    if (roll < 40) return Do({"click area", AnyIndex(game.Area.UBound()), button});
    if (roll < 45) return Do({"click text", AnyIndex(game.Text.UBound()), button});
    if (roll < 55 && game.ObjectsCount() > 0) {
      const std::string object = std::to_string(1 + Pick(game.ObjectsCount()));
      if (Chance(30)) return Do({"click object", object, button});
      if (Chance(50))
        return Do({"drag object", object, "to", "area", AnyIndex(game.Area.UBound())});
      if (Chance(30))
        return Do(
            {"drag object", object, "to", "object", std::to_string(1 + Pick(game.ObjectsCount()))});
      return Do({"drag object", object, "to", "at", std::to_string(Pick(640)),
                 std::to_string(Pick(480))});
    }
    if (roll < 80) {
      if (!game.mnuExit.Visible()) return Do({"key", "esc"});
      return Do({"menu", Chance(75) ? "save" : "exit"});
    }
    ClickAnywhere(form);
  }

  void ActOnDialog(ui::QtForm& form) {
    const bool saving = form.Name() == "frmSaveGame";
    const int roll = Pick(100);
    if (roll < 35) {
      auto* list = dynamic_cast<const ui::ListBox*>(form.FindControl("List1", -1));
      if (!list || list->ListCount() == 0) return Do({"dialog press", "Cancel"});
      const std::string entry = list->List(Pick(list->ListCount()));
      return Do({Chance(70) ? "dialog select" : "dialog double-click", entry});
    }
    if (saving && roll < 55)
      return Do({"dialog type", PickOf<std::string>({"soak", "second", "a b", "", "x\\y", "é"})});
    if (roll < 85) return Do({"dialog press", saving ? "SAVE" : "LOAD"});
    if (saving && roll < 92) return Do({"dialog press", "Remove Selected"});
    Do({"dialog press", "Cancel"});
  }

  QPoint AnyPoint(ui::QtForm& form) {
    const QSize size = form.View().viewport()->size();
    return QPoint(Pick(std::max(1, size.width())), Pick(std::max(1, size.height())));
  }

  void ClickAnywhere(ui::QtForm& form) {
    const Qt::MouseButton button = PickOf<Qt::MouseButton>(
        {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton});
    runner_.ClickAt(form, AnyPoint(form), button);
  }

  // A left press, the pointer moving with the button held, a release; each
  // event is made when its turn comes, so it sees the pointer as it then is.
  void DragAnywhere(ui::QtForm& form) {
    runner_.RequireRunningProgram();
    QWidget* viewport = form.View().viewport();
    const QPoint from = AnyPoint(form), to = AnyPoint(form);
    auto post = [viewport](QEvent::Type type, QPoint point, Qt::MouseButton button,
                           Qt::MouseButtons held) {
      QMetaObject::invokeMethod(
          viewport,
          [=] {
            QMouseEvent event(type, QPointF(point), QPointF(viewport->mapToGlobal(point)), button,
                              held, Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &event);
          },
          Qt::QueuedConnection);
    };
    post(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 3; ++step)
      post(QEvent::MouseMove, from + (to - from) * step / 3, Qt::NoButton, Qt::LeftButton);
    post(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }

  // The window's close button.
  void CloseWindow(ui::QtForm& form) {
    runner_.RequireRunningProgram();
    QMetaObject::invokeMethod(&form.View(), &QWidget::close, Qt::QueuedConnection);
  }

  Runner& runner_;
  std::mt19937 random_;
  long next_ = 0;
  long done_ = 0;
  long skipped_ = 0;
  long answers_ = 0;
  long peakKiB_ = 0;
  bool ended_ = false;
};
}  // namespace

void AddSoakCommands(Runner& runner) {
  auto soak = std::make_shared<Soak>(runner);

  runner.AddCommand("soak seed", [soak](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "soak seed SEED FIRST");
    soak->Start(static_cast<unsigned>(ParseInteger(0, args[0])), ParseInteger(0, args[1]));
  });

  runner.AddCommand("soak action", [soak](const std::vector<std::string>& args) {
    RequireArgs(args, 0, 0, "soak action");
    soak->Act();
  });

  runner.AddCommand("soak end", [soak](const std::vector<std::string>& args) {
    RequireArgs(args, 0, 0, "soak end");
    soak->End();
  });
}

}  // namespace tf::walkthrough
