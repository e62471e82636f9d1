#include "platform/memory/recording_message_boxes.h"

namespace tf {

ui::MessageAnswer RecordingMessageBoxes::Show(const std::string& text, ui::MessageButtons buttons,
                                              ui::MessageIcon icon, const std::string& title) {
  calls.push_back({text, buttons, icon, title});
  if (answers.empty()) {
    return buttons == ui::MessageButtons::YesNo ? ui::MessageAnswer::Yes : ui::MessageAnswer::Ok;
  }
  ui::MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace tf
