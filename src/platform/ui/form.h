#pragma once

#include <string>

#include "platform/ui/controls.h"

namespace tf::ui {

enum class FormStyle {
  Bordered,    // an ordinary top-level window with a title bar
  Borderless,  // no frame at all: its outer size is its inner size
};

// How a window that shows a screen larger or smaller than itself fits it in:
// the largest size with the aspect kept, smoothly filtered; or the largest
// whole multiple (sharp pixels), fitted when even 1 is too large.
enum class Scaling { SmoothFit, SharpInteger };

// A top-level window and the factory of its controls. The window owns every
// control it creates; a control lives until Destroy or the window's end.
// Controls with a null container lie directly on the window.
class Form {
 public:
  virtual ~Form() = default;

  virtual const std::string& Name() const = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;

  // Outer position and size, in twips, on the screen.
  virtual int Left() const = 0;
  virtual int Top() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void Move(int left, int top, int width, int height) = 0;
  // Inner size, in twips.
  virtual int ScaleWidth() const = 0;
  virtual int ScaleHeight() const = 0;

  virtual bool Visible() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Shows the window modal over `owner` (which it stays in front of): the
  // other windows take no input, and events run (without busy waiting) until
  // the window is hidden or the program ends.
  virtual void ShowModal(const Form& owner) = 0;
  // Asks the window to close: onUnload runs and may cancel.
  virtual void Close() = 0;
  virtual void SetFocus() = 0;
  virtual void SetTopmost(bool topmost) = 0;
  virtual void SetBackColor(Colour colour) = 0;
  // Lets the window system move the window with the mouse until the button
  // is released.
  virtual void BeginUserMove() = 0;
  // Draws the picture of an image control into the window's own surface.
  // Only valid inside onPaint.
  virtual void PaintPicture(const Image& source, int x, int y, int width, int height) = 0;
  virtual void Refresh() = 0;
  // A screen window: the window covers the monitor it is on (fullscreen) or
  // is an ordinary window, and shows its screen (the whole virtual screen
  // while one is on, otherwise the area of its screen control, or its own
  // area without one) scaled into itself, the aspect kept. Positions and
  // sizes stay those the game gave.
  virtual void SetFullScreen(bool fullScreen) = 0;
  // The control whose area a screen window shows without a virtual screen:
  // the game screen, wherever the game placed it in the window.
  virtual void SetScreenControl(const Control& control) = 0;
  virtual bool FullScreen() const = 0;
  virtual void SetScaling(Scaling scaling) = 0;
  virtual Scaling GetScaling() const = 0;

  virtual Image& CreateImage(const std::string& name, Container* container, int index = -1) = 0;
  virtual Label& CreateLabel(const std::string& name, Container* container, int index = -1) = 0;
  virtual CheckBox& CreateCheckBox(const std::string& name, Container* container) = 0;
  virtual Container& CreateContainer(const std::string& name, Container* container,
                                     int index = -1) = 0;
  virtual AnimatedPicture& CreateAnimatedPicture(const std::string& name, Container* container,
                                                 int index = -1) = 0;
  virtual StringList& CreateStringList(const std::string& name) = 0;
  virtual FileList& CreateFileList(const std::string& name) = 0;
  virtual Timer& CreateTimer(const std::string& name) = 0;
  // Entries of the window's menu, shown in a strip over the top of the
  // window (without moving what lies below) while any entry is visible.
  virtual MenuEntry& CreateMenuEntry(const std::string& name, const std::string& caption) = 0;
  // Dialog controls; they lie directly on the window.
  virtual ListBox& CreateListBox(const std::string& name) = 0;
  virtual TextBox& CreateTextBox(const std::string& name) = 0;
  virtual CommandButton& CreateCommandButton(const std::string& name,
                                             const std::string& caption) = 0;
  // A new control of the same kind, container and settings as the template,
  // with the given array index; it starts hidden, above its siblings.
  virtual Control& CloneControl(const Control& templ, int index) = 0;
  virtual void Destroy(Component& component) = 0;

  // The window became the one the user works in, coming from another of the
  // program's windows or from its being shown; not when one of the
  // program's message boxes closes over it, nor when the user comes back to
  // it from another program.
  Handler<> onActivate;
  // Set the argument (cancel) to true to keep the window open.
  Handler<bool&> onUnload;
  // The key code, then the shift state.
  Handler<int, int> onKeyDown;
  Handler<const MouseArgs&> onMouseDown;
  Handler<const MouseArgs&> onMouseMove;
  Handler<> onPaint;
};

}  // namespace tf::ui
