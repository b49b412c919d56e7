#pragma once
// A touch list: a header line, rows big enough for a finger, and a footer line. Rows are
// scrolled by dragging or with the scroll bar. Each row has its own text colour (drawn
// the same whether selected or not, when set). Single selection by default; with
// multi-selection each tap flips a row and the tapped row becomes the focused one.
#include "widgets/Glyphs.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

class QScrollBar;

class TouchList : public QWidget {
    Q_OBJECT
public:
    explicit TouchList(QWidget* parent = nullptr);

    void setHeader(const QString& text);
    QString header() const { return m_header; }
    void setFooter(const QString& text);
    QString footer() const { return m_footer; }
    void setHeaderVisible(bool on);
    void setFooterVisible(bool on);
    void setRowHeight(int pixels);
    int rowHeight() const { return m_rowHeight; }
    void setFontPixelSize(int pixels, bool bold = false);
    // Fixed colours instead of the style's (invalid: follow the style): the rows'
    // background, and the text of rows without a colour of their own.
    void setBackColour(const QColor& colour);
    void setTextColour(const QColor& colour);
    // A small picture drawn before every row's text (Glyph::None: none), such as
    // Glyph::File in a file list.
    void setRowGlyph(Glyph glyph);

    // Rows.
    int count() const { return int(m_items.size()); }
    void clear();
    void addItem(const QString& text, const QColor& colour = QColor());
    void insertItem(int index, const QString& text, const QColor& colour = QColor());
    void removeItem(int index);
    void moveItem(int from, int to);
    QString itemText(int index) const;
    void setItemText(int index, const QString& text);
    // Invalid colour: the style's list text colour.
    QColor itemColour(int index) const;
    void setItemColour(int index, const QColor& colour);
    QStringList items() const;

    // Single selection: the selected row, or -1. Changing it emits
    // selectionChanged(previous, current), whether by a tap or by this call; it also
    // scrolls the row into view. Inserting, removing and moving rows keep the selected
    // (and the focused) row on the same item without emitting; removing the selected
    // row or clear() leaves none selected, silently.
    int selectedIndex() const { return m_selected; }
    void setSelectedIndex(int index);

    // Multi-selection. Taps flip rows and move the focused row; they leave selectedIndex()
    // alone. setSelected() and setAllSelected() emit nothing.
    void setMultiSelect(bool on);
    bool multiSelect() const { return m_multi; }
    bool isSelected(int index) const;
    void setSelected(int index, bool on);
    void setAllSelected(bool on);
    int selectedCount() const;
    int focusedIndex() const { return m_focused; }

    // Scrolling: the first row shown, and how many rows fit.
    int topIndex() const;
    void setTopIndex(int index);
    int visibleRows() const;
    void scrollToIndex(int index);

    QSize sizeHint() const override;

signals:
    void selectionChanged(int previous, int current);
    // Multi-selection: a row was flipped by a tap.
    void rowToggled(int index, bool selected);
    void rowTapped(int index);
    void rowDoubleTapped(int index);
    // The user scrolled the rows (drag, wheel or scroll bar); not emitted by
    // setTopIndex() or scrollToIndex().
    void scrolled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Item {
        QString text;
        QColor colour;
        bool selected = false;
    };
    QRect rowsArea() const;
    QRect headerRect() const;
    QRect footerRect() const;
    int lineHeight() const;
    bool needsScrollBar() const;
    int maxTop() const;
    int rowAt(const QPoint& pos) const;
    // Notes where a press began, for the release to tell a tap from a drag.
    void beginPress(QPoint pos);
    void updateScrollBar();
    void scrollTo(int top, bool byUser);
    void styleScrollBar();

    QList<Item> m_items;
    QString m_header;
    QString m_footer;
    bool m_headerVisible = true;
    bool m_footerVisible = true;
    int m_rowHeight = 40;
    int m_fontPixels = 20;
    bool m_fontBold = false;
    int m_selected = -1;
    int m_focused = -1;
    bool m_multi = false;
    QScrollBar* m_scrollBar;
    QPoint m_pressPos;
    int m_pressTop = 0;
    bool m_dragging = false;
    int m_pressRow = -1;
    bool m_pressing = false;
    int m_top = 0;
    bool m_syncingBar = false;
    int m_scrollBarStyle = -1; // the colour style the scroll bar was last given
    QColor m_backColour;
    QColor m_textColour;
    Glyph m_rowGlyph = Glyph::None;
};
