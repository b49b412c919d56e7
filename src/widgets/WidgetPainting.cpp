#include "widgets/WidgetPainting.h"

#include "widgets/ColourStyles.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace WidgetPainting {

QFont touchFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Sans Serif")});
    font.setPixelSize(qMax(1, pixels));
    font.setBold(bold);
    return font;
}

double luminance(const QColor& colour)
{
    return 0.2126 * colour.redF() + 0.7152 * colour.greenF() + 0.0722 * colour.blueF();
}

QColor contrastingText(const QColor& back)
{
    return luminance(back) > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

void fillRoundedGradient(QPainter& painter, const QRectF& rect, double radius, const QColor& top,
                         const QColor& bottom)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(rect, radius, radius);
}

void repaintOnStyleChange(QWidget* widget)
{
    QObject::connect(&ColourStyles::instance(), &ColourStyles::changed, widget, [widget] { widget->update(); });
}

}
