// Commands on the save and load dialogs.

#include <QCoreApplication>
#include <QMouseEvent>

#include "app/walkthrough/runner.h"
#include "platform/qt/qt_dialog_controls.h"
#include "platform/runtime/cp1252.h"

namespace tf::walkthrough {

namespace {
ui::QtForm& OpenDialog(Runner& runner) {
  runner.RequireRunningProgram();
  for (const char* name : {"save", "load"}) {
    ui::QtForm* form = runner.FormByWalkthroughName(name);
    if (form && form->Visible()) return *form;
  }
  throw ScriptError("no save or load dialog is open");
}

template <class T>
T& DialogControl(ui::QtForm& form, const char* name) {
  auto* control = dynamic_cast<T*>(form.FindControl(name, -1));
  if (!control) throw ScriptError(form.Name() + " has no " + name);
  return *control;
}

void PostMouse(QWidget& widget, QEvent::Type type, QPoint point) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QCoreApplication::postEvent(
      &widget, new QMouseEvent(type, QPointF(point), QPointF(widget.mapToGlobal(point)),
                               Qt::LeftButton, held, Qt::NoModifier));
}

// Clicks (or double-clicks) an entry of the open dialog's list.
void ClickEntry(Runner& runner, const std::string& entry, bool twice) {
  auto& list = DialogControl<ui::QtListBox>(OpenDialog(runner), "List1");
  std::optional<QPoint> point = list.EntryCentre(entry);
  if (!point) throw ScriptError("the list has no entry \"" + entry + "\"");
  QWidget& viewport = *list.GetWidget().viewport();
  PostMouse(viewport, QEvent::MouseButtonPress, *point);
  PostMouse(viewport, QEvent::MouseButtonRelease, *point);
  if (!twice) return;
  PostMouse(viewport, QEvent::MouseButtonDblClick, *point);
  PostMouse(viewport, QEvent::MouseButtonRelease, *point);
}
}  // namespace

void AddDialogCommands(Runner& runner) {
  runner.AddCommand("dialog type", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "dialog type \"TEXT\"");
    auto& box = DialogControl<ui::QtTextBox>(OpenDialog(runner), "Text1");
    box.GetWidget().setText(QString::fromStdString(args[0]));
  });

  runner.AddCommand("dialog select", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "dialog select \"ENTRY\"");
    ClickEntry(runner, args[0], false);
  });

  runner.AddCommand("dialog double-click", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "dialog double-click \"ENTRY\"");
    ClickEntry(runner, args[0], true);
  });

  runner.AddCommand("dialog press", [&runner](const std::vector<std::string>& args) {
    RequireArgs(args, 1, 1, "dialog press \"CAPTION\"");
    ui::QtForm& form = OpenDialog(runner);
    for (const char* name : {"Command1", "Command2", "Command3"}) {
      auto* button = dynamic_cast<ui::QtCommandButton*>(form.FindControl(name, -1));
      if (button && button->Visible() && Cp1252ToUtf8(button->Caption()) == args[0]) {
        runner.ClickWidget(button->GetWidget());
        return;
      }
    }
    throw ScriptError("the dialog has no button \"" + args[0] + "\"");
  });

  runner.AddCommand("expect saves", [&runner](const std::vector<std::string>& args) {
    auto& list = DialogControl<ui::QtListBox>(OpenDialog(runner), "List1");
    std::vector<std::string> entries;
    for (int i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
    if (entries != args) throw ExpectationFailure("saves " + QuotedList(args), QuotedList(entries));
  });
}

}  // namespace tf::walkthrough
