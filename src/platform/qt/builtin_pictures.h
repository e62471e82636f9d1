#pragma once

#include <QImage>
#include <QPixmap>
#include <array>
#include <thread>

#include "platform/ui/controls.h"

namespace tf::ui {

// While one of these lives, the program's own pictures are drawn ahead on a
// thread of its own, beside the building of the first window: their texts
// take most of the time, matching and loading fonts. The first picture asked
// for waits for them all. Without one, a picture is drawn when asked for.
// Needs the application object; one at a time.
class BuiltinPicturesAhead {
 public:
  BuiltinPicturesAhead();
  ~BuiltinPicturesAhead();
  BuiltinPicturesAhead(const BuiltinPicturesAhead&) = delete;
  BuiltinPicturesAhead& operator=(const BuiltinPicturesAhead&) = delete;

 private:
  friend QPixmap MakeBuiltinPicture(BuiltinPicture picture);

  // The device pixel ratio they are drawn for.
  const qreal ratio_;
  std::array<QImage, static_cast<size_t>(BuiltinPicture::MakerLink) + 1> pictures_;
  std::thread drawing_;
};

// A picture of the program's own, drawn for the desktop's device pixel ratio,
// and its size in the windows' own pixels, known before it is drawn.
QPixmap MakeBuiltinPicture(BuiltinPicture picture);
QSize BuiltinPictureSize(BuiltinPicture picture);

}  // namespace tf::ui
