#pragma once
// Putting controls on a form: each at its fixed place, under its control name; and a
// dialog at its place over the main window.
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

// Centres `dialog` on `window`, wherever the window is drawn: filling the screen, centred on
// a larger panel, or embedded in a view that draws it scaled down (where only the window's
// own mapping knows the dialog's place on the screen).
void centreOnWindow(QWidget& dialog, const QWidget& window);
