// Fuzz targets for pictures, cursors and animated GIFs: the input is loaded
// by the Qt desktop's own controls, as a frame's areas load theirs.

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "fuzz_target.h"
#include "platform/qt/picture_store.h"
#include "platform/qt/qt_desktop.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "scratch_project.h"

namespace tf::fuzz {
namespace {

// One offscreen application and one window for the whole run.
struct PictureDesktop {
  PictureDesktop()
      : app((setenv("QT_QPA_PLATFORM", "offscreen", 0), argc), argv),
        window(windows.CreateForm("Game", ui::FormStyle::Bordered)),
        image(window->CreateImage("Area", nullptr, 1)),
        animation(window->CreateAnimatedPicture("AniGif", nullptr, 1)) {}

  int argc = 1;
  char name[16] = "tf_fuzz";
  char* argv[2] = {name, nullptr};
  QApplication app;
  QtWindowFactory windows;
  std::unique_ptr<ui::Form> window;
  ui::Image& image;
  ui::AnimatedPicture& animation;
};

}  // namespace

int RunPictureTarget(const std::string& name, const uint8_t* data, size_t size) {
  static const ScratchProject project({});
  static PictureDesktop desktop;
  const std::string path = project.Folder() + "input";
  project.Write("input", data, size);
  // Inputs come faster than file times change: nothing decoded before counts.
  ui::PictureStore::Shared().Clear();
  try {
    if (name == "picture")
      desktop.image.LoadPicture(path);
    else if (name == "cursor")
      desktop.image.SetCustomPointer(path);
    else
      desktop.animation.LoadFile(path);
  } catch (const RuntimeError&) {
    // Error 481: what the game's handlers report for a file that is no picture.
  }
  return 0;
}

}  // namespace tf::fuzz
