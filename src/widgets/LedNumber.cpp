#include "widgets/LedNumber.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {
// Proportions as fractions of the digit height.
constexpr double DigitWidth = 0.52;
constexpr double NarrowWidth = 0.22; // '.' and ':'
constexpr double CellSpacing = 0.14;
constexpr double Thickness = 0.12;
constexpr double SegmentGap = 0.018;
constexpr double HeightUsed = 0.9;
constexpr int UnlitAlpha = 38;

bool isNarrow(QChar character)
{
    return character == QLatin1Char('.') || character == QLatin1Char(':');
}

// Width of `text` in digit heights.
double textWidth(const QString& text)
{
    double width = 0;
    for (QChar character : text)
        width += isNarrow(character) ? NarrowWidth : DigitWidth;
    return width + CellSpacing * qMax(0, int(text.size()) - 1);
}

// A segment with pointed ends, from `from` to `to` (a horizontal or vertical run).
QPolygonF segmentShape(QPointF from, QPointF to, double thickness, double gap)
{
    const double h = thickness / 2;
    if (from.y() == to.y()) {
        const double x0 = from.x() + gap, x1 = to.x() - gap, y = from.y();
        return QPolygonF({QPointF(x0, y), QPointF(x0 + h, y - h), QPointF(x1 - h, y - h), QPointF(x1, y),
                          QPointF(x1 - h, y + h), QPointF(x0 + h, y + h)});
    }
    const double y0 = from.y() + gap, y1 = to.y() - gap, x = from.x();
    return QPolygonF({QPointF(x, y0), QPointF(x + h, y0 + h), QPointF(x + h, y1 - h), QPointF(x, y1),
                      QPointF(x - h, y1 - h), QPointF(x - h, y0 + h)});
}
}

LedNumber::LedNumber(const QString& text, QWidget* parent) : QWidget(parent), m_text(text)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted, black or lit
}

void LedNumber::setText(const QString& text)
{
    if (m_text == text)
        return;
    m_text = text;
    updateGeometry();
    update();
}

void LedNumber::setColours(const QColor& top, const QColor& bottom)
{
    if (m_top == top && m_bottom == bottom)
        return;
    m_top = top;
    m_bottom = bottom;
    update();
}

LedNumber::Segments LedNumber::segmentsFor(QChar character)
{
    switch (character.unicode()) {
    case '0': return Top | TopRight | BottomRight | Bottom | BottomLeft | TopLeft;
    case '1': return TopRight | BottomRight;
    case '2': return Top | TopRight | Middle | BottomLeft | Bottom;
    case '3': return Top | TopRight | Middle | BottomRight | Bottom;
    case '4': return TopLeft | Middle | TopRight | BottomRight;
    case '5': return Top | TopLeft | Middle | BottomRight | Bottom;
    case '6': return Top | TopLeft | Middle | BottomLeft | BottomRight | Bottom;
    case '7': return Top | TopRight | BottomRight;
    case '8': return Top | TopRight | BottomRight | Bottom | BottomLeft | TopLeft | Middle;
    case '9': return Top | TopRight | TopLeft | Middle | BottomRight | Bottom;
    case '-': return Middle;
    case '.': return Point;
    case ':': return Colon;
    default: return {};
    }
}

QSize LedNumber::sizeHint() const
{
    constexpr int DigitPixels = 40;
    const int width = int(std::ceil(qMax(textWidth(m_text), DigitWidth) * DigitPixels)) + 8;
    return QSize(width, int(std::ceil(DigitPixels / HeightUsed)));
}

void LedNumber::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LedNumber::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void LedNumber::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (m_text.isEmpty())
        return;
    p.setRenderHint(QPainter::Antialiasing, true);

    // The digit height: the widget's height, unless the text would then be too wide.
    const double units = textWidth(m_text);
    const double digit = qMin(height() * HeightUsed, width() * 0.96 / units);
    const double top = (height() - digit) / 2;
    const double thickness = digit * Thickness;
    const double h = thickness / 2;
    const double gap = digit * SegmentGap;

    QPainterPath lit, unlit;
    double left = (width() - units * digit) / 2;
    for (QChar character : m_text) {
        const Segments on = segmentsFor(character);
        if (isNarrow(character)) {
            const double x = left + NarrowWidth * digit / 2;
            const double dot = h * 1.1;
            if (on & Point)
                lit.addEllipse(QPointF(x, top + digit - h), dot, dot);
            if (on & Colon) {
                lit.addEllipse(QPointF(x, top + digit * 0.3), dot, dot);
                lit.addEllipse(QPointF(x, top + digit * 0.7), dot, dot);
            }
            left += (NarrowWidth + CellSpacing) * digit;
            continue;
        }
        const double xl = left + h, xr = left + DigitWidth * digit - h;
        const double yt = top + h, ym = top + digit / 2, yb = top + digit - h;
        const struct {
            Segment segment;
            QPointF from, to;
        } runs[] = {
            {Top, {xl, yt}, {xr, yt}},          {Middle, {xl, ym}, {xr, ym}},
            {Bottom, {xl, yb}, {xr, yb}},       {TopLeft, {xl, yt}, {xl, ym}},
            {TopRight, {xr, yt}, {xr, ym}},     {BottomLeft, {xl, ym}, {xl, yb}},
            {BottomRight, {xr, ym}, {xr, yb}},
        };
        for (const auto& run : runs)
            (on & run.segment ? lit : unlit).addPolygon(segmentShape(run.from, run.to, thickness, gap));
        left += (DigitWidth + CellSpacing) * digit;
    }

    const auto gradient = [&](int alpha) {
        QColor from = m_top, to = m_bottom;
        from.setAlpha(alpha);
        to.setAlpha(alpha);
        QLinearGradient brush(0, top, 0, top + digit);
        brush.setColorAt(0, from);
        brush.setColorAt(1, to);
        return brush;
    };
    p.setPen(Qt::NoPen);
    lit.setFillRule(Qt::WindingFill);
    unlit.setFillRule(Qt::WindingFill);
    p.fillPath(unlit, gradient(UnlitAlpha));
    p.fillPath(lit, gradient(255));
}
