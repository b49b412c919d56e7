#include "widgets/WidgetPainting.h"

#include "widgets/CaptionPanel.h"
#include "widgets/ColourStyles.h"
#include "widgets/TabPager.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <array>
#include <cmath>

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

QFont fittingFont(const QFont& font, const QString& text, double width)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    QFont fitted = font;
    const auto widest = [&](int pixels) {
        fitted.setPixelSize(pixels);
        const QFontMetricsF metrics(fitted);
        double most = 0;
        for (const QString& line : lines)
            most = qMax(most, metrics.horizontalAdvance(line));
        return most;
    };
    const int full = font.pixelSize();
    const int smallest = qMax(1, full * 2 / 3);
    const double needed = widest(full);
    if (needed <= width || full <= smallest)
        return fitted;
    // Text grows about in step with the type, so the size that fits is found in a step or
    // two from its estimate: every size tried loads a font of its own.
    int pixels = qBound(smallest, int(full * width / needed), full - 1);
    while (pixels > smallest && widest(pixels) > width)
        --pixels;
    while (pixels + 1 < full && widest(pixels + 1) <= width)
        ++pixels;
    fitted.setPixelSize(pixels);
    return fitted;
}

QFont wrappingFont(const QFont& font, const QString& text, const QSize& box, int smallest)
{
    QFont fitted = font;
    for (int pixels = font.pixelSize(); pixels >= smallest; --pixels) {
        fitted.setPixelSize(pixels);
        const QRect needed = QFontMetrics(fitted).boundingRect(QRect(QPoint(), box), Qt::AlignCenter | Qt::TextWordWrap, text);
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
    }
    return fitted;
}

namespace {
// The sRGB channel value 0-255 as linear light, from a table: the screens ask for
// readable colours thousands of times while they are built.
double linear(int channel)
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[size_t(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table[size_t(channel)];
}
}

double luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.red()) + 0.7152 * linear(rgb.green()) + 0.0722 * linear(rgb.blue());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor contrastingText(const QColor& back)
{
    return contrastRatio(back, Qt::black) >= contrastRatio(back, Qt::white) ? QColor(Qt::black) : QColor(Qt::white);
}

QColor readableOn(const QColor& text, std::initializer_list<QColor> backs)
{
    const auto worst = [&](const QColor& colour) {
        double ratio = 21;
        for (const QColor& back : backs)
            ratio = qMin(ratio, contrastRatio(colour, back));
        return ratio;
    };
    if (backs.size() == 0 || worst(text) >= MinimumTextContrast)
        return text;
    // The smallest step towards black or towards white that reads; failing both (a
    // gradient from dark to light), the most readable mix found.
    const auto mix = [&](const QColor& target, double t) {
        return QColor::fromRgbF(float(text.redF() + (target.redF() - text.redF()) * t),
                                float(text.greenF() + (target.greenF() - text.greenF()) * t),
                                float(text.blueF() + (target.blueF() - text.blueF()) * t), text.alphaF());
    };
    QColor best = text;
    for (int step = 1; step <= 20; ++step) {
        for (const QColor& target : {QColor(Qt::black), QColor(Qt::white)}) {
            const QColor mixed = mix(target, step / 20.0);
            if (worst(mixed) >= MinimumTextContrast)
                return mixed;
            if (worst(mixed) > worst(best))
                best = mixed;
        }
    }
    return best;
}

QPair<QColor, QColor> backdropOf(const QWidget* widget)
{
    const ColourStyle& style = ColourStyles::instance().current();
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w != widget && qobject_cast<const CaptionPanel*>(w)) {
            const auto* panel = static_cast<const CaptionPanel*>(w);
            const QColor fill = panel->fillColour();
            if (fill.isValid())
                return {fill, fill};
            return {style.panelTop, style.panelBottom};
        }
        if (w != widget && qobject_cast<const TabPager*>(w))
            return {style.panelTop, style.panelBottom};
        if (w->autoFillBackground()) {
            const QColor back = w->palette().color(w->backgroundRole());
            return {back, back};
        }
        if (w->isWindow())
            break;
    }
    return {style.window, style.window};
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
