#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/memory/picture_files.h"
#include "platform/ui/controls.h"

namespace tf {
class ManualClock;
}

namespace tf::ui {

class MemoryForm;

// The part of every memory control that its window works with: where it
// lies, how it stacks, and how it is copied into an array element.
class MemoryPlaced {
 public:
  virtual ~MemoryPlaced() = default;
  virtual Control& Self() = 0;
  virtual const Control& Self() const = 0;
  // A new control of the same kind, container and settings, shown.
  virtual Control& CloneAs(int index) const = 0;

  Container* GetContainer() const { return container_; }
  // Higher lies above lower among controls of the same container.
  int64_t Z() const { return z_; }
  // The stored path of the control's own pointer file; empty for the
  // standard arrow.
  const std::string& CustomPointer() const { return pointer_; }

 protected:
  explicit MemoryPlaced(Container* container) : container_(container) {}
  Container* container_;
  int64_t z_ = 0;
  std::string pointer_;
};

// A picture drawn into a surface during its onPaint.
struct PaintedPicture {
  const Image* source;
  int x, y, width, height;
};

// What all the memory controls share: geometry in twips, visibility,
// stacking and pointer, kept as set.
template <class Interface>
class MemoryControl : public Interface, public MemoryPlaced {
 public:
  MemoryControl(MemoryForm& form, std::string name, int index, Container* container);

  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Move(int left, int top, int width, int height) override;
  void BringToFront() override;
  void SetContainer(Container* container) override;
  void SetStandardPointer() override { pointer_.clear(); }
  void SetCustomPointer(const std::string& storedPath) override;
  const std::string& ToolTipText() const override { return toolTip_; }
  void SetToolTipText(const std::string& text) override { toolTip_ = text; }
  void Drag() override;

  Control& Self() override { return *this; }
  const Control& Self() const override { return *this; }

 protected:
  // Geometry, pointer and stacking of a new array element copied from this.
  void CopyPlacementTo(MemoryControl& copy) const;

  MemoryForm& form_;
  bool visible_ = true;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string toolTip_;
};

class MemoryImage : public MemoryControl<Image> {
 public:
  using MemoryControl::MemoryControl;
  void LoadPicture(const std::string& storedPath) override;
  void LoadBuiltinPicture(BuiltinPicture picture) override;
  void ClearPicture() override;
  bool HasPicture() const override { return picture_.has_value(); }
  void SetStretch(bool stretch) override;
  bool Stretch() const override { return stretch_; }
  int PictureWidth() const override;
  int PictureHeight() const override;
  void SetPictureFrom(const Image& source) override;
  void SetDragIconFromPicture(const Image& source) override;
  void SetDragIconFrom(const Image& source) override;
  bool HasDragIcon() const override { return dragIcon_.has_value(); }
  Control& CloneAs(int index) const override;

  // The stored path of the picture file shown; empty for none or a built-in.
  const std::string& PicturePath() const { return picturePath_; }
  // The same for the drag picture.
  const std::string& DragIconPath() const { return dragIconPath_; }

 private:
  void SetPicture(std::optional<PictureInfo> picture, std::string path);
  std::optional<PictureInfo> picture_;
  std::string picturePath_;
  std::optional<PictureInfo> dragIcon_;
  std::string dragIconPath_;
  bool stretch_ = false;
};

class MemoryLabel : public MemoryControl<Label> {
 public:
  using MemoryControl::MemoryControl;
  const std::string& Caption() const override { return caption_; }
  void SetCaption(std::string caption) override;
  const Font& GetFont() const override { return font_; }
  void SetFont(const Font& font) override;
  Colour ForeColor() const override { return foreColor_; }
  void SetForeColor(Colour colour) override { foreColor_ = colour; }
  void SetBackColor(Colour colour) override { backColor_ = colour; }
  void SetTransparent(bool transparent) override { transparent_ = transparent; }
  void SetAlignment(Alignment alignment) override { alignment_ = alignment; }
  void SetAutoSize(bool autoSize) override;
  Control& CloneAs(int index) const override;

  Colour BackColor() const { return backColor_; }
  bool Transparent() const { return transparent_; }
  Alignment GetAlignment() const { return alignment_; }

 private:
  void FitToCaption();
  std::string caption_;
  Font font_;
  Colour foreColor_ = 0;
  Colour backColor_ = 0xFFFFFF;
  bool transparent_ = false;
  Alignment alignment_ = Alignment::Left;
  bool autoSize_ = false;
};

class MemoryCheckBox : public MemoryControl<CheckBox> {
 public:
  using MemoryControl::MemoryControl;
  int Value() const override { return value_; }
  void SetValue(int value) override;
  // Check boxes are no array elements.
  Control& CloneAs(int index) const override;

 private:
  int value_ = 0;
};

class MemoryContainer : public MemoryControl<Container> {
 public:
  using MemoryControl::MemoryControl;
  Colour BackColor() const override { return backColor_; }
  void SetBackColor(Colour colour) override { backColor_ = colour; }
  int ScaleWidth() const override { return Width(); }
  int ScaleHeight() const override { return Height(); }
  void PaintPicture(const Image& source, int x, int y, int width, int height) override;
  // Paints at once: runs onPaint, whose pictures replace Painted().
  void Refresh() override;
  Control& CloneAs(int index) const override;

  // What the last painting drew, in order.
  const std::vector<PaintedPicture>& Painted() const { return painted_; }

 private:
  Colour backColor_ = 0;
  bool painting_ = false;
  std::vector<PaintedPicture> painted_;
};

// Plays on the platform's clock: the frame shown follows the time since
// Start, each frame lasting its delay from the file (divided by the speed's
// share of 50), looping for ever. Without frame delays (a still picture) it
// shows its one frame.
class MemoryAnimatedPicture : public MemoryControl<AnimatedPicture> {
 public:
  MemoryAnimatedPicture(MemoryForm& form, std::string name, int index, Container* container,
                        const ManualClock& clock);
  void LoadFile(const std::string& storedPath) override;
  void SetSpeed(int speed) override;
  int Speed() const override { return speed_; }
  void Start() override;
  void Stop() override;
  bool Playing() const override { return playing_; }
  int CurrentFrame() const override;
  Control& CloneAs(int index) const override;

  const std::string& FilePath() const { return filePath_; }

 private:
  // Milliseconds of the file's own pace played so far.
  int64_t PlayedMs() const;
  int SpeedPercent() const;
  const ManualClock& clock_;
  std::optional<PictureInfo> picture_;
  std::string filePath_;
  int speed_ = 50;
  bool playing_ = false;
  int64_t playedBeforeMs_ = 0;  // up to the last start or change of speed
  int64_t resumedAtMs_ = 0;
};

// Fires on the manual clock; see ManualClock::Advance.
class MemoryTimer : public Timer {
 public:
  MemoryTimer(std::string name, MemoryForm& form, ManualClock& clock);
  ~MemoryTimer() override;

  // When it fires next, nullopt while it doesn't run.
  std::optional<int64_t> DueAt() const { return dueAt_; }
  // Runs onTimer as an event of its window and counts the next interval.
  void Fire();
  // Stops for good: the timer was destroyed.
  void Detach();

 private:
  void Restart() override;
  MemoryForm& form_;
  ManualClock& clock_;
  std::optional<int64_t> dueAt_;
};

class MemoryMenuEntry : public MenuEntry {
 public:
  MemoryMenuEntry(std::string name, std::string caption)
      : MenuEntry(std::move(name), -1), caption_(std::move(caption)) {}
  const std::string& Caption() const override { return caption_; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }

 private:
  std::string caption_;
  bool visible_ = true;
};

}  // namespace tf::ui
