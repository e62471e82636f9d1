#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/ui/message_boxes.h"

namespace tf {

struct MessageBoxCall {
  std::string text;
  ui::MessageButtons buttons;
  ui::MessageIcon icon;
  std::string title;

  bool operator==(const MessageBoxCall&) const = default;
};

// Message boxes that record what they were asked to show and answer from a
// queue: OK, or Yes for a Yes/No box, once the queue is empty.
class RecordingMessageBoxes : public ui::MessageBoxes {
 public:
  ui::MessageAnswer Show(const std::string& text, ui::MessageButtons buttons, ui::MessageIcon icon,
                         const std::string& title) override;

  std::vector<MessageBoxCall> calls;
  std::deque<ui::MessageAnswer> answers;
};

}  // namespace tf
