#include "platform/memory/memory_controls.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/memory/manual_clock.h"
#include "platform/memory/memory_form.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/pointer_file.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/twips.h"

namespace tf::ui {

namespace {
constexpr int kErrInvalidPropertyValue = 380;

// Sizes of the built-in pictures, in pixels, as the desktop draws them.
std::pair<int, int> BuiltinSize(BuiltinPicture picture) {
  switch (picture) {
    case BuiltinPicture::NewGame:
    case BuiltinPicture::LoadGame:
    case BuiltinPicture::Quit:
      return {80, 80};
    case BuiltinPicture::Information:
    case BuiltinPicture::Back:
      return {22, 22};
    case BuiltinPicture::About:
      return {18, 18};
    case BuiltinPicture::MakerLink:
      return {120, 28};
  }
  return {0, 0};
}

const MemoryPlaced* PlacedOf(const Container* container) {
  return dynamic_cast<const MemoryPlaced*>(container);
}
}  // namespace

// MemoryControl

template <class Interface>
MemoryControl<Interface>::MemoryControl(MemoryForm& form, std::string name, int index,
                                        Container* container)
    : Interface(std::move(name), index), MemoryPlaced(container), form_(form) {
  BringToFront();
}

template <class Interface>
void MemoryControl<Interface>::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

template <class Interface>
void MemoryControl<Interface>::BringToFront() {
  z_ = StackingOrder(*this, form_.NextZ());
}

template <class Interface>
void MemoryControl<Interface>::SetContainer(Container* container) {
  for (const Container* outer = container; outer;) {
    if (static_cast<const Control*>(outer) == static_cast<const Control*>(this))
      RaiseError(kErrInvalidPropertyValue, this->Name() + " can't hold itself");
    const MemoryPlaced* placed = PlacedOf(outer);
    outer = placed ? placed->GetContainer() : nullptr;
  }
  container_ = container;
}

template <class Interface>
void MemoryControl<Interface>::SetCustomPointer(const std::string& storedPath) {
  if (!ReadPointerDirectory(ReadStoredFile(storedPath))) RaiseError(kErrInvalidPicture, storedPath);
  pointer_ = storedPath;
}

template <class Interface>
void MemoryControl<Interface>::Drag() {
  form_.BeginDrag(*this);
}

template <class Interface>
void MemoryControl<Interface>::CopyPlacementTo(MemoryControl& copy) const {
  copy.Move(left_, top_, width_, height_);
  copy.pointer_ = pointer_;
  copy.toolTip_ = toolTip_;
}

template class MemoryControl<Image>;
template class MemoryControl<Label>;
template class MemoryControl<CheckBox>;
template class MemoryControl<Container>;
template class MemoryControl<AnimatedPicture>;
template class MemoryControl<ListBox>;
template class MemoryControl<TextBox>;
template class MemoryControl<CommandButton>;

// MemoryImage

void MemoryImage::LoadPicture(const std::string& storedPath) {
  if (storedPath.empty()) {
    ClearPicture();
    return;
  }
  SetPicture(LoadPictureInfo(storedPath), storedPath);
}

void MemoryImage::LoadBuiltinPicture(BuiltinPicture picture) {
  auto [width, height] = BuiltinSize(picture);
  SetPicture(PictureInfo{width, height, {0}}, "");
}

void MemoryImage::ClearPicture() { SetPicture(std::nullopt, ""); }

void MemoryImage::SetPicture(std::optional<PictureInfo> picture, std::string path) {
  picture_ = std::move(picture);
  picturePath_ = std::move(path);
  if (!stretch_ && picture_) Move(Left(), Top(), PictureWidth(), PictureHeight());
}

void MemoryImage::SetStretch(bool stretch) {
  stretch_ = stretch;
  SetPicture(picture_, picturePath_);
}

int MemoryImage::PictureWidth() const { return picture_ ? PixelsToTwips(picture_->width) : 0; }

int MemoryImage::PictureHeight() const { return picture_ ? PixelsToTwips(picture_->height) : 0; }

void MemoryImage::SetPictureFrom(const Image& source) {
  const auto& from = static_cast<const MemoryImage&>(source);
  SetPicture(from.picture_, from.picturePath_);
}

void MemoryImage::SetDragIconFromPicture(const Image& source) {
  const auto& from = static_cast<const MemoryImage&>(source);
  dragIcon_ = from.picture_;
  dragIconPath_ = from.picturePath_;
}

void MemoryImage::SetDragIconFrom(const Image& source) {
  const auto& from = static_cast<const MemoryImage&>(source);
  dragIcon_ = from.dragIcon_;
  dragIconPath_ = from.dragIconPath_;
}

Control& MemoryImage::CloneAs(int index) const {
  auto& copy = static_cast<MemoryImage&>(form_.CreateImage(Name(), container_, index));
  CopyPlacementTo(copy);
  copy.stretch_ = stretch_;
  copy.SetPicture(picture_, picturePath_);
  copy.SetDragIconFrom(*this);
  return copy;
}

// MemoryLabel

void MemoryLabel::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  FitToCaption();
}

void MemoryLabel::SetFont(const Font& font) {
  font_ = font;
  FitToCaption();
}

void MemoryLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FitToCaption();
}

// Without a font engine the caption's size is an estimate: each character
// half the font's pixel size wide (a bold one a tenth wider), each line 1.15
// times the pixel size high.
void MemoryLabel::FitToCaption() {
  if (!autoSize_) return;
  const double pixelSize = font_.size * 96.0 / 72.0;
  size_t longest = 0;
  int lines = 0;
  for (size_t start = 0; start <= caption_.size(); ++lines) {
    size_t end = std::min(caption_.find('\n', start), caption_.size());
    size_t length = end - start;
    if (length > 0 && caption_[end - 1] == '\r') --length;
    longest = std::max(longest, length);
    start = end + 1;
  }
  const double charWidth = pixelSize * (font_.bold ? 0.55 : 0.5);
  Move(Left(), Top(), PixelsToTwips(std::ceil(static_cast<double>(longest) * charWidth)),
       PixelsToTwips(std::ceil(lines * pixelSize * 1.15)));
}

Control& MemoryLabel::CloneAs(int index) const {
  auto& copy = static_cast<MemoryLabel&>(form_.CreateLabel(Name(), container_, index));
  CopyPlacementTo(copy);
  copy.font_ = font_;
  copy.foreColor_ = foreColor_;
  copy.backColor_ = backColor_;
  copy.transparent_ = transparent_;
  copy.alignment_ = alignment_;
  copy.autoSize_ = autoSize_;
  copy.SetCaption(caption_);
  return copy;
}

// MemoryCheckBox

void MemoryCheckBox::SetValue(int value) {
  if (value < 0 || value > 2) RaiseError(kErrInvalidPropertyValue);
  value_ = value;
}

Control& MemoryCheckBox::CloneAs(int) const {
  RaiseError(kErrInvalidPicture, "control kind can't be an array element");
}

// MemoryContainer

void MemoryContainer::PaintPicture(const Image& source, int x, int y, int width, int height) {
  if (painting_) painted_.push_back({&source, x, y, width, height});
}

void MemoryContainer::Refresh() {
  painted_.clear();
  if (!onPaint) return;
  painting_ = true;
  onPaint();
  painting_ = false;
}

Control& MemoryContainer::CloneAs(int index) const {
  auto& copy = static_cast<MemoryContainer&>(form_.CreateContainer(Name(), container_, index));
  CopyPlacementTo(copy);
  copy.backColor_ = backColor_;
  return copy;
}

// MemoryAnimatedPicture

MemoryAnimatedPicture::MemoryAnimatedPicture(MemoryForm& form, std::string name, int index,
                                             Container* container, const ManualClock& clock)
    : MemoryControl(form, std::move(name), index, container), clock_(clock) {}

void MemoryAnimatedPicture::LoadFile(const std::string& storedPath) {
  picture_ = LoadPictureInfo(storedPath);
  filePath_ = storedPath;
  // Shows the first frame and holds it until Start.
  playing_ = false;
  playedBeforeMs_ = 0;
  Move(Left(), Top(), PixelsToTwips(picture_->width), PixelsToTwips(picture_->height));
}

// The pace is the file's own at 50, proportional to the speed, from 1 % to
// ten times, as the desktop plays it.
int MemoryAnimatedPicture::SpeedPercent() const {
  return static_cast<int>(std::clamp(2LL * speed_, 1LL, 1000LL));
}

void MemoryAnimatedPicture::SetSpeed(int speed) {
  playedBeforeMs_ = PlayedMs();
  resumedAtMs_ = clock_.NowMs();
  speed_ = speed;
}

void MemoryAnimatedPicture::Start() {
  if (!picture_ || playing_) return;
  playing_ = true;
  playedBeforeMs_ = 0;
  resumedAtMs_ = clock_.NowMs();
}

void MemoryAnimatedPicture::Stop() {
  playedBeforeMs_ = PlayedMs();
  playing_ = false;
}

int64_t MemoryAnimatedPicture::PlayedMs() const {
  if (!playing_) return playedBeforeMs_;
  return playedBeforeMs_ + (clock_.NowMs() - resumedAtMs_) * SpeedPercent() / 100;
}

int MemoryAnimatedPicture::CurrentFrame() const {
  if (!picture_) return -1;
  const std::vector<int>& delays = picture_->frameDelaysMs;
  int64_t cycle = 0;
  for (int delay : delays) cycle += delay;
  if (cycle <= 0) return 0;
  int64_t at = PlayedMs() % cycle;
  for (size_t frame = 0; frame < delays.size(); ++frame) {
    if (at < delays[frame]) return static_cast<int>(frame);
    at -= delays[frame];
  }
  return 0;
}

Control& MemoryAnimatedPicture::CloneAs(int index) const {
  auto& copy =
      static_cast<MemoryAnimatedPicture&>(form_.CreateAnimatedPicture(Name(), container_, index));
  CopyPlacementTo(copy);
  copy.speed_ = speed_;
  return copy;
}

// MemoryTimer

MemoryTimer::MemoryTimer(std::string name, MemoryForm& form, ManualClock& clock)
    : Timer(std::move(name), -1), form_(form), clock_(clock) {
  clock_.Add(*this);
}

MemoryTimer::~MemoryTimer() { clock_.Remove(*this); }

void MemoryTimer::Restart() {
  if (Running())
    dueAt_ = clock_.NowMs() + Interval();
  else
    dueAt_.reset();
}

void MemoryTimer::Fire() {
  if (!dueAt_) return;
  *dueAt_ += Interval();
  form_.RunEvent([this] {
    if (onTimer) onTimer();
  });
}

void MemoryTimer::Detach() {
  dueAt_.reset();
  clock_.Remove(*this);
}

}  // namespace tf::ui
