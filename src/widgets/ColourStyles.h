#pragma once
// The application-wide colour styles. Every touch widget paints with the current style
// and repaints when it changes; the application palette follows it too, so plain Qt
// widgets and dialogs match.
#include <QColor>
#include <QObject>
#include <QString>

struct ColourStyle {
    QString name;
    QColor window;          // form and screen background
    QColor panelTop;        // captioned panels: gradient
    QColor panelBottom;
    QColor panelBorder;
    QColor panelCaption;    // caption text of a panel
    QColor buttonTop;       // buttons and toggles that are up
    QColor buttonBottom;
    QColor buttonDownTop;   // toggles that are down
    QColor buttonDownBottom;
    QColor buttonText;
    QColor text;            // labels
    QColor listBack;        // touch lists
    QColor listText;
    QColor listSelection;
    QColor listSelectionText;
    QColor headerBack;      // list headers and footers, tab strip
    QColor headerText;
    QColor accent;          // active tab, bar fill, gauge needle
};

class ColourStyles : public QObject {
    Q_OBJECT
public:
    static constexpr int Count = 9;
    static ColourStyles& instance();

    // The style of index 0..8 (Blue, Classic, Olive, Silver 1, Luna, Obsidian, Silver 2,
    // Whidbey, Windows XP).
    static const ColourStyle& style(int index);
    const ColourStyle& current() const;
    int currentIndex() const { return m_current; }
    // Makes style `index` current; an index outside 0..8 changes nothing and returns false.
    bool apply(int index);

signals:
    void changed();

private:
    ColourStyles() = default;
    int m_current = 4;
};
