#include "widgets/CaptionPanel.h"

#include "widgets/ColourStyles.h"
#include "widgets/WidgetPainting.h"

#include <QMouseEvent>
#include <QPainter>

using namespace WidgetPainting;

CaptionPanel::CaptionPanel(const QString& caption, QWidget* parent) : QWidget(parent), m_caption(caption)
{
    repaintOnStyleChange(this);
}

void CaptionPanel::setCaption(const QString& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    update();
}

void CaptionPanel::setCaptionFontPixelSize(int pixels, bool bold)
{
    m_captionPixels = pixels;
    m_captionBold = bold;
    update();
}

void CaptionPanel::setFillColour(const QColor& colour)
{
    m_fill = colour;
    update();
}

void CaptionPanel::setCaptionColour(const QColor& colour)
{
    m_captionColour = colour;
    update();
}

void CaptionPanel::setBorder(const QColor& colour, int width)
{
    m_border = colour;
    m_borderWidth = qMax(0, width);
    update();
}

void CaptionPanel::setCornerRadius(int pixels)
{
    m_radius = qMax(0, pixels);
    update();
}

void CaptionPanel::paintEvent(QPaintEvent*)
{
    const ColourStyle& style = ColourStyles::instance().current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double half = m_borderWidth / 2.0;
    const QRectF box = QRectF(rect()).adjusted(half, half, -half, -half);
    const double radius = qMin<double>(m_radius, qMin(box.width(), box.height()) / 2);

    if (m_fill.isValid())
        fillRoundedGradient(p, box, radius, m_fill, m_fill);
    else
        fillRoundedGradient(p, box, radius, style.panelTop, style.panelBottom);

    if (m_borderWidth > 0) {
        p.setPen(QPen(m_border.isValid() ? m_border : style.panelBorder, m_borderWidth));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(box, radius, radius);
    }

    if (!m_caption.isEmpty()) {
        QColor colour = m_captionColour;
        if (!colour.isValid())
            colour = m_fill.isValid() ? contrastingText(m_fill) : style.panelCaption;
        colour = m_fill.isValid() ? readableOn(colour, {m_fill}) : readableOn(colour, {style.panelTop, style.panelBottom});
        const QFont font = touchFont(m_captionPixels, m_captionBold);
        p.setFont(font);
        p.setPen(colour);
        const int bandHeight = QFontMetrics(font).height() + 8;
        const QRectF band(box.left() + qMax(radius * 0.6, 6.0), box.top() + m_borderWidth, box.width() - 2 * qMax(radius * 0.6, 6.0), bandHeight);
        const QString shown = QFontMetrics(font).elidedText(m_caption, Qt::ElideRight, int(band.width()));
        p.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter, shown);
    }
}

void CaptionPanel::mousePressEvent(QMouseEvent* event)
{
    // Only the background counts; a child under the finger (even one that passes mouse
    // events on, such as a label) does not make a click on the panel.
    m_pressed = event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr;
    event->accept();
}

void CaptionPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
