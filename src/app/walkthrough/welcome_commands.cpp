// Commands on the welcome window.

#include "app/walkthrough/runner.h"
#include "startup/welcome_window.h"

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
}

}  // namespace tf::walkthrough
