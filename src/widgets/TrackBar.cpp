#include "widgets/TrackBar.h"

#include "widgets/ColourStyles.h"
#include "widgets/WidgetPainting.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

using namespace WidgetPainting;

namespace {
constexpr double GrooveThickness = 14;
constexpr int MaxTicks = 200;
}

// TrackBar -------------------------------------------------------------------

TrackBar::TrackBar(Qt::Orientation orientation, QWidget* parent) : QWidget(parent), m_orientation(orientation)
{
    repaintOnStyleChange(this);
    setFocusPolicy(Qt::ClickFocus);
}

void TrackBar::setRange(double minimum, double maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    m_min = minimum;
    m_max = maximum;
    const double clamped = qBound(m_min, m_position, m_max);
    update();
    if (clamped != m_position) {
        m_position = clamped;
        emit positionChanged(m_position);
    }
}

void TrackBar::setPosition(double position)
{
    if (std::isnan(position))
        return;
    position = qBound(m_min, position, m_max);
    if (position == m_position)
        return;
    m_position = position;
    update();
    emit positionChanged(m_position);
}

void TrackBar::setStep(double step, double snapMargin)
{
    m_step = step > 0 ? step : 0;
    m_snap = snapMargin > 0 ? snapMargin : 0;
    update();
}

void TrackBar::setShowProgress(bool on)
{
    m_showProgress = on;
    update();
}

void TrackBar::setValueText(const QString& text)
{
    m_valueText = text;
    update();
}

void TrackBar::setShowTicks(bool on)
{
    m_showTicks = on;
    update();
}

void TrackBar::setThumbLength(int pixels)
{
    m_thumbLength = qMax(8, pixels);
    update();
}

double TrackBar::fraction(double position) const
{
    return m_max > m_min ? (qBound(m_min, position, m_max) - m_min) / (m_max - m_min) : 0.0;
}

// The band the thumb's centre moves along, in widget coordinates: from the minimum end to
// the maximum end (bottom to top on a vertical bar).
QRectF TrackBar::trackRect() const
{
    const bool horizontal = m_orientation == Qt::Horizontal;
    const double length = horizontal ? width() : height();
    const double thumb = qMin<double>(m_thumbLength, length / 2);
    if (horizontal)
        return QRectF(thumb / 2, 0, qMax(1.0, length - thumb), height());
    return QRectF(0, thumb / 2, width(), qMax(1.0, length - thumb));
}

QPointF TrackBar::pointForPosition(double position) const
{
    const QRectF track = trackRect();
    const double f = fraction(position);
    if (m_orientation == Qt::Horizontal)
        return QPointF(track.left() + f * track.width(), height() / 2.0);
    return QPointF(width() / 2.0, track.bottom() - f * track.height());
}

QRectF TrackBar::thumbRect() const
{
    const QPointF centre = pointForPosition(m_position);
    const bool horizontal = m_orientation == Qt::Horizontal;
    const double length = qMin<double>(m_thumbLength, (horizontal ? width() : height()) / 2.0);
    const double across = (horizontal ? height() : width()) - 4.0;
    if (horizontal)
        return QRectF(centre.x() - length / 2, 2, length, across);
    return QRectF(2, centre.y() - length / 2, across, length);
}

double TrackBar::positionAt(const QPoint& point) const
{
    const QRectF track = trackRect();
    double f;
    if (m_orientation == Qt::Horizontal)
        f = (point.x() - track.left()) / track.width();
    else
        f = (track.bottom() - point.y()) / track.height();
    f = qBound(0.0, f, 1.0);
    return m_min + f * (m_max - m_min);
}

double TrackBar::snapped(double position) const
{
    position = qBound(m_min, position, m_max);
    if (m_step <= 0 || m_snap <= 0)
        return position;
    double nearest = m_min + std::round((position - m_min) / m_step) * m_step;
    nearest = qBound(m_min, nearest, m_max);
    // The maximum counts as a step too, so a range that is not a whole number of steps
    // can still be set to its top.
    if (std::abs(m_max - position) < std::abs(nearest - position))
        nearest = m_max;
    return std::abs(nearest - position) <= m_snap ? nearest : position;
}

void TrackBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_dragging = true;
    event->accept();
    emit pressed();
    setPosition(snapped(positionAt(event->position().toPoint())));
    update();
}

void TrackBar::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (m_dragging)
        setPosition(snapped(positionAt(event->position().toPoint())));
}

void TrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    setPosition(snapped(positionAt(event->position().toPoint())));
    m_dragging = false;
    update();
    emit released();
}

void TrackBar::paintEvent(QPaintEvent*)
{
    const ColourStyle& style = ColourStyles::instance().current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const bool horizontal = m_orientation == Qt::Horizontal;
    const QRectF track = trackRect();
    const QPointF centre = pointForPosition(m_position);

    // Groove.
    QRectF groove = horizontal
        ? QRectF(track.left(), height() / 2.0 - GrooveThickness / 2, track.width(), GrooveThickness)
        : QRectF(width() / 2.0 - GrooveThickness / 2, track.top(), GrooveThickness, track.height());
    groove.adjust(horizontal ? -GrooveThickness / 2 : 0, horizontal ? 0 : -GrooveThickness / 2,
                  horizontal ? GrooveThickness / 2 : 0, horizontal ? 0 : GrooveThickness / 2);
    {
        QLinearGradient gradient(horizontal ? groove.topLeft() : groove.topLeft(),
                                 horizontal ? groove.bottomLeft() : groove.topRight());
        gradient.setColorAt(0, style.panelBorder.darker(140));
        gradient.setColorAt(1, style.panelBorder.lighter(110));
        p.setPen(QPen(style.panelBorder.darker(160), 1));
        p.setBrush(gradient);
        p.drawRoundedRect(groove, GrooveThickness / 2, GrooveThickness / 2);
    }

    // Progress fill from the minimum end to the thumb.
    if (m_showProgress && fraction(m_position) > 0) {
        QRectF fill = groove.adjusted(2, 2, -2, -2);
        if (horizontal)
            fill.setRight(centre.x());
        else
            fill.setTop(centre.y());
        QLinearGradient gradient(fill.topLeft(), horizontal ? fill.bottomLeft() : fill.topRight());
        gradient.setColorAt(0, style.accent.lighter(140));
        gradient.setColorAt(1, style.accent);
        p.setPen(Qt::NoPen);
        p.setBrush(gradient);
        p.drawRoundedRect(fill, fill.height() < fill.width() ? fill.height() / 2 : fill.width() / 2,
                          fill.height() < fill.width() ? fill.height() / 2 : fill.width() / 2);
    }

    // Ticks at the steps, on both sides of the groove.
    if (m_showTicks && m_step > 0 && m_max > m_min && (m_max - m_min) / m_step <= MaxTicks) {
        p.setPen(QPen(style.text, 2, Qt::SolidLine, Qt::RoundCap));
        QList<double> ticks;
        for (double v = m_min; v <= m_max + m_step * 1e-9; v += m_step)
            ticks << v;
        if (!ticks.isEmpty() && std::abs(ticks.last() - m_max) > m_step * 1e-6)
            ticks << m_max;
        const double reach = qMin(12.0, ((horizontal ? height() : width()) - GrooveThickness) / 2 - 4);
        for (double v : std::as_const(ticks)) {
            const QPointF at = pointForPosition(v);
            if (reach <= 1)
                break;
            if (horizontal) {
                p.drawLine(QPointF(at.x(), groove.top() - 3), QPointF(at.x(), groove.top() - 3 - reach));
                p.drawLine(QPointF(at.x(), groove.bottom() + 3), QPointF(at.x(), groove.bottom() + 3 + reach));
            } else {
                p.drawLine(QPointF(groove.left() - 3, at.y()), QPointF(groove.left() - 3 - reach, at.y()));
                p.drawLine(QPointF(groove.right() + 3, at.y()), QPointF(groove.right() + 3 + reach, at.y()));
            }
        }
    }

    // Thumb.
    const QRectF thumb = thumbRect().adjusted(1, 1, -1, -1);
    const double radius = qMin(10.0, qMin(thumb.width(), thumb.height()) / 3);
    fillRoundedGradient(p, thumb, radius, m_dragging ? style.buttonDownTop : style.buttonTop,
                        m_dragging ? style.buttonDownBottom : style.buttonBottom);
    p.setPen(QPen(style.panelBorder, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(thumb, radius, radius);
    const QColor thumbTop = m_dragging ? style.buttonDownTop : style.buttonTop;
    const QColor thumbBottom = m_dragging ? style.buttonDownBottom : style.buttonBottom;
    const QColor thumbText = readableOn(contrastingText(thumbBottom), {thumbTop, thumbBottom});
    if (!m_valueText.isEmpty()) {
        const int pixels = qBound(10, int(qMin(thumb.height(), thumb.width()) * 0.45), 22);
        p.setFont(touchFont(pixels, true));
        p.setPen(thumbText);
        p.drawText(thumb, Qt::AlignCenter, m_valueText);
    } else {
        // Grip lines across the thumb.
        QColor grip = thumbText;
        grip.setAlpha(110);
        p.setPen(QPen(grip, 2, Qt::SolidLine, Qt::RoundCap));
        const QPointF c = thumb.center();
        for (int i = -1; i <= 1; ++i) {
            if (horizontal)
                p.drawLine(QPointF(c.x() + i * 7, thumb.top() + thumb.height() * 0.28),
                           QPointF(c.x() + i * 7, thumb.bottom() - thumb.height() * 0.28));
            else
                p.drawLine(QPointF(thumb.left() + thumb.width() * 0.28, c.y() + i * 7),
                           QPointF(thumb.right() - thumb.width() * 0.28, c.y() + i * 7));
        }
    }
}

// ProgressBar ----------------------------------------------------------------

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent)
{
    repaintOnStyleChange(this);
}

void ProgressBar::setRange(double minimum, double maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    m_min = minimum;
    m_max = maximum;
    m_position = qBound(m_min, m_position, m_max);
    update();
}

void ProgressBar::setPosition(double position)
{
    if (std::isnan(position))
        return;
    position = qBound(m_min, position, m_max);
    if (position == m_position)
        return;
    m_position = position;
    update();
}

void ProgressBar::setFormat(const QString& printfFormat)
{
    m_format = printfFormat;
    update();
}

QString ProgressBar::text() const
{
    const double percent = m_max != 0 ? 100.0 * m_position / m_max : 0.0;
    return QString::asprintf(m_format.toUtf8().constData(), percent);
}

void ProgressBar::paintEvent(QPaintEvent*)
{
    const ColourStyle& style = ColourStyles::instance().current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    const double radius = qMin(8.0, box.height() / 2);
    fillRoundedGradient(p, box, radius, style.panelBottom.darker(112), style.panelTop);

    const double f = m_max > m_min ? (m_position - m_min) / (m_max - m_min) : 0.0;
    QRectF fill = box.adjusted(2, 2, -2, -2);
    fill.setWidth(fill.width() * qBound(0.0, f, 1.0));
    if (fill.width() > 0.5)
        fillRoundedGradient(p, fill, qMax(0.0, radius - 2), style.accent.lighter(145), style.accent);

    p.setPen(QPen(style.panelBorder, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box, radius, radius);

    // The text, in a colour that reads on the fill where it overlaps it and on the trough
    // elsewhere.
    const QString shown = text();
    p.setFont(touchFont(qBound(10, int(box.height() * 0.6), 28), true));
    p.save();
    p.setClipRect(fill);
    p.setPen(readableOn(contrastingText(style.accent), {style.accent.lighter(145), style.accent}));
    p.drawText(box, Qt::AlignCenter, shown);
    p.restore();
    p.save();
    p.setClipRect(QRectF(fill.right(), box.top(), box.right() - fill.right() + 1, box.height()));
    p.setPen(readableOn(style.text, {style.panelBottom.darker(112), style.panelTop}));
    p.drawText(box, Qt::AlignCenter, shown);
    p.restore();
}
