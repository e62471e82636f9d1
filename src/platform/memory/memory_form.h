#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/memory/memory_controls.h"
#include "platform/platform.h"

namespace tf {
class ManualClock;
}

namespace tf::ui {

class MemoryWindowFactory;

// A window that exists only in memory. It has no frame, so its inner size is
// its outer size whatever its style. Controls stack as on a desktop: a
// container's controls lie above it and inside its edges, siblings in the
// order they were made or last brought to the front.
class MemoryForm : public Form {
 public:
  MemoryForm(std::string name, MemoryWindowFactory& factory, ManualClock& clock);
  ~MemoryForm() override;

  const std::string& Name() const override { return name_; }
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Move(int left, int top, int width, int height) override;
  int ScaleWidth() const override { return width_; }
  int ScaleHeight() const override { return height_; }
  bool Visible() const override { return visible_; }
  // Showing a hidden window activates it.
  void Show() override;
  void Hide() override { visible_ = false; }
  // Shows the window and runs the factory's onModal, the user's part; it
  // returns when that is done, the window hidden or not.
  void ShowModal(const Form& owner) override;
  // Runs onUnload as an event; the window hides unless it cancels.
  void Close() override;
  void SetFocus() override { focused_ = true; }
  void SetTopmost(bool topmost) override { topmost_ = topmost; }
  void SetBackColor(Colour colour) override { backColor_ = colour; }
  // No user is there to move it; the calls are counted.
  void BeginUserMove() override { ++userMoves_; }
  void PaintPicture(const Image& source, int x, int y, int width, int height) override;
  // Paints at once: the window's onPaint, then every container's.
  void Refresh() override;
  void SetFullScreen(bool fullScreen) override { fullScreen_ = fullScreen; }
  bool FullScreen() const override { return fullScreen_; }
  // Nothing is drawn here: what the window shows is alike either way.
  void SetScreenControl(const Control&) override {}
  void SetScaling(Scaling scaling) override { scaling_ = scaling; }
  Scaling GetScaling() const override { return scaling_; }

  Image& CreateImage(const std::string& name, Container* container, int index) override;
  Label& CreateLabel(const std::string& name, Container* container, int index) override;
  CheckBox& CreateCheckBox(const std::string& name, Container* container) override;
  Container& CreateContainer(const std::string& name, Container* container, int index) override;
  AnimatedPicture& CreateAnimatedPicture(const std::string& name, Container* container,
                                         int index) override;
  StringList& CreateStringList(const std::string& name) override;
  FileList& CreateFileList(const std::string& name) override;
  Timer& CreateTimer(const std::string& name) override;
  MenuEntry& CreateMenuEntry(const std::string& name, const std::string& caption) override;
  ListBox& CreateListBox(const std::string& name) override;
  TextBox& CreateTextBox(const std::string& name) override;
  CommandButton& CreateCommandButton(const std::string& name, const std::string& caption) override;
  Control& CloneControl(const Control& templ, int index) override;
  // The component leaves the window at once; it is kept, hidden and inert,
  // until the event being handled is over, as its own handler may be running.
  void Destroy(Component& component) override;

  bool Focused() const { return focused_; }
  bool Topmost() const { return topmost_; }
  int UserMoves() const { return userMoves_; }
  Colour BackColor() const { return backColor_; }
  // What the window's last painting drew, in order.
  const std::vector<PaintedPicture>& Painted() const { return painted_; }
  // The control of that name and array index (-1: not in an array).
  Control* FindControl(const std::string& name, int index) const;
  // The topmost shown control at a point of the window (twips), or null.
  Control* ControlAt(int x, int y) const;
  // Where a control's top-left corner lies in the window (twips).
  std::pair<int, int> WindowPosition(const Control& control) const;
  // A click of the user at a point of the window (twips): the topmost shown
  // control there gets the press, the release and (for the left button) the
  // click, and a check box ticks; with none there the window gets the press.
  void ClickAt(int x, int y, int button = kLeftButton, int shift = 0);
  // A left press at one point of the window and a release at another, the
  // button held on the way; a drag begun by the press drops at the release.
  void DragAt(int fromX, int fromY, int toX, int toY);
  // The control being dragged, null when no drag is on.
  const Control* DragSource() const { return dragSource_; }
  void BeginDrag(const Control& source) { dragSource_ = &source; }
  // A key pressed on the window: Enter presses the default button and
  // Escape the cancel button where the window has one; other keys go to
  // onKeyDown.
  void PressKey(int keyCode);
  // Runs one event: components destroyed during it go when it is over.
  void RunEvent(const std::function<void()>& handler);
  // A stacking value above every control made so far.
  int64_t NextZ() { return nextZ_++; }
  ManualClock& GetClock() const { return clock_; }

 private:
  template <class T, class... Args>
  T& Add(Args&&... args);
  // The shown control at a point relative to a container (null: the window),
  // looking only at what lies directly in it and deeper.
  Control* ControlAtIn(const Container* container, int x, int y) const;
  // Ends the drag: the control at the point, if any, gets the drop.
  void DropAt(int x, int y);

  std::string name_;
  MemoryWindowFactory& factory_;
  ManualClock& clock_;
  std::string caption_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = false;
  bool focused_ = false;
  bool topmost_ = false;
  int userMoves_ = 0;
  bool fullScreen_ = false;
  Scaling scaling_ = Scaling::SmoothFit;
  Colour backColor_ = Rgb(240, 240, 240);
  bool painting_ = false;
  std::vector<PaintedPicture> painted_;
  // In creation order; destroyed last to first, so that what lies in a
  // container goes before the container.
  std::vector<std::unique_ptr<Component>> components_;
  std::vector<std::unique_ptr<Component>> retired_;
  int eventDepth_ = 0;
  int64_t nextZ_ = 1;
  const Control* dragSource_ = nullptr;
};

// Makes memory windows and keeps track of those alive.
class MemoryWindowFactory : public WindowFactory {
 public:
  explicit MemoryWindowFactory(ManualClock& clock) : clock_(clock) {}
  std::unique_ptr<Form> CreateForm(const std::string& name, FormStyle style) override;
  MemoryForm* Find(const std::string& name) const;
  const std::vector<MemoryForm*>& Forms() const { return forms_; }

  // What the user does in a window shown modal, while it is.
  std::function<void(MemoryForm&)> onModal;

 private:
  friend class MemoryForm;
  ManualClock& clock_;
  std::vector<MemoryForm*> forms_;
};

}  // namespace tf::ui
