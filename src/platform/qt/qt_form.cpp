#include "platform/qt/qt_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <cmath>
#include <optional>
#include <utility>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_dialog_controls.h"
#include "platform/qt/qt_input.h"
#include "platform/qt/qt_menu_strip.h"
#include "platform/qt/qt_pointer.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/data_controls.h"
#include "platform/ui/twips.h"

namespace tf::ui {

namespace {
QRect CentredAt(const QRect& rect, QPointF centre) {
  QRectF moved = rect;
  moved.moveCenter(centre);
  return QRect(moved.topLeft().toPoint(), rect.size());
}

const ControlItem* ItemOf(const Control& control) {
  const QtControlBase* qtControl = QtControlOf(control);
  return qtControl ? &qtControl->Item() : nullptr;
}

// Follows the mouse with the window until the left button is released.
class WindowDragger : public QObject {
 public:
  WindowDragger(QWidget& window, QPoint offset)
      : QObject(&window), window_(window), offset_(offset) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseMove) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->buttons() & Qt::LeftButton)
        window_.move(mouse->globalPosition().toPoint() - offset_);
    } else if (event->type() == QEvent::MouseButtonRelease) {
      qApp->removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  QWidget& window_;
  QPoint offset_;
};
}  // namespace

// QtForm

QtForm::QtForm(std::string name, FormStyle style)
    : name_(std::move(name)),
      style_(style),
      scene_(std::make_unique<QGraphicsScene>()),
      view_(std::make_unique<FormView>(*this)),
      menuStrip_(new MenuStrip(view_.get())) {
  view_->setScene(scene_.get());
  retireTimer_.setSingleShot(true);
  retireTimer_.setInterval(0);
  QObject::connect(&retireTimer_, &QTimer::timeout, [this] { retired_.clear(); });
  menuStrip_->FitWidth(view_->width());
  if (style_ == FormStyle::Borderless) view_->setWindowFlag(Qt::FramelessWindowHint, true);
  view_->setObjectName(QString::fromStdString(name_));
}

QtForm* QtForm::activeForm_ = nullptr;

QtForm::~QtForm() {
  if (activeForm_ == this) activeForm_ = nullptr;
  onVisibilityChanged = nullptr;
  retired_.clear();
  while (!components_.empty()) components_.pop_back();
}

void QtForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  view_->setWindowTitle(ToQString(caption, kLongestTitle));
}

int QtForm::Left() const { return PixelsToTwips((screenWindow_ ? logical_ : Placed()).x()); }
int QtForm::Top() const { return PixelsToTwips((screenWindow_ ? logical_ : Placed()).y()); }
int QtForm::Width() const { return PixelsToTwips((screenWindow_ ? logical_ : Frame()).width()); }
int QtForm::Height() const { return PixelsToTwips((screenWindow_ ? logical_ : Frame()).height()); }

void QtForm::Move(int left, int top, int width, int height) {
  if (screenWindow_) {
    logical_ = QRect(TwipsToPixels(left), TwipsToPixels(top), std::max(1, TwipsToPixels(width)),
                     std::max(1, TwipsToPixels(height)));
    Present();
    return;
  }
  QRect frame = view_->frameGeometry();
  QRect inner = view_->geometry();
  int extraWidth = frame.width() - inner.width();
  int extraHeight = frame.height() - inner.height();
  const QRect asked(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                    TwipsToPixels(height));
  view_->move(OnDesktop(asked, view_->screen()).topLeft());
  view_->resize(std::max(1, asked.width() - extraWidth), std::max(1, asked.height() - extraHeight));
  UpdateSceneRect();
}

std::optional<QTransform> QtForm::VirtualScreenOn(const QScreen* monitor) const {
  if (!virtualScreen_ || !monitor) return std::nullopt;
  const QRectF desktop = monitor->geometry();
  const QPointF centre = QRectF(QPoint(), *virtualScreen_).center();
  const double scale = std::min(desktop.width() / virtualScreen_->width(),
                                desktop.height() / virtualScreen_->height());
  return QTransform()
      .translate(desktop.center().x(), desktop.center().y())
      .scale(scale, scale)
      .translate(-centre.x(), -centre.y());
}

QRect QtForm::OnDesktop(const QRect& onScreen, const QScreen* monitor) const {
  const std::optional<QTransform> shown = VirtualScreenOn(monitor);
  return shown ? CentredAt(onScreen, shown->map(QRectF(onScreen).center())) : onScreen;
}

QRect QtForm::Placed() const {
  const std::optional<QTransform> shown = VirtualScreenOn(view_->screen());
  return shown ? CentredAt(Frame(), shown->inverted().map(QRectF(Frame()).center())) : Frame();
}

int QtForm::ScaleWidth() const {
  return PixelsToTwips(screenWindow_ ? logical_.width() : view_->width());
}
int QtForm::ScaleHeight() const {
  return PixelsToTwips(screenWindow_ ? logical_.height() : view_->height());
}

bool QtForm::Visible() const { return view_->isVisible(); }

void QtForm::Show() {
  view_->show();
  view_->activateWindow();
}

void QtForm::ShowModal(const Form& owner) {
  view_->setWindowModality(Qt::ApplicationModal);
  // A window manager keeps a transient window in front of its owner, even
  // of a fullscreen or always-on-top one.
  if (const auto* ownerForm = dynamic_cast<const QtForm*>(&owner)) {
    const QRect placed = Placed();
    view_->winId();
    ownerForm->view_->winId();
    view_->windowHandle()->setTransientParent(ownerForm->view_->windowHandle());
    // Over a game on a virtual screen, on the monitor that shows it.
    if (virtualScreen_ && !screenWindow_)
      view_->move(OnDesktop(placed, ownerForm->view_->screen()).topLeft());
  }
  Show();
  QEventLoop loop;
  modalLoop_ = &loop;
  // A window hidden and shown again within one event stays modal; the end
  // of the program ends the wait without hiding it.
  while (view_->isVisible()) {
    modalHidden_ = false;
    loop.exec();
    if (!modalHidden_) break;
  }
  modalLoop_ = nullptr;
  view_->setWindowModality(Qt::NonModal);
}

void QtForm::Hide() { view_->hide(); }

void QtForm::Close() { view_->close(); }

void QtForm::SetFocus() { view_->setFocus(); }

void QtForm::SetTopmost(bool topmost) {
  if (QWindow* window = view_->windowHandle()) {
    if (window->flags().testFlag(Qt::WindowStaysOnTopHint) == topmost) return;
    window->setFlag(Qt::WindowStaysOnTopHint, topmost);
  } else {
    view_->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  }
}

void QtForm::SetBackColor(Colour colour) {
  backColor_ = colour;
  view_->viewport()->update();
}

void QtForm::BeginUserMove() {
  // Mouse moves still queued when the window system's move ends, the button
  // already up, would start another that follows the pointer with no button
  // held.
  if (!moveArmed_) return;
  moveArmed_ = false;
  QWindow* window = view_->windowHandle();
  if (window && window->startSystemMove()) return;
  // No window manager to move it (a bare X server): the window follows the
  // mouse itself.
  new WindowDragger(*view_, pressOffset_);
}

void QtForm::Activated() {
  // Only the user coming from another of the program's windows, or the
  // window's showing, activates it: not a message box of its own closing,
  // nor the user coming back from another program.
  if (activeForm_ == this) return;
  activeForm_ = this;
  if (onActivate) onActivate();
}

void QtForm::SetFullScreen(bool fullScreen) {
  if (!screenWindow_) {
    logical_ = Frame();
    screenWindow_ = true;
  }
  fullScreen_ = fullScreen;
  Present();
}

void QtForm::SetScaling(Scaling scaling) {
  scaling_ = scaling;
  UpdateSceneRect();
}

void QtForm::SetVirtualScreen(const std::optional<QSize>& size) {
  virtualScreen_ = size;
  if (screenWindow_) Present();
}

void QtForm::SetScreenControl(const Control& control) {
  screenControl_ = &control;
  if (screenWindow_) Present();
}

QRect QtForm::ShownRect() const {
  if (virtualScreen_) return QRect(-logical_.topLeft(), *virtualScreen_);
  if (const ControlItem* item = screenControl_ ? ItemOf(*screenControl_) : nullptr) {
    const QRect area = item->mapRectToScene(item->boundingRect()).toRect();
    if (!area.isEmpty()) return area;
  }
  return QRect(QPoint(0, 0), logical_.size());
}

void QtForm::ControlMoved(const Control& control) {
  if (&control != screenControl_ || !screenWindow_ || virtualScreen_) return;
  // A window sized after the screen takes its new size; a mere move only
  // shows another part of the window.
  if (ShownRect().size() != scene_->sceneRect().size().toSize())
    Present();
  else
    UpdateSceneRect();
}

void QtForm::Present() {
  QScreen* monitor = QGuiApplication::screenAt(view_->frameGeometry().center());
  if (!monitor) monitor = view_->screen();
  if (!monitor) return;
  if (fullScreen_) {
    SetFramed(style_ != FormStyle::Borderless);
    view_->setWindowState(view_->windowState() | Qt::WindowFullScreen);
    // Set as well for a display without a window manager to do it.
    view_->setGeometry(monitor->geometry());
  } else {
    view_->setWindowState(view_->windowState() & ~Qt::WindowFullScreen);
    // A game in a window gets a title bar, so that it can be moved and
    // resized like any other.
    SetFramed(true);
    // The largest whole multiple of the screen that leaves a margin round
    // the window; at least the screen's own size while the monitor's work
    // area holds it, and fitted only to a smaller one.
    const QRect room = monitor->availableGeometry();
    const QSize shown = ShownRect().size();
    const QSize space = room.size() * 0.9;
    const int times = std::min(space.width() / shown.width(), space.height() / shown.height());
    QSize size = shown * times;
    if (times < 1)
      size = room.width() >= shown.width() && room.height() >= shown.height()
                 ? shown
                 : shown.scaled(space, Qt::KeepAspectRatio);
    QRect frame(QPoint(0, 0), size);
    frame.moveCenter(room.center());
    view_->setGeometry(frame);
  }
  UpdateSceneRect();
}

void QtForm::SetFramed(bool framed) {
  if (view_->windowFlags().testFlag(Qt::FramelessWindowHint) != framed) return;
  const bool shown = view_->isVisible();
  // New flags take a new native window, which starts hidden. The window
  // stays shown for the program all the while.
  auto notify = std::exchange(onVisibilityChanged, nullptr);
  view_->setWindowFlag(Qt::FramelessWindowHint, !framed);
  if (shown) view_->show();
  onVisibilityChanged = std::move(notify);
}

double QtForm::ScaleFor(QSize room) const {
  const QRect shown = ShownRect();
  const double fit = std::min(static_cast<double>(room.width()) / shown.width(),
                              static_cast<double>(room.height()) / shown.height());
  if (scaling_ == Scaling::SharpInteger) {
    // Whole device pixels per screen pixel, so that a high-DPI screen stays
    // sharp too.
    const double ratio = view_->devicePixelRatioF();
    const double whole = std::floor(fit * ratio);
    if (whole >= 1) return whole / ratio;
  }
  return fit;
}

void QtForm::PaintPicture(const Image& source, int x, int y, int width, int height) {
  if (!painter_) return;
  DrawPicture(*painter_, static_cast<const QtImage&>(source).Pixmap(), x, y, width, height);
}

void QtForm::Refresh() {
  scene_->update();
  view_->viewport()->update();
}

QGraphicsItem* QtForm::ParentItem(Container* container) const {
  return container ? &static_cast<QtContainer*>(container)->Item() : nullptr;
}

template <class T, class... Args>
T& QtForm::Add(Args&&... args) {
  auto component = std::make_unique<T>(std::forward<Args>(args)...);
  T& result = *component;
  components_.push_back(std::move(component));
  return result;
}

template <class T>
T& QtForm::AddControl(const std::string& name, Container* container, int index) {
  auto& control = Add<T>(*this, name, index, container, ParentItem(container));
  if (!container) scene_->addItem(&control.Item());
  return control;
}

QtImage& QtForm::CreateImage(const std::string& name, Container* container, int index) {
  return AddControl<QtImage>(name, container, index);
}

QtLabel& QtForm::CreateLabel(const std::string& name, Container* container, int index) {
  return AddControl<QtLabel>(name, container, index);
}

QtCheckBox& QtForm::CreateCheckBox(const std::string& name, Container* container) {
  return AddControl<QtCheckBox>(name, container, -1);
}

QtContainer& QtForm::CreateContainer(const std::string& name, Container* container, int index) {
  return AddControl<QtContainer>(name, container, index);
}

QtAnimatedPicture& QtForm::CreateAnimatedPicture(const std::string& name, Container* container,
                                                 int index) {
  return AddControl<QtAnimatedPicture>(name, container, index);
}

StringList& QtForm::CreateStringList(const std::string& name) {
  return Add<MemoryStringList>(name, -1);
}

FileList& QtForm::CreateFileList(const std::string& name) { return Add<DiskFileList>(name, -1); }

Timer& QtForm::CreateTimer(const std::string& name) { return Add<QtTimer>(name); }

MenuEntry& QtForm::CreateMenuEntry(const std::string& name, const std::string& caption) {
  auto& entry = Add<QtMenuEntry>(name, caption);
  entry.onVisibilityChanged = [this] { menuStrip_->Update(); };
  menuStrip_->AddEntry(entry);
  return entry;
}

ListBox& QtForm::CreateListBox(const std::string& name) { return Add<QtListBox>(*view_, name); }

TextBox& QtForm::CreateTextBox(const std::string& name) { return Add<QtTextBox>(*view_, name); }

CommandButton& QtForm::CreateCommandButton(const std::string& name, const std::string& caption) {
  return Add<QtCommandButton>(*view_, name, caption);
}

bool QtForm::PressRoleButton(int keyCode) {
  if (keyCode != kKeyReturn && keyCode != kKeyEscape) return false;
  for (const auto& component : components_) {
    auto* button = dynamic_cast<QtCommandButton*>(component.get());
    if (button && button->Visible() &&
        (keyCode == kKeyReturn ? button->Default() : button->Cancel())) {
      button->GetWidget().click();
      return true;
    }
  }
  return false;
}

QWidget* QtForm::MenuButton(const std::string& entryName) const {
  return menuStrip_->Button(entryName);
}

Control& QtForm::CloneControl(const Control& templ, int index) {
  const QtControlBase* from = QtControlOf(templ);
  if (!from) RaiseError(kErrInvalidPicture, "control kind can't be an array element");
  Control& clone = from->Clone(*this, index);
  if (from->Item().hasCursor())
    QtControlOf(clone)->Item().SetOwnPointer(from->Item().OwnPointer(), PointerScalingNow());
  clone.SetVisible(false);
  return clone;
}

void QtForm::Destroy(Component& component) {
  if (&component == dragSource_) EndDrag(std::nullopt);
  if (&component == screenControl_) screenControl_ = nullptr;
  if (auto* entry = dynamic_cast<QtMenuEntry*>(&component)) menuStrip_->RemoveEntry(*entry);
  for (auto it = components_.begin(); it != components_.end(); ++it) {
    if (it->get() != &component) continue;
    if (auto* control = dynamic_cast<Control*>(it->get())) {
      control->SetVisible(false);
      QtControlOf(*control)->ReleaseChildren();
    }
    retired_.push_back(std::move(*it));
    components_.erase(it);
    retireTimer_.start();
    return;
  }
}

Control* QtForm::FindControl(const std::string& name, int index) const {
  for (const auto& component : components_) {
    auto* control = dynamic_cast<Control*>(component.get());
    if (control && control->Name() == name && control->Index() == index) return control;
  }
  return nullptr;
}

std::optional<QPoint> QtForm::CentreInView(const Control& control) const {
  const ControlItem* item = ItemOf(control);
  if (!item || !item->isVisible()) return std::nullopt;
  QPointF scenePos = item->mapToScene(item->boundingRect().center());
  return view_->mapFromScene(scenePos);
}

std::optional<QPoint> QtForm::PointInView(const Control& control, QPoint point) const {
  const ControlItem* item = ItemOf(control);
  if (!item || !item->isVisible()) return std::nullopt;
  // The first view pixel that lies wholly in that pixel of the scene: on a
  // scaled screen it maps back to the same pixel.
  const QPointF inView = view_->viewportTransform().map(item->mapToScene(QPointF(point)));
  constexpr double kSlack = 1e-6;
  return QPoint(static_cast<int>(std::ceil(inView.x() - kSlack)),
                static_cast<int>(std::ceil(inView.y() - kSlack)));
}

QImage QtForm::Grab() const { return view_->grab().toImage(); }

QImage QtForm::RenderControl(const Control& control) const {
  const ControlItem* item = ItemOf(control);
  if (!item) return {};
  QRectF source = item->mapRectToScene(item->boundingRect());
  QImage image(source.size().toSize(), QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  scene_->render(&painter, QRectF(QPointF(0, 0), source.size()), source);
  return image;
}

void QtForm::BeginDrag(Control& source) {
  const auto* image = dynamic_cast<const QtImage*>(&source);
  QCursor pointer(Qt::ClosedHandCursor);
  if (image && image->HasDragIcon()) {
    // As large as the window shows the object.
    const QPixmap icon = ScaledPointer(QCursor(image->DragIcon()), PointerScalingNow()).pixmap();
    pointer = QCursor(icon, icon.width() / 2, icon.height() / 2);
  }
  dragSource_ = &source;
  QGuiApplication::setOverrideCursor(pointer);
  // The offscreen platform has no pointer to grab.
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) view_->viewport()->grabMouse();
}

void QtForm::EndDrag(std::optional<QPoint> dropAt) {
  const Control* source = dragSource_;
  dragSource_ = nullptr;
  if (QWidget::mouseGrabber() == view_->viewport()) view_->viewport()->releaseMouse();
  QGuiApplication::restoreOverrideCursor();
  // The press made the dragged control's item the scene's mouse grabber;
  // the release never reaches it.
  if (QGraphicsItem* grabber = scene_->mouseGrabberItem()) grabber->ungrabMouse();
  if (!dropAt || !source) return;
  auto* item = qgraphicsitem_cast<ControlItem*>(view_->itemAt(*dropAt));
  if (!item || !item->Owner().onDragDrop) return;
  const QPointF local = item->mapFromScene(view_->mapToScene(*dropAt));
  item->Owner().onDragDrop(*source, PixelsToTwips(local.x()), PixelsToTwips(local.y()));
}

void QtForm::UpdateSceneRect() {
  if (!screenWindow_) {
    scene_->setSceneRect(0, 0, view_->width(), view_->height());
    // A desktop scaled by a whole ratio keeps the pictures' pixels sharp; by
    // a fraction they would come out uneven.
    const double ratio = view_->devicePixelRatioF();
    view_->setRenderHint(QPainter::SmoothPixmapTransform, ratio != std::floor(ratio));
    ScalePointers();
    return;
  }
  const QRect shown = ShownRect();
  scene_->setSceneRect(shown);
  view_->setSceneRect(shown);
  const double scale = ScaleFor(view_->viewport()->size());
  view_->setTransform(QTransform::fromScale(scale, scale));
  view_->setAlignment(Qt::AlignCenter);
  view_->setRenderHint(QPainter::SmoothPixmapTransform, scaling_ == Scaling::SmoothFit);
  view_->viewport()->update();
  ScalePointers();
}

PointerScaling QtForm::PointerScalingNow() const {
  const double scale =
      (screenWindow_ ? view_->transform().m11() : 1.0) * view_->devicePixelRatioF();
  // A whole multiple is as sharp as the file itself.
  return {scale, scaling_ == Scaling::SmoothFit && scale != std::floor(scale)};
}

void QtForm::ScalePointers() {
  const PointerScaling now = PointerScalingNow();
  if (now == pointerScaling_) return;
  pointerScaling_ = now;
  for (const auto& component : components_)
    if (auto* control = dynamic_cast<Control*>(component.get()))
      if (QtControlBase* qtControl = QtControlOf(*control)) qtControl->Item().ScalePointer(now);
}

}  // namespace tf::ui
