// Commands on the welcome window.

#include "app/walkthrough/runner.h"

namespace tf::walkthrough {

namespace {
ui::QtForm& WelcomeForm(Runner& runner) {
  runner.RequireRunningProgram();
  ui::QtForm* form = runner.FormByWalkthroughName("welcome");
  if (!form || !form->Visible()) throw ScriptError("the welcome window is not shown");
  return *form;
}

void ClickImage(Runner& runner, int index) {
  ui::QtForm& form = WelcomeForm(runner);
  const ui::Control* image = form.FindControl("Img", index);
  if (!image) throw ScriptError("the welcome window has no image " + std::to_string(index));
  runner.Click(form, *image, Qt::LeftButton);
}
}  // namespace

void AddWelcomeCommands(Runner& runner) {
  const std::pair<const char*, int> images[] = {{"new", 0}, {"load-image", 1}, {"quit", 2}};
  for (auto [name, index] : images) {
    runner.AddCommand(name, [&runner, name, index](const std::vector<std::string>& args) {
      RequireArgs(args, 0, 0, name);
      ClickImage(runner, index);
    });
  }

  runner.AddCommand("welcome click", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "welcome click NAME");
    ui::QtForm& form = WelcomeForm(runner);
    const ui::Control* control = form.FindControl(args[0], -1);
    if (!control) throw ScriptError("the welcome window has no control '" + args[0] + "'");
    runner.Click(form, *control, Qt::LeftButton);
  });

  // expect welcome NAME visible|hidden, expect welcome NAME caption "TEXT":
  // what the welcome window's layout made of a control (NAME frmWelcome: the
  // window's own caption).
  runner.AddCommand("expect welcome", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 2, 3, "expect welcome NAME visible|hidden|caption \"TEXT\"");
    ui::QtForm* form = runner.FormByWalkthroughName("welcome");
    if (!form) throw ScriptError("there is no welcome window");
    const std::string& name = args[0];
    if (args[1] == "caption" && args.size() == 3) {
      std::string caption;
      if (name == "frmWelcome") {
        caption = NormaliseMessageText(form->Caption());
      } else if (auto* label = dynamic_cast<const ui::Label*>(form->FindControl(name, -1))) {
        caption = NormaliseMessageText(label->Caption());
      } else {
        throw ScriptError("the welcome window has no label '" + name + "'");
      }
      if (caption != args[2])
        throw ExpectationFailure(name + " caption \"" + args[2] + "\"", "\"" + caption + "\"");
      return;
    }
    if (args.size() != 2 || (args[1] != "visible" && args[1] != "hidden"))
      throw ScriptError("usage: expect welcome NAME visible|hidden|caption \"TEXT\"");
    const ui::Control* control = form->FindControl(name, -1);
    if (!control) throw ScriptError("the welcome window has no control '" + name + "'");
    bool visible = control->Visible();
    if (visible != (args[1] == "visible"))
      throw ExpectationFailure(name + " " + args[1], visible ? "visible" : "hidden");
  });
}

}  // namespace tf::walkthrough
