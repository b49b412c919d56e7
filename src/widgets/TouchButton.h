#pragma once
// A large touch button: rounded, with a gradient face from the colour style, an outline
// (bevel) in its own colour, a caption and/or a picture. A checkable button is a toggle
// whose down state is isChecked(); a press flips it before clicked() is emitted. Its hint
// (toolTip) is the program's to read and never pops up under a resting finger.
#include "widgets/Glyphs.h"

#include <QAbstractButton>
#include <QColor>
#include <QPointer>

class ToggleGroup;

class TouchButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TouchButton(const QString& caption = QString(), QWidget* parent = nullptr);

    // The outline colour; an invalid colour means the style's own border colour.
    void setBevelColour(const QColor& colour);
    QColor bevelColour() const { return m_bevel; }
    // The caption colour; an invalid colour means the style's button text colour.
    void setCaptionColour(const QColor& colour);
    QColor captionColour() const { return m_captionColour; }
    // A fixed face colour instead of the style's gradient (invalid: follow the style).
    void setFaceColour(const QColor& colour);
    void setGlyph(Glyph glyph);
    Glyph glyph() const { return m_glyph; }
    // Caption type size in pixels.
    void setFontPixelSize(int pixels, bool bold = true);

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A down toggle of a ToggleGroup without allowAllUp stays down when pressed again.
    void nextCheckState() override;

private:
    friend class ToggleGroup;
    QPointer<ToggleGroup> m_group;
    QColor m_bevel;
    QColor m_captionColour;
    QColor m_face;
    Glyph m_glyph = Glyph::None;
};

// Toggles that release each other: pressing one sets it down and the others up. With
// allowAllUp, pressing the one that is down releases it and leaves all up.
class ToggleGroup : public QObject {
    Q_OBJECT
public:
    explicit ToggleGroup(bool allowAllUp, QObject* parent = nullptr);
    // Makes `button` checkable and a member.
    void add(TouchButton* button);
    // Sets `button` down (and the others up) without running any click handler
    // (toggled() may be emitted, clicked() never is). nullptr sets all up.
    void setDown(TouchButton* button);
    // The member that is down, or nullptr.
    TouchButton* downButton() const;
    bool allowAllUp() const { return m_allowAllUp; }

private:
    void onToggled(TouchButton* button, bool down);
    bool m_allowAllUp;
    bool m_updating = false;
    QList<TouchButton*> m_buttons;
};
