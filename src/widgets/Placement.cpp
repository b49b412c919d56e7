#include "widgets/Placement.h"

#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

TouchLabel* placeLabel(QWidget* parent, const char* name, const QString& text, QRect place, int pixels, bool bold,
                       Qt::Alignment alignment)
{
    auto* label = new TouchLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setFontPixelSize(pixels, bold);
    label->setAlignment(alignment);
    return label;
}

TouchButton* placeButton(QWidget* parent, const char* name, const QString& caption, QRect place, int pixels,
                         Glyph glyph)
{
    auto* button = new TouchButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setFontPixelSize(pixels);
    button->setGlyph(glyph);
    return button;
}

void centreOnWindow(QWidget& dialog, const QWidget& window)
{
    dialog.move(window.mapToGlobal(window.rect().center() - dialog.rect().center()));
}
