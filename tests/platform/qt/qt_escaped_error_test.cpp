#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_ui_test_support.h"

namespace tf::ui {
namespace {

// A handler's error, raised while Qt delivers a real press and a real timer
// tick, ends at the handler: the report has its number, and Qt goes on
// delivering events.
TEST(QtEscapedErrorTest, AnErrorInAPressOrATickGoesToTheReport) {
  std::vector<int> reported;
  EscapedErrorReportScope report([&reported](int number) { reported.push_back(number); });
  QtForm form{"EscapedTest", FormStyle::Borderless};
  form.Move(0, 0, 200 * 15, 200 * 15);
  form.Show();
  Image& image = form.CreateImage("Img", nullptr, -1);
  image.Move(0, 0, 100 * 15, 100 * 15);
  image.SetVisible(true);
  int presses = 0;
  image.onMouseDown = [&presses](const MouseArgs&) {
    ++presses;
    RaiseError(kErrTypeMismatch);
  };
  for (int press = 0; press < 2; ++press) {
    const QPoint at = *form.CentreInView(image);
    QTest::mousePress(form.View().viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(form.View().viewport(), Qt::LeftButton, {}, at);
  }
  EXPECT_EQ(presses, 2);

  QtTimer timer("Timer1");
  int ticks = 0;
  timer.onTimer = [&] {
    if (++ticks == 2) timer.SetEnabled(false);
    RaiseError(kErrOverflow);
  };
  timer.SetInterval(10);
  timer.SetEnabled(true);
  EXPECT_TRUE(RunEventsUntil([&] { return ticks == 2; }, 2000));
  EXPECT_EQ(reported,
            (std::vector<int>{kErrTypeMismatch, kErrTypeMismatch, kErrOverflow, kErrOverflow}));
}

}  // namespace
}  // namespace tf::ui
