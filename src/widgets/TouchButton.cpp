#include "widgets/TouchButton.h"

#include "widgets/ColourStyles.h"
#include "widgets/WidgetPainting.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

using namespace WidgetPainting;

namespace {
constexpr double BevelWidth = 3.5;
}

TouchButton::TouchButton(const QString& caption, QWidget* parent) : QAbstractButton(parent)
{
    setText(caption);
    setFont(touchFont(18, true));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover, false);
    repaintOnStyleChange(this);
}

void TouchButton::setBevelColour(const QColor& colour)
{
    if (m_bevel == colour)
        return;
    m_bevel = colour;
    update();
}

void TouchButton::setCaptionColour(const QColor& colour)
{
    if (m_captionColour == colour)
        return;
    m_captionColour = colour;
    update();
}

void TouchButton::setFaceColour(const QColor& colour)
{
    m_face = colour;
    update();
}

void TouchButton::setGlyph(Glyph glyph)
{
    m_glyph = glyph;
    updateGeometry();
    update();
}

void TouchButton::setFontPixelSize(int pixels, bool bold)
{
    setFont(touchFont(pixels, bold));
    updateGeometry();
    update();
}

QSize TouchButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QSize textSize = text().isEmpty() ? QSize(0, 0) : metrics.size(0, text());
    int width = textSize.width() + 32;
    int height = qMax(textSize.height() + 24, 56);
    if (m_glyph != Glyph::None)
        width += height * 3 / 4;
    return QSize(qMax(width, 80), height);
}

void TouchButton::nextCheckState()
{
    if (m_group && !m_group->allowAllUp() && isChecked())
        return; // pressing the down toggle of a group that cannot be all up keeps it down
    QAbstractButton::nextCheckState();
}

bool TouchButton::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        return true;
    return QAbstractButton::event(event);
}

void TouchButton::paintEvent(QPaintEvent*)
{
    const ColourStyle& style = ColourStyles::instance().current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    const bool lit = isChecked();          // a toggle that is down
    const bool pressed = isDown();         // finger on the button
    const bool sunken = lit || pressed;
    const QRectF outer = QRectF(rect()).adjusted(BevelWidth / 2, BevelWidth / 2, -BevelWidth / 2, -BevelWidth / 2);
    const double radius = qMin(14.0, qMin(outer.width(), outer.height()) * 0.22);

    // Face.
    QColor top, bottom;
    if (m_face.isValid()) {
        top = sunken ? m_face.darker(125) : m_face.lighter(135);
        bottom = sunken ? m_face.darker(105) : m_face.darker(112);
        if (lit) { // keep a lit toggle clearly different from an up one with a fixed face
            top = m_face.darker(150);
            bottom = m_face.darker(115);
        }
    } else if (lit) {
        top = style.buttonDownTop;
        bottom = style.buttonDownBottom;
    } else {
        top = style.buttonTop;
        bottom = style.buttonBottom;
    }
    if (pressed && !lit) {
        std::swap(top, bottom);
        top = top.darker(108);
    }
    fillRoundedGradient(p, outer, radius, top, bottom);

    // Gloss on the upper half of a raised face; an inner shadow on a sunken one.
    const QRectF inner = outer.adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
    if (!sunken && inner.height() > 8) {
        QRectF gloss = inner;
        gloss.setHeight(inner.height() * 0.48);
        QLinearGradient gradient(gloss.topLeft(), gloss.bottomLeft());
        gradient.setColorAt(0, QColor(255, 255, 255, 120));
        gradient.setColorAt(1, QColor(255, 255, 255, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(gradient);
        p.drawRoundedRect(gloss, qMax(0.0, radius - BevelWidth), qMax(0.0, radius - BevelWidth));
    } else if (sunken && inner.height() > 8) {
        QRectF shade = inner;
        shade.setHeight(qMin(10.0, inner.height() * 0.25));
        QLinearGradient gradient(shade.topLeft(), shade.bottomLeft());
        gradient.setColorAt(0, QColor(0, 0, 0, 90));
        gradient.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(gradient);
        p.drawRoundedRect(shade, qMax(0.0, radius - BevelWidth), qMax(0.0, radius - BevelWidth));
    }

    // Bevel (outline).
    const QColor bevel = m_bevel.isValid() ? m_bevel : style.panelBorder;
    p.setPen(QPen(bevel, BevelWidth));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(outer, radius, radius);

    // A lit strip along the bottom of a down toggle.
    QRectF content = inner.adjusted(4, 2, -4, -2);
    if (isCheckable() && inner.height() >= 36 && inner.width() >= 40) {
        const double stripWidth = qMin(inner.width() * 0.5, 80.0);
        const QRectF strip(inner.center().x() - stripWidth / 2, inner.bottom() - 8, stripWidth, 5);
        p.setPen(Qt::NoPen);
        if (lit) {
            p.setBrush(QColor(255, 255, 255, 150));
            p.drawRoundedRect(strip.adjusted(-2, -2, 2, 2), 4, 4);
            p.setBrush(QColor(40, 230, 60));
        } else {
            p.setBrush(QColor(0, 0, 0, 70));
        }
        p.drawRoundedRect(strip, 2.5, 2.5);
        content.setBottom(strip.top() - 1);
    }
    if (sunken)
        content.translate(1, 1);

    // Caption and picture.
    // The caption colour asked for (the style's, or the screen's), made readable on the face.
    // A raised face is glossed: its top reaches almost half way to white.
    const QColor glossed = sunken ? top : QColor::fromRgbF(float(top.redF() + (1 - top.redF()) * 0.47),
                                                           float(top.greenF() + (1 - top.greenF()) * 0.47),
                                                           float(top.blueF() + (1 - top.blueF()) * 0.47));
    QColor caption = m_captionColour.isValid() ? m_captionColour
                     : m_face.isValid()        ? contrastingText(m_face)
                                               : style.buttonText;
    caption = readableOn(caption, {glossed, top, bottom});
    if (!isEnabled())
        caption.setAlphaF(0.45);

    const auto drawCaption = [&](const QRectF& box) {
        // One line with a little air at both ends where a smaller type allows it; else
        // the caption wraps.
        p.setFont(fittingFont(font(), text(), box.width() - 8));
        const int flags = Qt::AlignCenter | Qt::TextWordWrap;
        p.setPen(caption);
        p.drawText(box, flags, text());
    };

    const bool hasText = !text().isEmpty();
    if (m_glyph != Glyph::None) {
        QRectF glyphBox = content;
        QRectF textBox;
        if (hasText) {
            const QSizeF textSize = QFontMetricsF(font()).size(0, text());
            if (content.width() - textSize.width() >= content.height() * 0.7) {
                // Picture on the left, caption on the right.
                const double side = qMin(content.height(), content.width() - textSize.width() - 8);
                glyphBox = QRectF(content.left() + 4, content.center().y() - side / 2, side, side);
                textBox = content.adjusted(side + 8, 0, 0, 0);
            } else {
                // Picture above the caption.
                const double side = qMax(8.0, content.height() - textSize.height() - 4);
                glyphBox = QRectF(content.center().x() - side / 2, content.top(), side, side);
                textBox = QRectF(content.left(), glyphBox.bottom() + 2, content.width(), textSize.height());
            }
        } else {
            const double side = qMin(content.width(), content.height() + 4);
            glyphBox = QRectF(content.center().x() - side / 2, content.center().y() - side / 2, side, side);
        }
        drawGlyph(p, m_glyph, glyphBox, caption);
        if (hasText)
            drawCaption(textBox);
    } else if (hasText) {
        drawCaption(content);
    }
}

// ToggleGroup ---------------------------------------------------------------

ToggleGroup::ToggleGroup(bool allowAllUp, QObject* parent) : QObject(parent), m_allowAllUp(allowAllUp) {}

void ToggleGroup::add(TouchButton* button)
{
    if (!button || m_buttons.contains(button))
        return;
    button->setCheckable(true);
    button->m_group = this;
    m_buttons.append(button);
    connect(button, &QAbstractButton::toggled, this, [this, button](bool down) { onToggled(button, down); });
    connect(button, &QObject::destroyed, this, [this, button] { m_buttons.removeAll(button); });
    if (button->isChecked())
        onToggled(button, true);
}

void ToggleGroup::setDown(TouchButton* button)
{
    if (button && !m_buttons.contains(button))
        add(button);
    m_updating = true;
    for (TouchButton* other : std::as_const(m_buttons))
        if (other != button)
            other->setChecked(false);
    if (button)
        button->setChecked(true);
    m_updating = false;
}

TouchButton* ToggleGroup::downButton() const
{
    for (TouchButton* button : m_buttons)
        if (button->isChecked())
            return button;
    return nullptr;
}

void ToggleGroup::onToggled(TouchButton* button, bool down)
{
    if (m_updating || !down)
        return;
    m_updating = true;
    for (TouchButton* other : std::as_const(m_buttons))
        if (other != button)
            other->setChecked(false);
    m_updating = false;
}
