#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <string>

#include "platform/qt/qt_desktop.h"

namespace tf {
namespace {

// A message of megabytes, from a damaged game file, is shown cut to what a
// screen could hold, instead of freezing the game while Qt lays it out.
TEST(QtMessageBoxesTest, AHugeMessageIsShownCut) {
  QtMessageBoxes messages;
  qsizetype shownText = -1;
  qsizetype shownTitle = -1;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shownText = box->text().size();
    shownTitle = box->windowTitle().size();
    box->button(QMessageBox::Ok)->click();
  });
  std::string text = "A\xe9";
  text.resize(4'000'000, 'x');
  EXPECT_EQ(messages.Show(text, ui::MessageButtons::Ok, ui::MessageIcon::Information,
                          std::string(100'000, 't')),
            ui::MessageAnswer::Ok);
  EXPECT_EQ(shownText, 16384);
  EXPECT_EQ(shownTitle, 1024);
}

}  // namespace
}  // namespace tf
