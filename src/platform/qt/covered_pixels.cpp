#include "platform/qt/covered_pixels.h"

#include <QGraphicsItem>
#include <QRegion>
#include <cmath>

#include "platform/qt/qt_controls.h"
#include "platform/qt/scaled_pictures.h"

namespace tf::ui {

namespace {

// The device pixels wholly inside a rectangle: whatever the rounding that
// painting it uses, these are painted.
QRect PixelsWithin(const QRectF& rect) {
  return QRect(
      QPoint(static_cast<int>(std::ceil(rect.left())), static_cast<int>(std::ceil(rect.top()))),
      QPoint(static_cast<int>(std::floor(rect.right())) - 1,
             static_cast<int>(std::floor(rect.bottom())) - 1));
}

// The device pixels that an item, painted through sceneToDevice, certainly
// paints over with no see-through pixel; empty for none.
QRect HiddenPixels(const ControlItem& item, const QTransform& sceneToDevice) {
  if (!item.isVisible() || item.effectiveOpacity() < 1.0 || item.graphicsEffect()) return {};
  QRectF opaque;
  if (item.opaqueRect)
    opaque = item.opaqueRect();
  else if (item.opaquePicture && item.opaquePicture())
    opaque = item.boundingRect();
  if (opaque.isEmpty()) return {};
  const QTransform toDevice = item.sceneTransform() * sceneToDevice;
  if (toDevice.type() > QTransform::TxScale || toDevice.m11() <= 0 || toDevice.m22() <= 0)
    return {};
  return ClippedByContainers(item, PixelsWithin(toDevice.mapRect(opaque)), sceneToDevice,
                             PixelsWithin);
}

}  // namespace

QRect ClippedByContainers(const QGraphicsItem& item, QRect pixels, const QTransform& sceneToDevice,
                          QRect (*toPixels)(const QRectF&)) {
  for (const QGraphicsItem* up = item.parentItem(); up; up = up->parentItem())
    if (up->flags() & QGraphicsItem::ItemClipsChildrenToShape)
      pixels &= toPixels(sceneToDevice.mapRect(up->sceneBoundingRect()));
  return pixels;
}

void FillUncovered(QPainter& painter, const QRectF& rect, const QColor& colour,
                   const QList<QGraphicsItem*>& items, const QTransform& sceneToDevice) {
  const QTransform toDevice = painter.deviceTransform();
  if (toDevice.type() > QTransform::TxScale) {
    painter.fillRect(rect, colour);
    return;
  }
  const QRect pixels = toDevice.mapRect(rect).toAlignedRect();
  QRegion uncovered(pixels);
  for (const QGraphicsItem* item : items) {
    if (item->type() != ControlItem::Type) continue;
    const QRect hidden = HiddenPixels(static_cast<const ControlItem&>(*item), sceneToDevice);
    if (hidden.intersects(pixels)) uncovered -= hidden;
    if (uncovered.isEmpty()) return;
  }
  if (uncovered == QRegion(pixels)) {
    painter.fillRect(rect, colour);
    return;
  }
  painter.save();
  PaintInDevicePixels(painter);
  for (const QRect& part : uncovered) painter.fillRect(part, colour);
  painter.restore();
}

}  // namespace tf::ui
