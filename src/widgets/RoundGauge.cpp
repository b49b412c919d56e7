#include "widgets/RoundGauge.h"

#include "widgets/ColourStyles.h"
#include "widgets/WidgetPainting.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>

using namespace WidgetPainting;

namespace {
constexpr int MaxDivisions = 100;
constexpr int MaxMinorTicks = 20;

// Radii as fractions of the face's radius.
constexpr double BandRadius = 0.87;
constexpr double BandWidth = 0.07;
constexpr double MajorTickOuter = 0.93;
constexpr double MajorTickInner = 0.79;
constexpr double MinorTickInner = 0.86;
constexpr double LabelRadius = 0.65;
constexpr double NeedleLength = 0.82;
constexpr double NeedleTail = 0.16;
constexpr double NeedleHalfWidth = 0.045;
constexpr double HubRadius = 0.09;

// The point at `radius` from `centre` in the direction `degrees` clockwise from the top.
QPointF onDial(QPointF centre, double radius, double degrees)
{
    const double radians = qDegreesToRadians(degrees);
    return centre + QPointF(radius * std::sin(radians), -radius * std::cos(radians));
}
}

RoundGauge::RoundGauge(QWidget* parent) : QWidget(parent)
{
    connect(&ColourStyles::instance(), &ColourStyles::changed, this, &RoundGauge::dialChanged);
}

void RoundGauge::dialChanged()
{
    m_dial = QPixmap();
    update();
}

void RoundGauge::setRange(double minimum, double maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    m_min = minimum;
    m_max = maximum;
    dialChanged();
}

void RoundGauge::setDivisions(int divisions)
{
    m_divisions = qBound(1, divisions, MaxDivisions);
    dialChanged();
}

void RoundGauge::setMinorTicks(int perDivision)
{
    m_minorTicks = qBound(0, perDivision, MaxMinorTicks);
    dialChanged();
}

void RoundGauge::setValue(double value)
{
    if (std::isnan(value) || value == m_value)
        return;
    m_value = value;
    update();
}

void RoundGauge::setDialText(const QString& text)
{
    m_dialText = text;
    dialChanged();
}

void RoundGauge::setValueFormat(const QString& printfFormat)
{
    m_valueFormat = printfFormat;
    update();
}

QString RoundGauge::valueText() const
{
    return m_valueFormat.isEmpty() ? QString() : QString::asprintf(m_valueFormat.toUtf8().constData(), m_value);
}

void RoundGauge::setNeedleColour(const QColor& colour)
{
    m_needleColour = colour;
    update();
}

void RoundGauge::setBands(const QList<GaugeBand>& bands)
{
    m_bands = bands;
    dialChanged();
}

void RoundGauge::setSweep(double startDegrees, double spanDegrees)
{
    m_startAngle = startDegrees;
    m_span = qBound(-360.0, spanDegrees, 360.0);
    dialChanged();
}

void RoundGauge::setTickLabels(const QStringList& labels)
{
    m_tickLabels = labels;
    dialChanged();
}

double RoundGauge::angleForValue(double value) const
{
    const double fraction = m_max > m_min ? (qBound(m_min, value, m_max) - m_min) / (m_max - m_min) : 0.0;
    return m_startAngle + fraction * m_span;
}

bool RoundGauge::isFullCircle() const
{
    return std::abs(m_span) >= 360.0;
}

int RoundGauge::tickPositions(int steps) const
{
    return isFullCircle() ? steps : steps + 1;
}

QStringList RoundGauge::tickLabelTexts() const
{
    const double step = (m_max - m_min) / m_divisions;
    QStringList texts;
    for (int i = 0; i < tickPositions(m_divisions); ++i) {
        if (!m_tickLabels.isEmpty()) {
            texts << m_tickLabels.value(i);
            continue;
        }
        const double tick = m_min + i * step;
        texts << (std::abs(step) >= 1 ? QString::number(qRound64(tick)) : QString::number(tick, 'g', 3));
    }
    return texts;
}

QSize RoundGauge::sizeHint() const
{
    return QSize(240, 240);
}

void RoundGauge::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void RoundGauge::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void RoundGauge::paintEvent(QPaintEvent*)
{
    const double outer = qMin(width(), height()) / 2.0 - 1;
    if (outer < 8)
        return;
    // The dial changes only with its settings, the style or the size: it is drawn once into a
    // picture at the scale at which this painter reaches the screen's pixels, and every value
    // after that draws only the readout and the needle over it. The picture is copied pixel
    // for pixel: drawn through a fractional scale (1.8 on a 1920 x 1080 panel) it would be
    // resampled, which costs more than drawing the dial.
    QPainter p(this);
    const QTransform toDevice = p.deviceTransform();
    const qreal scale = toDevice.m11();
    const QSize pixels(qCeil(width() * scale), qCeil(height() * scale));
    if (m_dial.size() != pixels || m_dialScale != scale) {
        // Over a parent that fills its background with one colour, the corners are drawn in
        // that colour and the gauge paints every pixel itself: Qt then leaves the parent
        // unpainted under it when a new value is shown.
        const QWidget* parent = parentWidget();
        const bool solidBackdrop = parent && parent->autoFillBackground()
            && parent->palette().brush(QPalette::Window).style() == Qt::SolidPattern;
        setAttribute(Qt::WA_OpaquePaintEvent, solidBackdrop);
        m_dial = QPixmap(pixels);
        m_dial.fill(solidBackdrop ? parent->palette().color(QPalette::Window) : QColor(Qt::transparent));
        m_dialScale = scale;
        QPainter dial(&m_dial);
        dial.scale(scale, scale);
        paintDial(dial);
    }
    p.save();
    p.setWorldTransform(toDevice.inverted());
    p.drawPixmap(toDevice.map(QPointF()).toPoint(), m_dial);
    p.restore();
    paintReadoutAndNeedle(p);
}

void RoundGauge::paintDial(QPainter& p) const
{
    const ColourStyle& style = ColourStyles::instance().current();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    const QPointF centre = QRectF(rect()).center();
    const double outer = qMin(width(), height()) / 2.0 - 1;
    const double face = outer * 0.93;
    const QColor ink = style.panelCaption;

    // Bezel ring and face.
    {
        QLinearGradient bezel(centre - QPointF(0, outer), centre + QPointF(0, outer));
        bezel.setColorAt(0, style.panelBorder.lighter(170));
        bezel.setColorAt(1, style.panelBorder.darker(170));
        p.setPen(Qt::NoPen);
        p.setBrush(bezel);
        p.drawEllipse(centre, outer, outer);
        QRadialGradient dial(centre - QPointF(0, face * 0.3), face * 1.3);
        dial.setColorAt(0, style.panelTop);
        dial.setColorAt(1, style.panelBottom);
        p.setBrush(dial);
        p.drawEllipse(centre, face, face);
    }

    // Coloured bands along the rim. Qt's arcs run anticlockwise from three o'clock.
    for (const GaugeBand& band : std::as_const(m_bands)) {
        const double from = angleForValue(band.from);
        const double to = angleForValue(band.to);
        if (from == to || !band.colour.isValid())
            continue;
        const double radius = face * BandRadius;
        const QRectF arcBox(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        p.setPen(QPen(band.colour, face * BandWidth, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(arcBox, qRound((90 - from) * 16), qRound((from - to) * 16));
    }

    // Ticks.
    const int minorSteps = m_divisions * (m_minorTicks + 1);
    const double minorAngle = m_span / minorSteps;
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < tickPositions(minorSteps); ++i) {
        const bool major = i % (m_minorTicks + 1) == 0;
        const double angle = m_startAngle + i * minorAngle;
        p.setPen(QPen(ink, qMax(major ? 2.0 : 1.0, face * (major ? 0.028 : 0.012)), Qt::SolidLine, Qt::FlatCap));
        p.drawLine(onDial(centre, face * (major ? MajorTickInner : MinorTickInner), angle),
                   onDial(centre, face * MajorTickOuter, angle));
    }

    // Labels, upright, sized so that neighbours do not touch.
    const QStringList labels = tickLabelTexts();
    const double labelRadius = face * LabelRadius;
    const double majorAngle = m_span / m_divisions;
    const double spacing = 2 * labelRadius * std::abs(std::sin(qDegreesToRadians(majorAngle) / 2));
    int widest = 1;
    const QFontMetrics reference(touchFont(100, true));
    for (const QString& label : labels)
        widest = qMax(widest, reference.horizontalAdvance(label));
    const int labelPixels = int(qMax(7.0, std::min({face * 0.15, 100.0 * spacing * 0.85 / widest, spacing * 0.85})));
    p.setFont(touchFont(labelPixels, true));
    p.setPen(ink);
    for (int i = 0; i < labels.size(); ++i) {
        const QPointF at = onDial(centre, labelRadius, m_startAngle + i * majorAngle);
        const QRectF box(at.x() - spacing, at.y() - labelPixels, 2 * spacing, 2 * labelPixels);
        p.drawText(box, Qt::AlignCenter, labels[i]);
    }

    // Dial text above the centre.
    if (!m_dialText.isEmpty()) {
        const int pixels = qMax(8, int(face * 0.14));
        p.setFont(touchFont(pixels, true));
        const QRectF box(centre.x() - face * 0.5, centre.y() - face * 0.30 - pixels, face, 2 * pixels);
        p.drawText(box, Qt::AlignCenter, m_dialText);
    }
}

void RoundGauge::paintReadoutAndNeedle(QPainter& p) const
{
    const ColourStyle& style = ColourStyles::instance().current();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QPointF centre = QRectF(rect()).center();
    const double face = (qMin(width(), height()) / 2.0 - 1) * 0.93;
    const QColor ink = style.panelCaption;

    // The readout below the centre.
    const QString readout = valueText();
    if (!readout.isEmpty()) {
        const int pixels = qMax(8, int(face * 0.18));
        const QFont font = touchFont(pixels, true);
        const double boxWidth = QFontMetricsF(font).horizontalAdvance(readout) + pixels * 0.6;
        const QRectF box(centre.x() - boxWidth / 2, centre.y() + face * 0.40 - pixels * 0.65, boxWidth, pixels * 1.3);
        p.setPen(QPen(style.panelBorder, 1.5));
        p.setBrush(style.panelBottom);
        p.drawRoundedRect(box, pixels * 0.25, pixels * 0.25);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(box, Qt::AlignCenter, readout);
    }

    // Needle, then the hub over its root.
    {
        const QColor needle = m_needleColour.isValid() ? m_needleColour : style.accent;
        const double halfWidth = face * NeedleHalfWidth;
        const double tail = face * NeedleTail;
        const QPolygonF shape({QPointF(0, -face * NeedleLength), QPointF(halfWidth, 0),
                               QPointF(halfWidth * 0.6, tail), QPointF(-halfWidth * 0.6, tail),
                               QPointF(-halfWidth, 0)});
        p.save();
        p.translate(centre);
        p.rotate(angleForValue(m_value));
        p.setPen(QPen(needle.darker(170), 1));
        p.setBrush(needle);
        p.drawPolygon(shape);
        p.restore();

        const double hub = face * HubRadius;
        QRadialGradient cap(centre - QPointF(hub * 0.3, hub * 0.3), hub * 1.2);
        cap.setColorAt(0, style.panelBorder.lighter(180));
        cap.setColorAt(1, style.panelBorder.darker(150));
        p.setPen(Qt::NoPen);
        p.setBrush(cap);
        p.drawEllipse(centre, hub, hub);
    }
}
