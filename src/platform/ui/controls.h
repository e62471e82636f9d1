#pragma once

#include <cstdint>
#include <string>

#include "platform/runtime/runtime_error.h"
#include "platform/ui/handler.h"

namespace tf::ui {

// Mouse buttons as the game's handlers receive them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// Shift states as the game's handlers receive them, one bit a key.
enum ShiftKey : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// Key codes as the game's key handlers receive them; letters and digits are
// their capital ASCII codes, the function keys kKeyF1 and on.
enum KeyCode : int {
  kKeyBack = 8,
  kKeyTab = 9,
  kKeyReturn = 13,
  kKeyEscape = 27,
  kKeySpace = 32,
  kKeyF1 = 112,
};

// A mouse event: position in twips relative to the control it happened on.
struct MouseArgs {
  int button = kLeftButton;
  int shift = 0;
  int x = 0;
  int y = 0;
};

// Colours are numbers with red in the low byte, then green, then blue.
using Colour = uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

class Container;

// What every part of a window has: a name, an index and a tag text.
class Component {
 public:
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  // Position in its control array, -1 for one that is not in an array.
  int Index() const { return index_; }
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }

 protected:
  Component(std::string name, int index) : name_(std::move(name)), index_(index) {}

 private:
  std::string name_;
  int index_;
  std::string tag_;
};

// A visible control. Positions and sizes are in twips (15 twips to the
// pixel), relative to the control's container.
class Control : public Component {
 public:
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual int Left() const = 0;
  virtual int Top() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void Move(int left, int top, int width, int height) = 0;
  void SetLeft(int left) { Move(left, Top(), Width(), Height()); }
  void SetTop(int top) { Move(Left(), top, Width(), Height()); }
  void SetWidth(int width) { Move(Left(), Top(), width, Height()); }
  void SetHeight(int height) { Move(Left(), Top(), Width(), height); }
  // Puts the control above its siblings of its own layer (see Lightweight).
  virtual void BringToFront() = 0;
  // Images and labels are drawn on their container's own surface; every
  // other control is a window of its own, and so lies above all the
  // lightweight controls of its container, whichever was made or brought to
  // the front last.
  virtual bool Lightweight() const { return false; }
  // Moves the control into another container (null: onto the window),
  // keeping its position relative to its container.
  virtual void SetContainer(Container* container) = 0;
  // The mouse pointer over the control: the standard arrow, or a custom one
  // from a cursor or icon file (.cur, .ico) with its hot spot. Error 53 for a
  // missing file, 481 for one that is no cursor or icon.
  virtual void SetStandardPointer() = 0;
  virtual void SetCustomPointer(const std::string& storedPath) = 0;
  // The text shown when the pointer rests on the control.
  virtual const std::string& ToolTipText() const = 0;
  virtual void SetToolTipText(const std::string& text) = 0;
  // Starts dragging the control (from its press handler): until the button
  // is released the pointer shows the control's drag picture; the release
  // drops it on the control under the pointer, whose onDragDrop runs.
  // Esc, or a release over no control, ends the drag with no drop.
  virtual void Drag() = 0;

  Handler<const MouseArgs&> onMouseDown;
  Handler<const MouseArgs&> onMouseUp;
  Handler<const MouseArgs&> onMouseMove;
  Handler<> onClick;
  // A dragged control dropped here (the source, then the position in twips,
  // relative to this control).
  Handler<const Control&, int, int> onDragDrop;

 protected:
  using Component::Component;
};

// The stacking value of a control brought to the front as the `order`th of
// its window: a higher value lies above a lower one among siblings.
inline int64_t StackingOrder(const Control& control, int64_t order) {
  constexpr int64_t kWindowedLayer = int64_t{1} << 40;
  return control.Lightweight() ? order : kWindowedLayer + order;
}

// Pictures this program draws itself, for the welcome window's built-in look.
enum class BuiltinPicture { NewGame, LoadGame, Quit, Information, Back, About, MakerLink };

class Image : public Control {
 public:
  // Loads a picture file (BMP, JPEG, GIF, PNG, ICO, CUR) named by a stored
  // path; error 53 when missing, 481 when it is no picture. On failure the
  // old picture stays.
  virtual void LoadPicture(const std::string& storedPath) = 0;
  // LoadPicture for a picture whose failure is no concern: one that can't be
  // loaded leaves the old picture, without an error. It may come into place a
  // little later, though before the image is drawn or asked about it.
  virtual void LoadPictureQuietly(const std::string& storedPath) {
    try {
      LoadPicture(storedPath);
    } catch (const RuntimeError&) {
    }
  }
  virtual void LoadBuiltinPicture(BuiltinPicture picture) = 0;
  virtual void ClearPicture() = 0;
  virtual bool HasPicture() const = 0;
  // Stretch: the picture fills the control; otherwise the control takes the
  // size of its picture.
  virtual void SetStretch(bool stretch) = 0;
  virtual bool Stretch() const = 0;
  // Size of the picture itself, in twips (0 without one).
  virtual int PictureWidth() const = 0;
  virtual int PictureHeight() const = 0;
  // Takes the picture of another image, as LoadPicture would.
  virtual void SetPictureFrom(const Image& source) = 0;
  // The picture under the pointer while the image is dragged: another
  // image's picture, or its drag picture.
  virtual void SetDragIconFromPicture(const Image& source) = 0;
  virtual void SetDragIconFrom(const Image& source) = 0;
  virtual bool HasDragIcon() const = 0;
  bool Lightweight() const final { return true; }

 protected:
  using Control::Control;
};

struct Font {
  std::string name = "Arial";
  double size = 8.25;  // points, at 96 dots per inch
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;

  bool operator==(const Font&) const = default;
};

enum class Alignment { Left, Right, Center };

class Label : public Control {
 public:
  virtual const std::string& Caption() const = 0;
  virtual void SetCaption(std::string caption) = 0;
  virtual const Font& GetFont() const = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual Colour ForeColor() const = 0;
  virtual void SetForeColor(Colour colour) = 0;
  virtual void SetBackColor(Colour colour) = 0;
  virtual void SetTransparent(bool transparent) = 0;
  virtual void SetAlignment(Alignment alignment) = 0;
  // With automatic sizing the label takes the size of its caption.
  virtual void SetAutoSize(bool autoSize) = 0;
  bool Lightweight() const final { return true; }

 protected:
  using Control::Control;
};

// A check box: 0 unticked, 1 ticked, 2 greyed.
class CheckBox : public Control {
 public:
  virtual int Value() const = 0;
  virtual void SetValue(int value) = 0;

 protected:
  using Control::Control;
};

// A surface that holds other controls and can be drawn on.
class Container : public Control {
 public:
  virtual Colour BackColor() const = 0;
  virtual void SetBackColor(Colour colour) = 0;
  // Inner size in twips.
  virtual int ScaleWidth() const = 0;
  virtual int ScaleHeight() const = 0;
  // Draws the picture of an image control at a position and size (twips)
  // into the surface. Only valid inside onPaint.
  virtual void PaintPicture(const Image& source, int x, int y, int width, int height) = 0;
  // Asks for the surface to be painted again.
  virtual void Refresh() = 0;

  Handler<> onPaint;

 protected:
  using Control::Control;
};

// Plays an animated picture (GIF). It takes the size of its picture.
class AnimatedPicture : public Control {
 public:
  // Loads the file; error 53 when missing, 481 when it is no picture.
  virtual void LoadFile(const std::string& storedPath) = 0;
  // The speed of the animation: 50 plays the picture at its own pace; the
  // pace is proportional to the value.
  virtual void SetSpeed(int speed) = 0;
  virtual int Speed() const = 0;
  // Plays from the current frame on; after Stop, Start plays from the first
  // frame again.
  virtual void Start() = 0;
  virtual void Stop() = 0;
  virtual bool Playing() const = 0;
  virtual int CurrentFrame() const = 0;

 protected:
  using Control::Control;
};

// A hidden list of strings used as data.
class StringList : public Component {
 public:
  virtual void AddItem(const std::string& item) = 0;
  // Error 5 for an index outside the list.
  virtual void RemoveItem(int index) = 0;
  virtual int ListCount() const = 0;
  virtual const std::string& List(int index) const = 0;
  virtual void Clear() = 0;

 protected:
  using Component::Component;
};

// A list of the files of one folder that match a pattern such as "*.lbl".
class FileList : public Component {
 public:
  virtual void SetPath(const std::string& storedPath) = 0;
  virtual void SetPattern(const std::string& pattern) = 0;
  virtual int ListCount() const = 0;
  virtual const std::string& List(int index) const = 0;

 protected:
  using Component::Component;
};

// Fires onTimer every Interval milliseconds while Enabled. Setting the
// interval, or switching the timer on or off, starts the count again.
class Timer : public Component {
 public:
  int Interval() const { return interval_; }
  // Milliseconds; 0 never fires. Error 380 for a negative value.
  void SetInterval(int milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  Handler<> onTimer;

 protected:
  using Component::Component;
  // Whether the timer counts now.
  bool Running() const { return enabled_ && interval_ > 0; }
  // Starts the count again from now, or stops it when not Running.
  virtual void Restart() = 0;

 private:
  int interval_ = 0;
  bool enabled_ = false;
};

class MenuEntry : public Component {
 public:
  virtual const std::string& Caption() const = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;

  Handler<> onClick;

 protected:
  using Component::Component;
};

// A list of strings that the user sees and picks one entry of. Its entries
// are UTF-8, as the names of files it lists are.
class ListBox : public Control {
 public:
  virtual void AddItem(const std::string& item) = 0;
  virtual void Clear() = 0;
  virtual int ListCount() const = 0;
  // Error 5 for an index outside the list.
  virtual const std::string& List(int index) const = 0;
  // The selected entry, -1 for none.
  virtual int ListIndex() const = 0;

  // onClick follows every selection by the user; a double click on an entry
  // then runs onDblClick.
  Handler<> onDblClick;

 protected:
  using Control::Control;
};

// A one-line text box the user types into; its text is UTF-8, so that it
// keeps every letter typed.
class TextBox : public Control {
 public:
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  // Puts the keyboard focus into the box.
  virtual void SetFocus() = 0;

 protected:
  using Control::Control;
};

// A push button. Enter anywhere in its window presses the window's default
// button, Escape its cancel button.
class CommandButton : public Control {
 public:
  virtual const std::string& Caption() const = 0;
  bool Default() const { return default_; }
  void SetDefault(bool isDefault) { default_ = isDefault; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool isCancel) { cancel_ = isCancel; }

 protected:
  using Control::Control;

 private:
  bool default_ = false;
  bool cancel_ = false;
};

}  // namespace tf::ui
