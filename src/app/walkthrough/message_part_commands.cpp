// An expectation on a message whose text quotes with double quotes, which a
// script's words can't hold: its title and a part of its text.

#include "app/walkthrough/runner.h"
#include "app/walkthrough/script.h"
#include "app/walkthrough/walkthrough_message_boxes.h"

namespace tf::walkthrough {

void AddMessagePartCommands(Runner& runner) {
  runner.AddCommand("expect message-with", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 2, "expect message-with \"TITLE\" \"PART\"");
    auto shown = runner.GetSession().messages.TakeUnexpected();
    std::string wanted = "message " + Quoted(args[0]) + " with " + Quoted(args[1]);
    if (!shown) throw ExpectationFailure(wanted, "no further message");
    if (shown->title != UnescapeLineBreaks(args[0]) ||
        shown->text.find(UnescapeLineBreaks(args[1])) == std::string::npos)
      throw ExpectationFailure(wanted, WalkthroughMessageBoxes::FormatTrace(*shown, false));
  });
}

}  // namespace tf::walkthrough
