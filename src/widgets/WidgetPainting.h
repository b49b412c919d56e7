#pragma once
// Shared painting helpers of the touch widget set (internal to src/widgets).
#include <QColor>
#include <QFont>
#include <QPair>
#include <QRectF>
#include <QSize>

#include <initializer_list>

class QWidget;

namespace WidgetPainting {
// The system sans face (Tahoma falls back to it) at `pixels` pixels.
QFont touchFont(int pixels, bool bold);
// The contrast every text must reach against what is behind it.
constexpr double MinimumTextContrast = 4.5;
// Black or white, whichever reads better on `back`.
QColor contrastingText(const QColor& back);
// `font`, made smaller (down to two thirds of its size) until every line of `text` fits in
// `width` pixels; the smallest tried when none fits.
QFont fittingFont(const QFont& font, const QString& text, double width);
// `font`, made smaller (down to `smallest` pixels) until `text`, word-wrapped as a label
// wraps it, fits in `box`; `smallest` when none fits.
QFont wrappingFont(const QFont& font, const QString& text, const QSize& box, int smallest);
// Relative luminance 0..1 of the sRGB colour (WCAG 2).
double luminance(const QColor& colour);
// (L1 + 0.05) / (L2 + 0.05) of the lighter over the darker colour, 1..21.
double contrastRatio(const QColor& a, const QColor& b);
// `text` itself when it reaches MinimumTextContrast on every colour of `backs`, else the
// least darkening or lightening of it that does.
QColor readableOn(const QColor& text, std::initializer_list<QColor> backs);
// The colours painted behind the text of `widget`: its own filled background, else that of
// the first ancestor that paints one (a panel, a tab page, a filled window): two ends of a gradient, or one colour twice.
QPair<QColor, QColor> backdropOf(const QWidget* widget);
// A vertical two-colour gradient brush over `rect`.
void fillRoundedGradient(class QPainter& painter, const QRectF& rect, double radius,
                         const QColor& top, const QColor& bottom);
// Repaints `widget` whenever the colour style changes.
void repaintOnStyleChange(QWidget* widget);
}
