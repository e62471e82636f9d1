#include <gtest/gtest.h>

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"
#include "platform/runtime_test_support.h"

namespace tf::ui {
namespace {

TEST(QtLabelTest, AnAutoSizedLabelTakesTheSizeOfItsCaptionInItsFontEachTime) {
  QtForm form{"LabelTest", FormStyle::Borderless};
  auto sizeOf = [&](const std::string& caption, const Font& font) {
    Label& label = form.CreateLabel("Text", nullptr, -1);
    label.SetAutoSize(true);
    label.SetFont(font);
    label.SetCaption(caption);
    return std::pair{label.Width(), label.Height()};
  };
  const Font plain{"Arial", 14};
  Font bold = plain;
  bold.bold = true;
  Font large = plain;
  large.size = 28;

  const auto first = sizeOf("Text number 1", plain);
  EXPECT_GT(sizeOf("Text number 1 and more", plain).first, first.first);
  EXPECT_GT(sizeOf("Text number 1", bold).first, first.first);
  EXPECT_GT(sizeOf("Text number 1", large).second, first.second);
  EXPECT_EQ(sizeOf("Text number 1", plain), first);

  // A caption of megabytes, from a damaged label file, is measured as far as
  // its first 65,536 characters.
  Label& label = form.CreateLabel("Text", nullptr, -1);
  EXPECT_EQ(sizeOf(std::string(4'000'000, 'x'), plain), sizeOf(std::string(65'536, 'x'), plain));
  // Its tip, likewise, is shown as far as its first 1,024.
  label.SetToolTipText(std::string(4'000'000, 't'));
  EXPECT_EQ(label.ToolTipText().size(), 4'000'000u);
  EXPECT_EQ(dynamic_cast<QtLabel&>(label).Item().toolTip().size(), 1024);

  // Drawn, it is laid out no further than measured: not megabytes at tens of
  // bytes a character.
  Label& shown = form.CreateLabel("Text", nullptr, -1);
  shown.SetAutoSize(true);
  shown.SetFont(plain);
  shown.SetCaption(std::string(4'000'000, 'x'));
  shown.SetVisible(true);
  QImage image(200, 50, QImage::Format_RGB32);
  if (!ResetPeak()) GTEST_SKIP() << "no peak reset";
  const long before = PeakKilobytes();
  {
    QPainter painter(&image);
    form.View().scene()->render(&painter, QRectF(0, 0, 200, 50), QRectF(0, 0, 200, 50));
  }
  EXPECT_LT(PeakKilobytes() - before, 32 * 1024);
}

}  // namespace
}  // namespace tf::ui
