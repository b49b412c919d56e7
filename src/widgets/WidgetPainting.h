#pragma once
// Shared painting helpers of the touch widget set (internal to src/widgets).
#include <QColor>
#include <QFont>
#include <QRectF>

class QWidget;

namespace WidgetPainting {
// The system sans face (Tahoma falls back to it) at `pixels` pixels.
QFont touchFont(int pixels, bool bold);
// Black or white, whichever reads better on `back`.
QColor contrastingText(const QColor& back);
// Relative luminance 0..1.
double luminance(const QColor& colour);
// A vertical two-colour gradient brush over `rect`.
void fillRoundedGradient(class QPainter& painter, const QRectF& rect, double radius,
                         const QColor& top, const QColor& bottom);
// Repaints `widget` whenever the colour style changes.
void repaintOnStyleChange(QWidget* widget);
}
