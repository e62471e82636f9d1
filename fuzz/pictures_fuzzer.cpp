// Fuzz targets for pictures, cursors and animated GIFs: the input is loaded
// by the Qt desktop's own controls, as a frame's areas load theirs.

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "fuzz_target.h"
#include "platform/qt/animation_player.h"
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

// Loads an animation, then steps through its frames as playing would show
// them, kept and decoded afresh, for at most one pass and back to its first
// frame: the player bounds what a pass costs, and further passes cost the
// same again.
void PlayAnimation(ui::AnimatedPicture& animation, const std::string& path, const uint8_t* data,
                   size_t size) {
  animation.LoadFile(path);
  for (qint64 kept : {ui::AnimationPlayer::kKeptBytes, qint64(0)}) {
    ui::AnimationPlayer player(kept);
    if (!player.Open(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))))
      return;
    player.Start();
    for (int frame = 0; frame < 64 && player.Advance() && player.FrameNumber() != 0; ++frame) {
    }
  }
}

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
      PlayAnimation(desktop.animation, path, data, size);
  } catch (const RuntimeError&) {
    // Error 481: what the game's handlers report for a file that is no picture.
  }
  return 0;
}

}  // namespace tf::fuzz
