#include "platform/qt/qt_form.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QPainter>
#include <QWindow>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_dialog_controls.h"
#include "platform/qt/qt_input.h"
#include "platform/qt/qt_menu_strip.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/data_controls.h"
#include "platform/ui/twips.h"

namespace tf::ui {

namespace {
int KeyCodeOf(const QKeyEvent& event) {
  int key = event.key();
  if (key == Qt::Key_Escape) return kKeyEscape;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return kKeyReturn;
  if (key == Qt::Key_Space) return kKeySpace;
  if (key == Qt::Key_Backspace) return kKeyBack;
  if (key == Qt::Key_Tab) return kKeyTab;
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return kKeyF1 + (key - Qt::Key_F1);
  return 0;
}

const ControlItem* ItemOf(const Control& control) {
  const QtControlBase* qtControl = QtControlOf(control);
  return qtControl ? &qtControl->Item() : nullptr;
}
}  // namespace

// FormView

FormView::FormView(QtForm& form) : form_(form) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Only what changed is painted again: an animated picture repaints its
  // own rectangle, not the window.
  setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
  setCacheMode(QGraphicsView::CacheNone);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void FormView::drawBackground(QPainter* painter, const QRectF& rect) {
  painter->fillRect(rect, ToQColor(form_.backColor_));
  if (!form_.onPaint) return;
  form_.painter_ = painter;
  form_.onPaint();
  form_.painter_ = nullptr;
}

void FormView::mousePressEvent(QMouseEvent* event) {
  if (itemAt(event->position().toPoint())) {
    QGraphicsView::mousePressEvent(event);
    return;
  }
  if (form_.onMouseDown)
    form_.onMouseDown({ButtonOf(event->button()), ShiftOf(event->modifiers()),
                       PixelsToTwips(event->position().x()), PixelsToTwips(event->position().y())});
}

void FormView::mouseMoveEvent(QMouseEvent* event) {
  // The view also puts back its own pointer when the mouse leaves the
  // controls for the bare window.
  QGraphicsView::mouseMoveEvent(event);
  if (scene()->mouseGrabberItem() || itemAt(event->position().toPoint())) return;
  if (form_.onMouseMove)
    form_.onMouseMove({ButtonsOf(event->buttons()), ShiftOf(event->modifiers()),
                       PixelsToTwips(event->position().x()), PixelsToTwips(event->position().y())});
}

void FormView::keyPressEvent(QKeyEvent* event) {
  if (form_.PressRoleButton(KeyCodeOf(*event))) return;
  if (form_.onKeyDown) form_.onKeyDown(KeyCodeOf(*event), ShiftOf(event->modifiers()));
}

void FormView::closeEvent(QCloseEvent* event) {
  bool cancel = false;
  if (form_.onUnload) form_.onUnload(cancel);
  if (cancel)
    event->ignore();
  else
    event->accept();
}

void FormView::showEvent(QShowEvent* event) {
  QGraphicsView::showEvent(event);
  if (!event->spontaneous() && form_.onVisibilityChanged) form_.onVisibilityChanged(true);
}

void FormView::hideEvent(QHideEvent* event) {
  QGraphicsView::hideEvent(event);
  if (form_.modalLoop_) {
    form_.modalHidden_ = true;
    form_.modalLoop_->quit();
  }
  if (!event->spontaneous() && form_.onVisibilityChanged) form_.onVisibilityChanged(false);
}

void FormView::changeEvent(QEvent* event) {
  QGraphicsView::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && form_.onActivate)
    form_.onActivate();
}

void FormView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  form_.UpdateSceneRect();
  form_.menuStrip_->FitWidth(width());
}

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

QtForm::~QtForm() {
  onVisibilityChanged = nullptr;
  retired_.clear();
  while (!components_.empty()) components_.pop_back();
}

std::string QtForm::Caption() const { return view_->windowTitle().toStdString(); }

void QtForm::SetCaption(const std::string& caption) { view_->setWindowTitle(ToQString(caption)); }

int QtForm::Left() const { return PixelsToTwips(view_->frameGeometry().x()); }
int QtForm::Top() const { return PixelsToTwips(view_->frameGeometry().y()); }
int QtForm::Width() const { return PixelsToTwips(view_->frameGeometry().width()); }
int QtForm::Height() const { return PixelsToTwips(view_->frameGeometry().height()); }

void QtForm::Move(int left, int top, int width, int height) {
  QRect frame = view_->frameGeometry();
  QRect inner = view_->geometry();
  int extraWidth = frame.width() - inner.width();
  int extraHeight = frame.height() - inner.height();
  view_->move(TwipsToPixels(left), TwipsToPixels(top));
  view_->resize(std::max(1, TwipsToPixels(width) - extraWidth),
                std::max(1, TwipsToPixels(height) - extraHeight));
  UpdateSceneRect();
}

int QtForm::ScaleWidth() const { return PixelsToTwips(view_->width()); }
int QtForm::ScaleHeight() const { return PixelsToTwips(view_->height()); }

bool QtForm::Visible() const { return view_->isVisible(); }

void QtForm::Show() {
  view_->show();
  view_->activateWindow();
}

void QtForm::ShowModal() {
  view_->setWindowModality(Qt::ApplicationModal);
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
  if (QWindow* window = view_->windowHandle()) window->startSystemMove();
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
  if (from->Item().hasCursor()) QtControlOf(clone)->Item().setCursor(from->Item().cursor());
  clone.SetVisible(false);
  return clone;
}

void QtForm::Destroy(Component& component) {
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
  return view_->mapFromScene(item->mapToScene(QPointF(point)));
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

void QtForm::UpdateSceneRect() { scene_->setSceneRect(0, 0, view_->width(), view_->height()); }

}  // namespace tf::ui
