#pragma once

#include <string>

namespace tf::ui {

enum class MessageIcon { Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Modal message boxes. Texts are as the game stores them (Windows-1252);
// line breaks are CR LF.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title) = 0;
};

}  // namespace tf::ui
