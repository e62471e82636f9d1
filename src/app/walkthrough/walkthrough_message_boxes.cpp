#include "app/walkthrough/walkthrough_message_boxes.h"

#include "platform/runtime/cp1252.h"

namespace tf::walkthrough {

namespace {
const char* IconName(ui::MessageIcon icon) {
  switch (icon) {
    case ui::MessageIcon::Critical:
      return "critical";
    case ui::MessageIcon::Question:
      return "question";
    case ui::MessageIcon::Exclamation:
      return "exclamation";
    case ui::MessageIcon::Information:
      return "information";
  }
  return "";
}

const char* ButtonsName(ui::MessageButtons buttons) {
  switch (buttons) {
    case ui::MessageButtons::Ok:
      return "ok";
    case ui::MessageButtons::OkCancel:
      return "okcancel";
    case ui::MessageButtons::YesNo:
      return "yesno";
  }
  return "";
}

bool Offers(ui::MessageButtons buttons, ui::MessageAnswer answer) {
  switch (buttons) {
    case ui::MessageButtons::Ok:
      return answer == ui::MessageAnswer::Ok;
    case ui::MessageButtons::OkCancel:
      return answer == ui::MessageAnswer::Ok || answer == ui::MessageAnswer::Cancel;
    case ui::MessageButtons::YesNo:
      return answer == ui::MessageAnswer::Yes || answer == ui::MessageAnswer::No;
  }
  return false;
}

ui::MessageAnswer DefaultAnswer(ui::MessageButtons buttons) {
  return buttons == ui::MessageButtons::YesNo ? ui::MessageAnswer::Yes : ui::MessageAnswer::Ok;
}

std::string WithEscapedBreaks(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '\n')
      result += "\\n";
    else
      result += c;
  }
  return result;
}
}  // namespace

std::string NormaliseMessageText(const std::string& storedText) {
  std::string utf8 = Cp1252ToUtf8(storedText);
  std::string result;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      result += '\n';
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      result += utf8[i];
    }
  }
  return result;
}

std::string WalkthroughMessageBoxes::AnswerName(ui::MessageAnswer answer) {
  switch (answer) {
    case ui::MessageAnswer::Ok:
      return "ok";
    case ui::MessageAnswer::Cancel:
      return "cancel";
    case ui::MessageAnswer::Yes:
      return "yes";
    case ui::MessageAnswer::No:
      return "no";
  }
  return "";
}

std::string WalkthroughMessageBoxes::FormatTrace(const Shown& shown, bool byDefault) {
  std::string line = std::string("message ") + IconName(shown.icon) + " " +
                     ButtonsName(shown.buttons) + " \"" + WithEscapedBreaks(shown.title) + "\" \"" +
                     WithEscapedBreaks(shown.text) + "\" -> " + AnswerName(shown.answer);
  if (byDefault) line += " (default)";
  return line;
}

ui::MessageAnswer WalkthroughMessageBoxes::Show(const std::string& text, ui::MessageButtons buttons,
                                                ui::MessageIcon icon, const std::string& title) {
  Shown shown{NormaliseMessageText(title), NormaliseMessageText(text), icon, buttons,
              DefaultAnswer(buttons)};
  bool byDefault = answers_.empty();
  if (byDefault && chooseAnswer) {
    shown.answer = chooseAnswer(buttons);
    byDefault = false;
  } else if (!byDefault) {
    ui::MessageAnswer queued = answers_.front();
    answers_.pop_front();
    if (Offers(buttons, queued)) {
      shown.answer = queued;
    } else {
      byDefault = true;
      if (!answerError_)
        answerError_ = "the answer '" + AnswerName(queued) + "' is not a button of the message \"" +
                       WithEscapedBreaks(shown.text) + "\"";
    }
  }
  shown_.push_back(shown);
  if (trace_) trace_->Write(FormatTrace(shown, byDefault));
  return shown.answer;
}

std::optional<WalkthroughMessageBoxes::Shown> WalkthroughMessageBoxes::TakeUnexpected() {
  if (expected_ >= shown_.size()) return std::nullopt;
  return shown_[expected_++];
}

std::optional<std::string> WalkthroughMessageBoxes::TakeAnswerError() {
  auto error = answerError_;
  answerError_.reset();
  return error;
}

}  // namespace tf::walkthrough
