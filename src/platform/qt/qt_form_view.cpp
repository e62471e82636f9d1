#include <QBackingStore>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>
#include <cstring>
#include <optional>

#include "platform/qt/covered_pixels.h"
#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_input.h"
#include "platform/qt/qt_menu_strip.h"
#include "platform/qt/scaled_pictures.h"
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

MouseArgs ArgsAt(int buttons, Qt::KeyboardModifiers modifiers, QPointF scenePoint) {
  return {buttons, ShiftOf(modifiers), PixelsToTwips(std::floor(scenePoint.x())),
          PixelsToTwips(std::floor(scenePoint.y()))};
}

}  // namespace

FormView::FormView(QtForm& form) : form_(form) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Only what changed is painted again: an animated picture repaints its
  // own rectangle, not the window.
  setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
  setCacheMode(QGraphicsView::CacheNone);
  // drawBackground paints every pixel shown: the viewport needs no filling first.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void FormView::drawBackground(QPainter* painter, const QRectF& rect) {
  if (form_.screenWindow_) {
    // Black bars beside a scaled screen.
    const QRectF screen = rect.intersected(sceneRect());
    if (screen != rect) painter->fillRect(rect, Qt::black);
    FillBeneathControls(*painter, screen);
  } else {
    FillBeneathControls(*painter, rect);
  }
  if (!form_.onPaint) return;
  form_.painter_ = painter;
  form_.onPaint();
  form_.painter_ = nullptr;
}

// The window's colour, where no control hides it.
void FormView::FillBeneathControls(QPainter& painter, const QRectF& rect) const {
  FillUncovered(painter, rect, ToQColor(form_.backColor_),
                scene()->items(rect, Qt::IntersectsItemBoundingRect, Qt::AscendingOrder),
                painter.deviceTransform());
}

// The topmost item that meets a rectangle of the viewport, or null.
QGraphicsItem* FormView::TopItemAt(const QRect& rect) const {
  // A rectangle of the scene is looked up far faster than the polygon that
  // the view's own lookup makes of it.
  const QRectF inScene = viewportTransform().inverted().mapRect(QRectF(rect));
  const QList<QGraphicsItem*> found =
      scene()->items(inScene, Qt::IntersectsItemBoundingRect, Qt::DescendingOrder);
  return found.isEmpty() ? nullptr : found.front();
}

// The viewport pixels of a picture item, within the containers that clip it.
// None for an item that is turned or sheared.
std::optional<QRect> FormView::PicturePixels(const ControlItem& item) const {
  const QTransform toViewport = item.sceneTransform() * viewportTransform();
  if (toViewport.type() > QTransform::TxScale) return std::nullopt;
  return ClippedByContainers(item, RoundedPixels(toViewport.mapRect(item.boundingRect())),
                             viewportTransform(), RoundedPixels) &
         viewport()->rect();
}

// Painted at once rather than on the next turn of the event loop, which an
// animation would otherwise take once more for every frame.
void FormView::RepaintPicture(ControlItem& item) {
  if (!item.isVisible()) return;
  const std::optional<QRect> pixels = PicturePixels(item);
  if (!pixels) {
    item.update();
    return;
  }
  if (PaintsAlone(item, *pixels) && PaintOnWindow(item, *pixels)) return;
  viewport()->repaint(*pixels);
}

// Whether a picture hides all beneath it in those of its pixels, with
// nothing above: then it can be painted there on its own. What lies above is
// looked up once and kept until something else paints over those pixels,
// which any change there makes the view do.
bool FormView::PaintsAlone(const ControlItem& item, const QRect& pixels) {
  if (!item.opaquePicture || !item.opaquePicture() || item.effectiveOpacity() < 1.0 ||
      item.graphicsEffect())
    return false;
  if (alone_.item == &item && alone_.pixels == pixels) return true;
  alone_ = {};
  if (TopItemAt(pixels) != &item) return false;
  alone_ = {&item, pixels};
  return true;
}

void FormView::paintEvent(QPaintEvent* event) {
  if (alone_.item && event->region().intersects(alone_.pixels)) alone_ = {};
  QGraphicsView::paintEvent(event);
}

// Paints a picture straight into the window's backing store and puts those
// pixels on the screen, without the window's background, the pictures it
// covers or the widgets' repainting. False when a widget lies over them, or
// the window can't be painted now.
bool FormView::PaintOnWindow(ControlItem& item, const QRect& pixels) {
  QWidget* top = window();
  QBackingStore* store = top->backingStore();
  QWindow* handle = top->windowHandle();
  if (!store || !handle || !handle->isExposed() || !viewport()->updatesEnabled()) return false;
  const QPoint offset = viewport()->mapTo(top, QPoint(0, 0));
  const QRect inWindow = pixels.translated(offset);
  if (!QRect(QPoint(0, 0), store->size()).contains(inWindow)) return false;
  // Widgets of this window over the pixels; windows of their own (message
  // boxes) are kept apart by the window system.
  for (QWidget* widget : top->findChildren<QWidget*>()) {
    if (widget == viewport() || !widget->isVisible() || widget->window() != top ||
        widget->isAncestorOf(viewport()))
      continue;
    if (QRect(widget->mapTo(top, QPoint(0, 0)), widget->size()).intersects(inWindow)) return false;
  }
  const QRegion region(inWindow);
  store->beginPaint(region);
  if (!CopyPicture(item, *store->paintDevice(), offset, inWindow)) {
    QPainter painter(store->paintDevice());
    painter.setClipRect(inWindow);
    painter.setRenderHints(renderHints());
    painter.setWorldTransform(item.sceneTransform() * viewportTransform() *
                              QTransform::fromTranslate(offset.x(), offset.y()));
    item.paint(&painter, nullptr, viewport());
  }
  store->endPaint();
  store->flush(region, handle);
  return true;
}

// Copies the rows of an opaque picture, as drawn at its size on the screen,
// into the window's image: the same pixels as painting them, without setting
// up a painter each time. False, having done nothing, where they would need
// converting or placing between pixels.
bool FormView::CopyPicture(const ControlItem& item, QPaintDevice& device, QPoint offset,
                           const QRect& inWindow) const {
  const QPixmap* picture = item.opaquePicture();
  if (!picture || device.devType() != QInternal::Image) return false;
  QImage& target = static_cast<QImage&>(device);
  const QTransform toWindow = item.sceneTransform() * viewportTransform() *
                              QTransform::fromTranslate(offset.x(), offset.y());
  if (target.devicePixelRatio() != 1.0 || toWindow.m11() <= 0 || toWindow.m22() <= 0) return false;
  const QRect shownAt = RoundedPixels(toWindow.mapRect(item.boundingRect()));
  if (shownAt.size() == picture->size() &&
      (toWindow.dx() != std::round(toWindow.dx()) || toWindow.dy() != std::round(toWindow.dy())))
    return false;
  const QImage source =
      ScaledPicture(*picture, shownAt.size(), renderHints() & QPainter::SmoothPixmapTransform)
          .toImage();
  const auto copyable = [](QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
  };
  const QRect copied = inWindow & target.rect();
  if (!copyable(source.format()) || !copyable(target.format()) || !shownAt.contains(copied) ||
      source.size() != shownAt.size())
    return false;
  const QPoint from = copied.topLeft() - shownAt.topLeft();
  uchar* to = target.bits() + copied.top() * target.bytesPerLine() + copied.left() * 4;
  for (int row = 0; row < copied.height(); ++row, to += target.bytesPerLine())
    std::memcpy(to, source.constScanLine(from.y() + row) + from.x() * 4, copied.width() * 4);
  return true;
}

QPointF FormView::ToScene(QPointF viewPoint) const {
  return viewportTransform().inverted().map(viewPoint);
}

void FormView::mousePressEvent(QMouseEvent* event) {
  // Other buttons do nothing while a drag is on.
  if (form_.dragSource_) return;
  form_.pressOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
  form_.moveArmed_ = true;
  if (itemAt(event->position().toPoint())) {
    QGraphicsView::mousePressEvent(event);
    return;
  }
  if (form_.onMouseDown)
    form_.onMouseDown(
        ArgsAt(ButtonOf(event->button()), event->modifiers(), ToScene(event->position())));
}

void FormView::mouseMoveEvent(QMouseEvent* event) {
  // Only the pointer moves while a drag is on: nothing under it reacts.
  if (form_.dragSource_) return;
  // The view also puts back its own pointer when the mouse leaves the
  // controls for the bare window.
  QGraphicsView::mouseMoveEvent(event);
  if (scene()->mouseGrabberItem() || itemAt(event->position().toPoint())) return;
  if (form_.onMouseMove)
    form_.onMouseMove(
        ArgsAt(ButtonsOf(event->buttons()), event->modifiers(), ToScene(event->position())));
}

void FormView::mouseReleaseEvent(QMouseEvent* event) {
  form_.moveArmed_ = false;
  if (!form_.dragSource_) {
    QGraphicsView::mouseReleaseEvent(event);
    return;
  }
  if (!(event->buttons() & Qt::LeftButton)) form_.EndDrag(event->position().toPoint());
}

void FormView::keyPressEvent(QKeyEvent* event) {
  if (form_.dragSource_ && event->key() == Qt::Key_Escape) {
    form_.EndDrag(std::nullopt);
    return;
  }
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
  // Shown again, it is activated again.
  if (QtForm::activeForm_ == &form_) QtForm::activeForm_ = nullptr;
  if (!event->spontaneous() && form_.onVisibilityChanged) form_.onVisibilityChanged(false);
}

void FormView::changeEvent(QEvent* event) {
  QGraphicsView::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) form_.Activated();
}

void FormView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  form_.UpdateSceneRect();
  form_.menuStrip_->FitWidth(width());
}

}  // namespace tf::ui
