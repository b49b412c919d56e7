#pragma once
// A text label in the style's text colour (or its own), with type size in pixels. Its text
// is plain text: a name such as "<h1>Fog & more" shows as it is written. Its hint (toolTip)
// is the program's to read and never pops up under a resting finger.
#include <QColor>
#include <QLabel>

class TouchLabel : public QLabel {
    Q_OBJECT
public:
    explicit TouchLabel(const QString& text = QString(), QWidget* parent = nullptr);
    void setFontPixelSize(int pixels, bool bold = false);
    // Invalid: follow the style.
    void setTextColour(const QColor& colour);
    QColor textColour() const { return m_colour; }
    // Long text is shortened with an ellipsis in the middle instead of being cut off.
    void setElideMiddle(bool on);
    // With elide-middle on, the label may be narrower than its text.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void applyColour();
    QColor m_colour;
    bool m_elideMiddle = false;
};
