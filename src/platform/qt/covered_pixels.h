#pragma once

#include <QColor>
#include <QList>
#include <QPainter>
#include <QRect>
#include <QTransform>

class QGraphicsItem;

namespace tf::ui {

// Device pixels, within the containers above the item that clip what lies in
// them; toPixels turns each container's rectangle into device pixels.
QRect ClippedByContainers(const QGraphicsItem& item, QRect pixels, const QTransform& sceneToDevice,
                          QRect (*toPixels)(const QRectF&));

// Fills a rectangle with a colour, but for the pixels that these items hide
// with no see-through pixel: painting beneath them would be painted over at
// once.
void FillUncovered(QPainter& painter, const QRectF& rect, const QColor& colour,
                   const QList<QGraphicsItem*>& items, const QTransform& sceneToDevice);

}  // namespace tf::ui
