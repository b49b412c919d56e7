#pragma once
// Putting controls on a form: each at its fixed place, under its control name.
#include "widgets/Glyphs.h"

#include <QRect>
#include <QString>

class QWidget;
class TouchButton;
class TouchLabel;

// A label showing `text` as plain text, so that no tag or file name is read as markup.
TouchLabel* placeLabel(QWidget* parent, const char* name, const QString& text, QRect place, int pixels, bool bold,
                       Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
TouchButton* placeButton(QWidget* parent, const char* name, const QString& caption, QRect place, int pixels,
                         Glyph glyph = Glyph::None);
