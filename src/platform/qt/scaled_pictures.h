#pragma once

#include <QPainter>
#include <QPixmap>
#include <QRect>

namespace tf::ui {

// Draws a picture into a rectangle of the painter's coordinates. When the
// painter only scales and moves, a picture drawn at a size other than its own
// is scaled once and kept, and then copied pixel for pixel: an animated
// picture over a scaled-up frame repaints its small rectangle many times a
// second, and scaling the same pixels again each time costs far more than
// copying them.
void DrawScaledPicture(QPainter& painter, const QPixmap& pixmap, const QRect& target);

// The picture as DrawScaledPicture draws it into a rectangle of that many
// device pixels: itself at its own size, otherwise its kept scaled copy.
QPixmap ScaledPicture(const QPixmap& pixmap, QSize size, bool smooth);

// Makes the painter's coordinates the device's own pixels, whatever the
// device pixel ratio of a scaled desktop (which resetTransform keeps).
void PaintInDevicePixels(QPainter& painter);

// The device pixels a rectangle fills when a picture is drawn in it, and
// when it clips: each edge rounded on its own to the nearest pixel boundary,
// so that pictures side by side still meet.
QRect RoundedPixels(const QRectF& rect);

}  // namespace tf::ui
