#include "game/error_message.h"

#include "platform/runtime/runtime_error.h"

namespace tf {

void ShowErrorMessage(const Platform& platform, const std::string& text, const std::string& title) {
  platform.messages.Show(text +
                             " The game may not work properly. Press 'Esc' and then click 'Exit' "
                             "to quit the game.",
                         ui::MessageButtons::Ok, ui::MessageIcon::Critical, title);
}

void ShowEscapedError(const Platform& platform, int errorNumber) {
  ShowErrorMessage(platform, "Run-time error '" + std::to_string(errorNumber) +
                                 "': " + ErrorDescription(errorNumber) + ".");
}

}  // namespace tf
