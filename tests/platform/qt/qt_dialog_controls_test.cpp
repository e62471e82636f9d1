#include "platform/qt/qt_dialog_controls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include "platform/qt/qt_form.h"

namespace tf::ui {
namespace {

void Key(QWidget& widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
}

TEST(QtDialogTest, KeysChooseListEntriesAndPressTheDefaultAndCancelButtons) {
  QtForm owner("Game", FormStyle::Borderless);
  QtForm form("Dialog", FormStyle::Bordered);
  form.Move(0, 0, 272 * 15, 257 * 15);
  auto& list = static_cast<QtListBox&>(form.CreateListBox("List1"));
  auto& text = static_cast<QtTextBox&>(form.CreateTextBox("Text1"));
  CommandButton& save = form.CreateCommandButton("Command2", "SAVE");
  CommandButton& cancel = form.CreateCommandButton("Command1", "Cancel");
  auto& remove = static_cast<QtCommandButton&>(form.CreateCommandButton("Command3", "Remove"));
  save.SetDefault(true);
  cancel.SetCancel(true);
  // Names of files, which any letter may be in.
  list.AddItem("日本");
  list.AddItem("second");
  std::vector<std::string> events;
  list.onClick = [&] { events.push_back("click " + list.List(list.ListIndex())); };
  save.onClick = [&] { events.push_back("save " + text.Text()); };
  remove.onClick = [&] { events.push_back("remove"); };
  cancel.onClick = [&] {
    events.push_back("cancel");
    form.Hide();
  };

  // Enter presses the button that has the focus; in the text box, Enter and
  // Escape reach the window's default and cancel buttons.
  QTimer::singleShot(0, [&] {
    Key(list.GetWidget(), Qt::Key_Down);
    Key(remove.GetWidget(), Qt::Key_Return);
    text.SetText("中国 Café");
    Key(text.GetWidget(), Qt::Key_Return);
    Key(text.GetWidget(), Qt::Key_Escape);
  });
  form.ShowModal(owner);
  EXPECT_FALSE(form.Visible());
  // Kept in front of the window it was opened over.
  EXPECT_EQ(form.View().windowHandle()->transientParent(), owner.View().windowHandle());
  EXPECT_EQ(events,
            (std::vector<std::string>{"click 日本", "remove", "save 中国 Café", "cancel"}));
  EXPECT_EQ(list.GetWidget().item(0)->text(), QString("日本"));
}

}  // namespace
}  // namespace tf::ui
