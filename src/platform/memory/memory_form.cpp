#include "platform/memory/memory_form.h"

#include <algorithm>

#include "platform/memory/manual_clock.h"
#include "platform/memory/memory_dialog_controls.h"
#include "platform/ui/data_controls.h"

namespace tf::ui {

namespace {
MemoryPlaced* PlacedOf(Component* component) { return dynamic_cast<MemoryPlaced*>(component); }
const MemoryPlaced& PlacedOf(const Control& control) {
  return dynamic_cast<const MemoryPlaced&>(control);
}
}  // namespace

MemoryForm::MemoryForm(std::string name, MemoryWindowFactory& factory, ManualClock& clock)
    : name_(std::move(name)), factory_(factory), clock_(clock) {
  factory_.forms_.push_back(this);
}

MemoryForm::~MemoryForm() {
  std::erase(factory_.forms_, this);
  retired_.clear();
  while (!components_.empty()) components_.pop_back();
}

void MemoryForm::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void MemoryForm::Show() {
  const bool wasHidden = !visible_;
  visible_ = true;
  if (wasHidden && onActivate) RunEvent(onActivate);
}

void MemoryForm::ShowModal(const Form&) {
  Show();
  if (factory_.onModal) factory_.onModal(*this);
}

void MemoryForm::Close() {
  RunEvent([this] {
    bool cancel = false;
    if (onUnload) onUnload(cancel);
    if (!cancel) visible_ = false;
  });
}

void MemoryForm::PaintPicture(const Image& source, int x, int y, int width, int height) {
  if (painting_) painted_.push_back({&source, x, y, width, height});
}

void MemoryForm::Refresh() {
  painted_.clear();
  if (onPaint) {
    painting_ = true;
    onPaint();
    painting_ = false;
  }
  for (const auto& component : components_)
    if (auto* container = dynamic_cast<MemoryContainer*>(component.get())) container->Refresh();
}

template <class T, class... Args>
T& MemoryForm::Add(Args&&... args) {
  auto component = std::make_unique<T>(std::forward<Args>(args)...);
  T& result = *component;
  components_.push_back(std::move(component));
  return result;
}

Image& MemoryForm::CreateImage(const std::string& name, Container* container, int index) {
  return Add<MemoryImage>(*this, name, index, container);
}

Label& MemoryForm::CreateLabel(const std::string& name, Container* container, int index) {
  return Add<MemoryLabel>(*this, name, index, container);
}

CheckBox& MemoryForm::CreateCheckBox(const std::string& name, Container* container) {
  return Add<MemoryCheckBox>(*this, name, -1, container);
}

Container& MemoryForm::CreateContainer(const std::string& name, Container* container, int index) {
  return Add<MemoryContainer>(*this, name, index, container);
}

AnimatedPicture& MemoryForm::CreateAnimatedPicture(const std::string& name, Container* container,
                                                   int index) {
  return Add<MemoryAnimatedPicture>(*this, name, index, container, clock_);
}

StringList& MemoryForm::CreateStringList(const std::string& name) {
  return Add<MemoryStringList>(name, -1);
}

FileList& MemoryForm::CreateFileList(const std::string& name) {
  return Add<DiskFileList>(name, -1);
}

Timer& MemoryForm::CreateTimer(const std::string& name) {
  return Add<MemoryTimer>(name, *this, clock_);
}

MenuEntry& MemoryForm::CreateMenuEntry(const std::string& name, const std::string& caption) {
  return Add<MemoryMenuEntry>(name, caption);
}

ListBox& MemoryForm::CreateListBox(const std::string& name) {
  return Add<MemoryListBox>(*this, name, -1, nullptr);
}

TextBox& MemoryForm::CreateTextBox(const std::string& name) {
  return Add<MemoryTextBox>(*this, name, -1, nullptr);
}

CommandButton& MemoryForm::CreateCommandButton(const std::string& name,
                                               const std::string& caption) {
  return Add<MemoryCommandButton>(*this, name, caption);
}

Control& MemoryForm::CloneControl(const Control& templ, int index) {
  Control& clone = PlacedOf(templ).CloneAs(index);
  clone.SetVisible(false);
  return clone;
}

void MemoryForm::Destroy(Component& component) {
  auto it = std::find_if(components_.begin(), components_.end(),
                         [&](const auto& owned) { return owned.get() == &component; });
  if (it == components_.end()) return;
  if (auto* control = dynamic_cast<Control*>(&component)) {
    control->SetVisible(false);
    // What lay in it moves on to its own container.
    auto* container = dynamic_cast<Container*>(control);
    Container* outer = PlacedOf(*control).GetContainer();
    for (const auto& other : components_) {
      MemoryPlaced* placed = PlacedOf(other.get());
      if (container && placed && placed->GetContainer() == container)
        placed->Self().SetContainer(outer);
    }
  }
  if (auto* timer = dynamic_cast<MemoryTimer*>(&component)) timer->Detach();
  if (&component == dragSource_) dragSource_ = nullptr;
  retired_.push_back(std::move(*it));
  components_.erase(it);
}

void MemoryForm::RunEvent(const std::function<void()>& handler) {
  struct Depth {
    MemoryForm& form;
    explicit Depth(MemoryForm& f) : form(f) { ++form.eventDepth_; }
    ~Depth() {
      if (--form.eventDepth_ == 0) form.retired_.clear();
    }
  } depth(*this);
  handler();
}

Control* MemoryForm::FindControl(const std::string& name, int index) const {
  for (const auto& component : components_) {
    auto* control = dynamic_cast<Control*>(component.get());
    if (control && control->Name() == name && control->Index() == index) return control;
  }
  return nullptr;
}

std::pair<int, int> MemoryForm::WindowPosition(const Control& control) const {
  int x = control.Left();
  int y = control.Top();
  for (const Container* outer = PlacedOf(control).GetContainer(); outer;
       outer = PlacedOf(*outer).GetContainer()) {
    x += outer->Left();
    y += outer->Top();
  }
  return {x, y};
}

Control* MemoryForm::ControlAtIn(const Container* container, int x, int y) const {
  std::vector<const MemoryPlaced*> inside;
  for (const auto& component : components_) {
    const MemoryPlaced* placed = PlacedOf(component.get());
    if (placed && placed->GetContainer() == container) inside.push_back(placed);
  }
  std::sort(inside.begin(), inside.end(),
            [](const MemoryPlaced* a, const MemoryPlaced* b) { return a->Z() > b->Z(); });
  for (const MemoryPlaced* placed : inside) {
    const Control& control = placed->Self();
    if (!control.Visible()) continue;
    const int innerX = x - control.Left();
    const int innerY = y - control.Top();
    if (innerX < 0 || innerY < 0 || innerX >= control.Width() || innerY >= control.Height())
      continue;
    if (auto* box = dynamic_cast<const Container*>(&control))
      if (Control* inner = ControlAtIn(box, innerX, innerY)) return inner;
    return const_cast<Control*>(&control);
  }
  return nullptr;
}

Control* MemoryForm::ControlAt(int x, int y) const { return ControlAtIn(nullptr, x, y); }

void MemoryForm::ClickAt(int x, int y, int button, int shift) {
  RunEvent([&] {
    Control* control = ControlAt(x, y);
    if (!control) {
      if (onMouseDown) onMouseDown({button, shift, x, y});
      return;
    }
    auto [left, top] = WindowPosition(*control);
    const MouseArgs args{button, shift, x - left, y - top};
    if (control->onMouseDown) control->onMouseDown(args);
    if (dragSource_) {
      DropAt(x, y);
      return;
    }
    if (control->onMouseUp) control->onMouseUp(args);
    if (button != kLeftButton) return;
    if (auto* box = dynamic_cast<CheckBox*>(control)) box->SetValue(box->Value() == 0 ? 1 : 0);
    if (control->onClick) control->onClick();
  });
}

void MemoryForm::DragAt(int fromX, int fromY, int toX, int toY) {
  RunEvent([&] {
    Control* control = ControlAt(fromX, fromY);
    if (!control) {
      if (onMouseDown) onMouseDown({kLeftButton, 0, fromX, fromY});
      return;
    }
    auto [left, top] = WindowPosition(*control);
    if (control->onMouseDown) control->onMouseDown({kLeftButton, 0, fromX - left, fromY - top});
    if (dragSource_) {
      DropAt(toX, toY);
      return;
    }
    // Without a drag the release goes to the control pressed.
    if (control->onMouseUp) control->onMouseUp({kLeftButton, 0, toX - left, toY - top});
  });
}

void MemoryForm::DropAt(int x, int y) {
  const Control* source = dragSource_;
  dragSource_ = nullptr;
  Control* target = ControlAt(x, y);
  if (!target || !target->onDragDrop) return;
  auto [left, top] = WindowPosition(*target);
  target->onDragDrop(*source, x - left, y - top);
}

void MemoryForm::PressKey(int keyCode) {
  RunEvent([&] {
    for (const auto& component : components_) {
      auto* button = dynamic_cast<CommandButton*>(component.get());
      if (!button || !button->Visible() || !button->onClick) continue;
      if ((keyCode == kKeyReturn && button->Default()) ||
          (keyCode == kKeyEscape && button->Cancel())) {
        button->onClick();
        return;
      }
    }
    if (onKeyDown) onKeyDown(keyCode, 0);
  });
}

// MemoryWindowFactory

std::unique_ptr<Form> MemoryWindowFactory::CreateForm(const std::string& name, FormStyle) {
  return std::make_unique<MemoryForm>(name, *this, clock_);
}

MemoryForm* MemoryWindowFactory::Find(const std::string& name) const {
  for (MemoryForm* form : forms_)
    if (form->Name() == name) return form;
  return nullptr;
}

}  // namespace tf::ui
