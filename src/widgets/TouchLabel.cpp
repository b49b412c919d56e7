#include "widgets/TouchLabel.h"

#include "widgets/ColourStyles.h"
#include "widgets/WidgetPainting.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

using namespace WidgetPainting;

TouchLabel::TouchLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setFont(touchFont(18, false));
    applyColour();
    connect(&ColourStyles::instance(), &ColourStyles::changed, this, [this] {
        applyColour();
        update();
    });
}

void TouchLabel::setFontPixelSize(int pixels, bool bold)
{
    setFont(touchFont(pixels, bold));
}

void TouchLabel::setTextColour(const QColor& colour)
{
    m_colour = colour;
    applyColour();
    update();
}

void TouchLabel::setElideMiddle(bool on)
{
    if (m_elideMiddle == on)
        return;
    m_elideMiddle = on;
    updateGeometry();
    update();
}

QSize TouchLabel::minimumSizeHint() const
{
    QSize size = QLabel::minimumSizeHint();
    if (m_elideMiddle)
        size.setWidth(qMin(size.width(), fontMetrics().horizontalAdvance(QStringLiteral("M…M")) + 2 * margin()));
    return size;
}

void TouchLabel::applyColour()
{
    // The colour asked for, made readable on whatever the label sits on.
    const auto [top, bottom] = backdropOf(this);
    const QColor colour = readableOn(m_colour.isValid() ? m_colour : ColourStyles::instance().current().text, {top, bottom});
    QPalette pal = palette();
    if (pal.color(QPalette::WindowText) == colour && pal.isBrushSet(QPalette::Active, QPalette::WindowText))
        return;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, colour);
    setPalette(pal);
}

bool TouchLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        return true;
    const bool result = QLabel::event(event);
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::ParentChange)
        applyColour();
    return result;
}

void TouchLabel::paintEvent(QPaintEvent* event)
{
    const QString full = text();
    if (!m_elideMiddle || full.isEmpty() || textFormat() == Qt::RichText
        || (textFormat() == Qt::AutoText && Qt::mightBeRichText(full))) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int indentation = indent() > 0 ? indent() : 0;
    if (alignment() & Qt::AlignLeft)
        box.setLeft(box.left() + indentation);
    else if (alignment() & Qt::AlignRight)
        box.setRight(box.right() - indentation);
    const QFontMetrics metrics(font());
    QStringList lines = full.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideMiddle, box.width());
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    p.drawText(box, int(alignment()), lines.join(QLatin1Char('\n')));
}
