#include "platform/qt/qt_controls.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

#include "platform/qt/animation_player.h"
#include "platform/qt/builtin_pictures.h"
#include "platform/qt/covered_pixels.h"
#include "platform/qt/picture_size.h"
#include "platform/qt/picture_store.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_input.h"
#include "platform/qt/qt_pointer.h"
#include "platform/qt/scaled_pictures.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/twips.h"

namespace tf::ui {

namespace {

// Far more of a caption than any label shows: Qt lays text out at tens of
// bytes a character, so a damaged label file's megabytes are measured and
// drawn only this far.
constexpr size_t kLongestLaidOut = 65536;

// A scaled screen gives positions between pixels: the pixel is the one the
// position lies in.
MouseArgs ArgsOf(int button, Qt::KeyboardModifiers modifiers, QPointF pos) {
  return {button, ShiftOf(modifiers), PixelsToTwips(std::floor(pos.x())),
          PixelsToTwips(std::floor(pos.y()))};
}

}  // namespace

QFont ToQFont(const Font& font) {
  QFont result(QString::fromStdString(font.name));
  // Points at 96 dots per inch, whatever the desktop says.
  result.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0))));
  result.setBold(font.bold);
  result.setItalic(font.italic);
  result.setUnderline(font.underline);
  result.setStrikeOut(font.strikeout);
  return result;
}

QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QString ToQString(std::string_view storedText, size_t longest) {
  return QString::fromStdString(Cp1252ToUtf8(storedText.substr(0, longest)));
}

QSize ShownSize(const QPixmap& pixmap) { return pixmap.deviceIndependentSize().toSize(); }

void DrawPicture(QPainter& painter, const QPixmap& pixmap, int x, int y, int width, int height) {
  if (pixmap.isNull()) return;
  QRect target(TwipsToPixels(x), TwipsToPixels(y), TwipsToPixels(width), TwipsToPixels(height));
  if (target.size() != ShownSize(pixmap))
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  DrawScaledPicture(painter, pixmap, target);
}

// ControlItem

ControlItem::ControlItem(Control& owner, QGraphicsItem* parent)
    : QGraphicsItem(parent), owner_(owner) {
  setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
  setAcceptHoverEvents(true);
}

QRectF ControlItem::boundingRect() const { return QRectF(QPointF(0, 0), size_); }

void ControlItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  if (paintFn) paintFn(*painter);
}

void ControlItem::SetOwnPointer(const std::optional<QCursor>& pointer, PointerScaling scaling) {
  ownPointer_ = pointer;
  // Set, not unset: an item without a pointer of its own would show the
  // pointer of whatever lies beneath it.
  if (!ownPointer_) setCursor(Qt::ArrowCursor);
  ScalePointer(scaling);
}

void ControlItem::ScalePointer(PointerScaling scaling) {
  if (ownPointer_) setCursor(ScaledPointer(*ownPointer_, scaling));
}

void ControlItem::SetSize(QSizeF size) {
  if (size == size_) return;
  prepareGeometryChange();
  size_ = size;
}

void ControlItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
  event->accept();
  if (owner_.onMouseDown)
    owner_.onMouseDown(ArgsOf(ButtonOf(event->button()), event->modifiers(), event->pos()));
}

void ControlItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
  event->accept();
  if (owner_.onMouseUp)
    owner_.onMouseUp(ArgsOf(ButtonOf(event->button()), event->modifiers(), event->pos()));
  if (event->button() == Qt::LeftButton && boundingRect().contains(event->pos())) {
    if (onUserClick) onUserClick();
    if (owner_.onClick) owner_.onClick();
  }
}

void ControlItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
  if (owner_.onMouseMove)
    owner_.onMouseMove(ArgsOf(ButtonsOf(event->buttons()), event->modifiers(), event->pos()));
}

void ControlItem::hoverMoveEvent(QGraphicsSceneHoverEvent* event) {
  if (owner_.onMouseMove) owner_.onMouseMove(ArgsOf(0, event->modifiers(), event->pos()));
}

// QtControl

QtControlBase* QtControlOf(Control& control) { return dynamic_cast<QtControlBase*>(&control); }

const QtControlBase* QtControlOf(const Control& control) {
  return dynamic_cast<const QtControlBase*>(&control);
}

template <class Interface>
QtControl<Interface>::QtControl(QtForm& form, std::string name, int index, Container* container,
                                QGraphicsItem* parentItem)
    : Interface(std::move(name), index),
      form_(form),
      container_(container),
      item_(std::make_unique<ControlItem>(*this, parentItem)) {
  BringToFront();
}

template <class Interface>
QtControl<Interface>::~QtControl() {
  ReleaseChildren();
}

template <class Interface>
void QtControl<Interface>::ReleaseChildren() {
  // The item would take the items moved into it along; they belong to
  // their own controls, which move on to this control's container.
  for (QGraphicsItem* child : item_->childItems())
    if (auto* childItem = qgraphicsitem_cast<ControlItem*>(child))
      childItem->Owner().SetContainer(container_);
}

template <class Interface>
void QtControl<Interface>::SetVisible(bool visible) {
  visible_ = visible;
  item_->setVisible(visible);
}

template <class Interface>
void QtControl<Interface>::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  item_->setPos(TwipsToPixels(left), TwipsToPixels(top));
  item_->SetSize(QSizeF(TwipsToPixels(width), TwipsToPixels(height)));
  item_->update();
  form_.ControlMoved(*this);
}

template <class Interface>
void QtControl<Interface>::BringToFront() {
  item_->setZValue(static_cast<qreal>(StackingOrder(*this, form_.NextZ())));
}

template <class Interface>
void QtControl<Interface>::SetContainer(Container* container) {
  QGraphicsItem* parent = container ? &static_cast<QtContainer*>(container)->Item() : nullptr;
  if (parent == item_.get() || (parent && item_->isAncestorOf(parent)))
    RaiseError(kErrInvalidPropertyValue, this->Name() + " can't hold itself");
  item_->setParentItem(parent);
  container_ = container;
}

template <class Interface>
void QtControl<Interface>::SetStandardPointer() {
  item_->SetOwnPointer(std::nullopt, form_.PointerScalingNow());
}

template <class Interface>
void QtControl<Interface>::SetCustomPointer(const std::string& storedPath) {
  item_->SetOwnPointer(LoadPointer(storedPath), form_.PointerScalingNow());
}

template <class Interface>
void QtControl<Interface>::SetToolTipText(const std::string& text) {
  toolTip_ = text;
  item_->setToolTip(ToQString(text, kLongestTitle));
}

template <class Interface>
void QtControl<Interface>::Drag() {
  form_.BeginDrag(*this);
}

template class QtControl<Image>;
template class QtControl<Label>;
template class QtControl<CheckBox>;
template class QtControl<Container>;
template class QtControl<AnimatedPicture>;

// QtImage

QtImage::QtImage(QtForm& form, std::string name, int index, Container* container,
                 QGraphicsItem* parent)
    : QtControl(form, std::move(name), index, container, parent) {
  item_->paintFn = [this](QPainter& painter) {
    const QPixmap& pixmap = Pixmap();
    if (pixmap.isNull()) return;
    if (stretch_)
      DrawPicture(painter, pixmap, 0, 0, Width(), Height());
    else
      DrawScaledPicture(painter, pixmap, QRect(QPoint(0, 0), ShownSize(pixmap)));
  };
  item_->opaqueRect = [this] {
    const QPixmap& pixmap = Pixmap();
    if (pixmap.isNull() || pixmap.hasAlphaChannel()) return QRectF();
    const QRectF drawn = stretch_ ? QRectF(0, 0, TwipsToPixels(Width()), TwipsToPixels(Height()))
                                  : QRectF(QPointF(0, 0), ShownSize(pixmap));
    return drawn & item_->boundingRect();
  };
}

void QtImage::LoadPicture(const std::string& storedPath) {
  if (storedPath.empty()) {
    ClearPicture();
    return;
  }
  SetPixmap(PictureStore::Shared().Load(storedPath));
}

void QtImage::LoadPictureQuietly(const std::string& storedPath) {
  // A stretched picture doesn't size the image, so it may wait for its
  // decoding while the window thread goes on.
  if (stretch_ && !storedPath.empty() && PictureStore::Shared().IsDecoding(storedPath)) {
    settling_ = storedPath;
    item_->update();
    return;
  }
  try {
    LoadPicture(storedPath);
  } catch (const RuntimeError&) {
  }
}

void QtImage::Settle() const {
  if (builtin_) pixmap_ = MakeBuiltinPicture(*std::exchange(builtin_, std::nullopt));
  if (settling_.empty()) return;
  const std::string storedPath = std::move(settling_);
  settling_.clear();
  try {
    pixmap_ = PictureStore::Shared().Load(storedPath);
  } catch (const RuntimeError&) {
  }
}

// The picture may still be being drawn ahead: its size is known already.
void QtImage::LoadBuiltinPicture(BuiltinPicture picture) {
  SetPixmap(QPixmap());
  builtin_ = picture;
  const QSize size = BuiltinPictureSize(picture);
  if (!stretch_) Move(Left(), Top(), PixelsToTwips(size.width()), PixelsToTwips(size.height()));
}

void QtImage::ClearPicture() { SetPixmap(QPixmap()); }

void QtImage::SetPixmap(const QPixmap& pixmap) {
  settling_.clear();
  builtin_.reset();
  pixmap_ = pixmap;
  if (!stretch_ && !pixmap_.isNull()) {
    const QSize size = ShownSize(pixmap_);
    Move(Left(), Top(), PixelsToTwips(size.width()), PixelsToTwips(size.height()));
  }
  item_->update();
}

void QtImage::SetStretch(bool stretch) {
  stretch_ = stretch;
  SetPixmap(Pixmap());
}

int QtImage::PictureWidth() const {
  return HasPicture() ? PixelsToTwips(ShownSize(pixmap_).width()) : 0;
}

int QtImage::PictureHeight() const {
  return HasPicture() ? PixelsToTwips(ShownSize(pixmap_).height()) : 0;
}

void QtImage::SetPictureFrom(const Image& source) {
  SetPixmap(static_cast<const QtImage&>(source).Pixmap());
}

void QtImage::SetDragIconFromPicture(const Image& source) {
  dragIcon_ = static_cast<const QtImage&>(source).Pixmap();
}

void QtImage::SetDragIconFrom(const Image& source) {
  dragIcon_ = static_cast<const QtImage&>(source).dragIcon_;
}

Control& QtImage::Clone(QtForm& form, int index) const {
  QtImage& copy = form.CreateImage(Name(), container_, index);
  copy.Move(left_, top_, width_, height_);
  copy.SetStretch(stretch_);
  if (builtin_)
    copy.LoadBuiltinPicture(*builtin_);
  else
    copy.SetPixmap(Pixmap());
  copy.dragIcon_ = dragIcon_;
  copy.SetToolTipText(toolTip_);
  return copy;
}

// QtLabel

QtLabel::QtLabel(QtForm& form, std::string name, int index, Container* container,
                 QGraphicsItem* parent)
    : QtControl(form, std::move(name), index, container, parent) {
  item_->paintFn = [this](QPainter& painter) {
    QRectF rect = item_->boundingRect();
    if (!transparent_) painter.fillRect(rect, ToQColor(backColor_));
    QFont font = ToQFont(font_);
    painter.setFont(font);
    painter.setPen(ToQColor(foreColor_));
    painter.setClipRect(rect);
    int flags = Qt::AlignTop;
    if (alignment_ == Alignment::Center) flags |= Qt::AlignHCenter;
    if (alignment_ == Alignment::Right) flags |= Qt::AlignRight;
    QFontMetricsF metrics(font);
    // A character shown takes a pixel at least: the rest of a longer caption
    // is never laid out.
    const auto shown =
        std::min(kLongestLaidOut, static_cast<size_t>((rect.width() + 1) * (rect.height() + 1)));
    QString text = ToQString(caption_, shown);
    if (autoSize_ || rect.height() >= 2 * metrics.lineSpacing()) {
      painter.drawText(rect, flags | Qt::TextWordWrap, text);
    } else {
      // A one-line label shows what doesn't fit as an ellipsis.
      painter.drawText(rect, flags, metrics.elidedText(text, Qt::ElideRight, rect.width()));
    }
  };
}

void QtLabel::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  FitToCaption();
  item_->update();
}

void QtLabel::SetFont(const Font& font) {
  if (font == font_) return;
  font_ = font;
  FitToCaption();
  item_->update();
}

void QtLabel::SetForeColor(Colour colour) {
  foreColor_ = colour;
  item_->update();
}

void QtLabel::SetBackColor(Colour colour) {
  backColor_ = colour;
  item_->update();
}

void QtLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  item_->update();
}

void QtLabel::SetAlignment(Alignment alignment) {
  alignment_ = alignment;
  item_->update();
}

void QtLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FitToCaption();
}

Control& QtLabel::Clone(QtForm& form, int index) const {
  QtLabel& copy = form.CreateLabel(Name(), container_, index);
  copy.font_ = font_;
  copy.foreColor_ = foreColor_;
  copy.backColor_ = backColor_;
  copy.transparent_ = transparent_;
  copy.alignment_ = alignment_;
  copy.autoSize_ = autoSize_;
  copy.Move(left_, top_, width_, height_);
  copy.SetCaption(caption_);
  return copy;
}

namespace {
// The size a caption takes in a font. Measured once and kept: each visit to a
// frame loads its labels anew, with the same captions.
QSize CaptionSize(const Font& font, const std::string& wholeCaption) {
  constexpr size_t kLargestKept = 1024;
  const std::string caption = wholeCaption.substr(0, kLongestLaidOut);
  static std::unordered_map<std::string, QSize> sizes;
  std::string key = font.name + '\0' + std::to_string(font.size) + '\0' +
                    static_cast<char>(font.bold) + static_cast<char>(font.italic) +
                    static_cast<char>(font.underline) + static_cast<char>(font.strikeout) + caption;
  if (auto kept = sizes.find(key); kept != sizes.end()) return kept->second;
  if (sizes.size() >= kLargestKept) sizes.clear();
  QSize size = QFontMetrics(ToQFont(font)).size(0, ToQString(caption));
  sizes.emplace(std::move(key), size);
  return size;
}
}  // namespace

void QtLabel::FitToCaption() {
  if (!autoSize_) return;
  QSize size = CaptionSize(font_, caption_);
  Move(Left(), Top(), PixelsToTwips(size.width()), PixelsToTwips(size.height()));
}

// QtCheckBox

QtCheckBox::QtCheckBox(QtForm& form, std::string name, int index, Container* container,
                       QGraphicsItem* parent)
    : QtControl(form, std::move(name), index, container, parent) {
  item_->paintFn = [this](QPainter& painter) {
    QRectF box(0.5, 0.5, 12, 12);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(box, value_ == 2 ? QColor(200, 200, 200) : QColor(Qt::white));
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.drawRect(box);
    if (value_ != 0) {
      painter.setPen(QPen(value_ == 2 ? QColor(128, 128, 128) : QColor(20, 20, 20), 2));
      painter.drawPolyline(QPolygonF({QPointF(3, 6.5), QPointF(5.5, 9), QPointF(10, 3.5)}));
    }
  };
  item_->onUserClick = [this] { SetValue(value_ == 0 ? 1 : 0); };
}

void QtCheckBox::SetValue(int value) {
  if (value < 0 || value > 2) RaiseError(kErrInvalidPropertyValue);
  value_ = value;
  item_->update();
}

Control& QtCheckBox::Clone(QtForm&, int) const {
  RaiseError(kErrInvalidPicture, "a check box can't be an array element");
}

// QtContainer

QtContainer::QtContainer(QtForm& form, std::string name, int index, Container* container,
                         QGraphicsItem* parent)
    : QtControl(form, std::move(name), index, container, parent) {
  // What the surface paints and what lies in it both end at its edges.
  item_->setFlag(QGraphicsItem::ItemClipsChildrenToShape, true);
  item_->setFlag(QGraphicsItem::ItemClipsToShape, true);
  item_->paintFn = [this](QPainter& painter) {
    // Not beneath the controls within that hide it: mostly a frame's picture.
    FillUncovered(painter, item_->boundingRect(), ToQColor(backColor_), item_->childItems(),
                  item_->sceneTransform().inverted() * painter.deviceTransform());
    if (!onPaint) return;
    painter_ = &painter;
    onPaint();
    painter_ = nullptr;
  };
  // Filled with its colour where nothing within covers it.
  item_->opaqueRect = [this] { return item_->boundingRect(); };
}

void QtContainer::SetBackColor(Colour colour) {
  backColor_ = colour;
  item_->update();
}

void QtContainer::PaintPicture(const Image& source, int x, int y, int width, int height) {
  if (!painter_) return;
  DrawPicture(*painter_, static_cast<const QtImage&>(source).Pixmap(), x, y, width, height);
}

void QtContainer::Refresh() { item_->update(); }

Control& QtContainer::Clone(QtForm& form, int index) const {
  QtContainer& copy = form.CreateContainer(Name(), container_, index);
  copy.Move(left_, top_, width_, height_);
  copy.SetBackColor(backColor_);
  return copy;
}

// QtAnimatedPicture

QtAnimatedPicture::QtAnimatedPicture(QtForm& form, std::string name, int index,
                                     Container* container, QGraphicsItem* parent)
    : QtControl(form, std::move(name), index, container, parent) {
  item_->paintFn = [this](QPainter& painter) {
    if (!player_) return;
    const QPixmap& frame = player_->Frame();
    DrawScaledPicture(painter, frame, QRect(QPoint(0, 0), frame.size()));
  };
  item_->opaquePicture = [this]() -> const QPixmap* {
    if (!player_) return nullptr;
    const QPixmap& frame = player_->Frame();
    if (frame.hasAlphaChannel() || QSizeF(frame.size()) != item_->boundingRect().size())
      return nullptr;
    return &frame;
  };
}

QtAnimatedPicture::~QtAnimatedPicture() = default;

void QtAnimatedPicture::LoadFile(const std::string& storedPath) {
  const QByteArray bytes = QByteArray::fromStdString(ReadStoredFile(storedPath));
  {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CheckAnimationSize(buffer, storedPath);
  }
  // Shows the first frame and holds it until Start.
  auto player = std::make_unique<AnimationPlayer>();
  if (!player->Open(bytes)) RaiseError(kErrInvalidPicture, storedPath);
  player->SetSpeed(SpeedPercent());
  player->onFrameChanged = [this] { form_.View().RepaintPicture(*item_); };
  player_ = std::move(player);
  const QSize size = player_->Frame().size();
  Move(Left(), Top(), PixelsToTwips(size.width()), PixelsToTwips(size.height()));
}

void QtAnimatedPicture::SetSpeed(int speed) {
  speed_ = speed;
  if (player_) player_->SetSpeed(SpeedPercent());
}

// Percent of the file's own pace: speed 50 is 100 percent. 0 or less still
// plays, at 1 percent, and far above 1000 percent the frames' waits would
// round down to nothing and keep the processor busy.
int QtAnimatedPicture::SpeedPercent() const {
  return static_cast<int>(std::clamp(2LL * speed_, 1LL, 1000LL));
}

// A loaded picture waits on its first frame; Start after Stop plays again
// from there, timing each frame with the current speed.
void QtAnimatedPicture::Start() {
  if (player_) player_->Start();
}

void QtAnimatedPicture::Stop() {
  if (player_) player_->Stop();
}

bool QtAnimatedPicture::Playing() const { return player_ && player_->Running(); }

int QtAnimatedPicture::CurrentFrame() const { return player_ ? player_->FrameNumber() : -1; }

Control& QtAnimatedPicture::Clone(QtForm& form, int index) const {
  QtAnimatedPicture& copy = form.CreateAnimatedPicture(Name(), container_, index);
  copy.Move(left_, top_, width_, height_);
  copy.SetSpeed(speed_);
  return copy;
}

// QtMenuEntry

void QtMenuEntry::SetVisible(bool visible) {
  visible_ = visible;
  if (onVisibilityChanged) onVisibilityChanged();
}

// QtTimer

QtTimer::QtTimer(std::string name) : Timer(std::move(name), -1) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Fire(); });
}

void QtTimer::Restart() {
  if (Running())
    Arm(std::chrono::milliseconds(Interval()));
  else
    timer_.stop();
}

void QtTimer::Arm(std::chrono::steady_clock::duration wait) {
  due_ = std::chrono::steady_clock::now() + wait;
  timer_.start(std::chrono::ceil<std::chrono::milliseconds>(wait));
}

void QtTimer::Fire() {
  auto early = due_ - std::chrono::steady_clock::now();
  if (early > early.zero()) {
    timer_.start(std::chrono::ceil<std::chrono::milliseconds>(early));
    return;
  }
  // The next period starts now; the handler may stop or change it.
  Restart();
  if (onTimer) onTimer();
}

}  // namespace tf::ui
