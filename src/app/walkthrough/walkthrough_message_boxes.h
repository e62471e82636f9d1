#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/ui/message_boxes.h"

namespace tf::walkthrough {

// Message boxes of a walkthrough: never on screen, answered from the queue
// of `answer` commands (or with their default button), each one kept for
// `expect message` and written to the trace.
class WalkthroughMessageBoxes : public ui::MessageBoxes {
 public:
  struct Shown {
    std::string title;  // UTF-8, line breaks as "\n"
    std::string text;
    ui::MessageIcon icon;
    ui::MessageButtons buttons;
    ui::MessageAnswer answer;
  };

  explicit WalkthroughMessageBoxes(TraceSink* trace) : trace_(trace) {}

  ui::MessageAnswer Show(const std::string& text, ui::MessageButtons buttons, ui::MessageIcon icon,
                         const std::string& title) override;

  void QueueAnswer(ui::MessageAnswer answer) { answers_.push_back(answer); }
  // Answers a box that no queued answer covers, instead of its default
  // button; it is given the box's buttons.
  std::function<ui::MessageAnswer(ui::MessageButtons)> chooseAnswer;
  // The oldest message not yet expected, and marks it expected.
  std::optional<Shown> TakeUnexpected();
  size_t UnexpectedCount() const { return shown_.size() - expected_; }
  // A queued answer that the box could not take, for the runner to report.
  std::optional<std::string> TakeAnswerError();

  static std::string AnswerName(ui::MessageAnswer answer);
  static std::string FormatTrace(const Shown& shown, bool byDefault);

 private:
  TraceSink* trace_;
  std::deque<ui::MessageAnswer> answers_;
  std::vector<Shown> shown_;
  size_t expected_ = 0;
  std::optional<std::string> answerError_;
};

// Game texts are Windows-1252 with CR LF line breaks; the script has UTF-8
// and "\n".
std::string NormaliseMessageText(const std::string& storedText);

}  // namespace tf::walkthrough
