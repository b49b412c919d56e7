#include "widgets/TouchList.h"

#include "widgets/ColourStyles.h"
#include "widgets/WidgetPainting.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

using namespace WidgetPainting;

namespace {
constexpr int ScrollBarWidth = 44;
constexpr int DragThreshold = 10;
constexpr int TextPadding = 10;
}

TouchList::TouchList(QWidget* parent) : QWidget(parent), m_scrollBar(new QScrollBar(Qt::Vertical, this))
{
    m_scrollBar->setObjectName(QStringLiteral("TouchListScrollBar"));
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncingBar)
            scrollTo(value, true);
    });
    connect(&ColourStyles::instance(), &ColourStyles::changed, this, [this] {
        styleScrollBar();
        update();
    });
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

// Layout ---------------------------------------------------------------------

int TouchList::lineHeight() const
{
    return qMax(32, QFontMetrics(touchFont(m_fontPixels, true)).height() + 12);
}

QRect TouchList::headerRect() const
{
    return m_headerVisible ? QRect(0, 0, width(), lineHeight()) : QRect();
}

QRect TouchList::footerRect() const
{
    return m_footerVisible ? QRect(0, height() - lineHeight(), width(), lineHeight()) : QRect();
}

QRect TouchList::rowsArea() const
{
    const int top = m_headerVisible ? lineHeight() : 0;
    const int bottom = m_footerVisible ? height() - lineHeight() : height();
    const int w = width() - (needsScrollBar() ? ScrollBarWidth : 0);
    return QRect(0, top, qMax(0, w), qMax(0, bottom - top));
}

int TouchList::visibleRows() const
{
    const int top = m_headerVisible ? lineHeight() : 0;
    const int bottom = m_footerVisible ? height() - lineHeight() : height();
    return qMax(0, (bottom - top) / m_rowHeight);
}

bool TouchList::needsScrollBar() const
{
    return count() > visibleRows();
}

int TouchList::maxTop() const
{
    return qMax(0, count() - visibleRows());
}

int TouchList::rowAt(const QPoint& pos) const
{
    const QRect area = rowsArea();
    if (!area.contains(pos))
        return -1;
    const int row = m_top + (pos.y() - area.top()) / m_rowHeight;
    return row < count() ? row : -1;
}

void TouchList::updateScrollBar()
{
    // A hidden list is laid out when it is shown: measuring its font would load a font
    // the screens shown at start do not need.
    if (!isVisible())
        return;
    m_syncingBar = true;
    const QRect area = rowsArea();
    m_scrollBar->setRange(0, maxTop());
    m_scrollBar->setPageStep(qMax(1, visibleRows()));
    m_scrollBar->setValue(m_top);
    m_scrollBar->setGeometry(width() - ScrollBarWidth, area.top(), ScrollBarWidth, area.height());
    m_scrollBar->setVisible(needsScrollBar());
    m_syncingBar = false;
}

void TouchList::styleScrollBar()
{
    // A style sheet is dear to make: a hidden list's bar gets its colours when it is shown.
    if (!isVisible() || m_scrollBarStyle == ColourStyles::instance().currentIndex())
        return;
    m_scrollBarStyle = ColourStyles::instance().currentIndex();
    const ColourStyle& s = ColourStyles::instance().current();
    m_scrollBar->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: %1; width: %6px; margin: 0; border: none; }"
        "QScrollBar::handle:vertical { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 %2, stop:1 %3);"
        " min-height: 48px; border: 2px solid %4; border-radius: 10px; margin: 3px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; border: none; background: none; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: %5; }")
        .arg(s.headerBack.name(), s.buttonTop.name(), s.buttonBottom.name(), s.panelBorder.name(),
             s.headerBack.darker(115).name())
        .arg(ScrollBarWidth));
}

void TouchList::scrollTo(int top, bool byUser)
{
    top = top <= 0 ? 0 : qMin(top, maxTop()); // the top row needs no layout
    if (top == m_top)
        return;
    m_top = top;
    updateScrollBar();
    update();
    if (byUser)
        emit scrolled();
}

// Appearance -----------------------------------------------------------------

void TouchList::setHeader(const QString& text)
{
    m_header = text;
    update();
}

void TouchList::setFooter(const QString& text)
{
    m_footer = text;
    update();
}

void TouchList::setHeaderVisible(bool on)
{
    m_headerVisible = on;
    scrollTo(m_top, false);
    updateScrollBar();
    update();
}

void TouchList::setFooterVisible(bool on)
{
    m_footerVisible = on;
    scrollTo(m_top, false);
    updateScrollBar();
    update();
}

void TouchList::setRowHeight(int pixels)
{
    m_rowHeight = qMax(8, pixels);
    scrollTo(m_top, false);
    updateScrollBar();
    update();
}

void TouchList::setFontPixelSize(int pixels, bool bold)
{
    m_fontPixels = qMax(1, pixels);
    m_fontBold = bold;
    scrollTo(m_top, false);
    updateScrollBar();
    update();
}

void TouchList::setBackColour(const QColor& colour)
{
    m_backColour = colour;
    update();
}

void TouchList::setTextColour(const QColor& colour)
{
    m_textColour = colour;
    update();
}

void TouchList::setRowGlyph(Glyph glyph)
{
    m_rowGlyph = glyph;
    update();
}

QSize TouchList::sizeHint() const
{
    return QSize(320, (m_headerVisible ? lineHeight() : 0) + (m_footerVisible ? lineHeight() : 0) + 6 * m_rowHeight);
}

// Rows -----------------------------------------------------------------------

void TouchList::clear()
{
    m_items.clear();
    m_selected = -1;
    m_focused = -1;
    m_top = 0;
    updateScrollBar();
    update();
}

void TouchList::addItem(const QString& text, const QColor& colour)
{
    insertItem(count(), text, colour);
}

void TouchList::insertItem(int index, const QString& text, const QColor& colour)
{
    index = qBound(0, index, count());
    Item item;
    item.text = text;
    item.colour = colour;
    m_items.insert(index, item);
    if (m_selected >= index)
        ++m_selected;
    if (m_focused >= index)
        ++m_focused;
    updateScrollBar();
    update();
}

void TouchList::removeItem(int index)
{
    if (index < 0 || index >= count())
        return;
    m_items.removeAt(index);
    if (m_selected == index)
        m_selected = -1;
    else if (m_selected > index)
        --m_selected;
    if (m_focused == index)
        m_focused = -1;
    else if (m_focused > index)
        --m_focused;
    scrollTo(m_top, false);
    updateScrollBar();
    update();
}

void TouchList::moveItem(int from, int to)
{
    if (from < 0 || from >= count() || to < 0 || to >= count() || from == to)
        return;
    const auto remap = [from, to](int k) {
        if (k == from)
            return to;
        if (from < to && k > from && k <= to)
            return k - 1;
        if (from > to && k >= to && k < from)
            return k + 1;
        return k;
    };
    m_items.move(from, to);
    if (m_selected >= 0)
        m_selected = remap(m_selected);
    if (m_focused >= 0)
        m_focused = remap(m_focused);
    update();
}

QString TouchList::itemText(int index) const
{
    return index >= 0 && index < count() ? m_items[index].text : QString();
}

void TouchList::setItemText(int index, const QString& text)
{
    if (index < 0 || index >= count())
        return;
    m_items[index].text = text;
    update();
}

QColor TouchList::itemColour(int index) const
{
    return index >= 0 && index < count() ? m_items[index].colour : QColor();
}

void TouchList::setItemColour(int index, const QColor& colour)
{
    if (index < 0 || index >= count())
        return;
    m_items[index].colour = colour;
    update();
}

QStringList TouchList::items() const
{
    QStringList texts;
    texts.reserve(count());
    for (const Item& item : m_items)
        texts << item.text;
    return texts;
}

// Selection ------------------------------------------------------------------

void TouchList::setSelectedIndex(int index)
{
    if (index < 0 || index >= count())
        index = -1;
    if (index >= 0) {
        if (!m_multi)
            m_focused = index;
        scrollToIndex(index);
    }
    if (index == m_selected)
        return;
    const int previous = m_selected;
    m_selected = index;
    update();
    emit selectionChanged(previous, index);
}

void TouchList::setMultiSelect(bool on)
{
    if (m_multi == on)
        return;
    m_multi = on;
    for (int i = 0; i < count(); ++i)
        m_items[i].selected = on && i == m_selected;
    update();
}

bool TouchList::isSelected(int index) const
{
    if (index < 0 || index >= count())
        return false;
    return m_multi ? m_items[index].selected : index == m_selected;
}

void TouchList::setSelected(int index, bool on)
{
    if (index < 0 || index >= count())
        return;
    if (m_multi) {
        m_items[index].selected = on;
        update();
    } else if (on) {
        setSelectedIndex(index);
    } else if (index == m_selected) {
        setSelectedIndex(-1);
    }
}

void TouchList::setAllSelected(bool on)
{
    if (m_multi) {
        for (Item& item : m_items)
            item.selected = on;
        update();
    } else if (!on) {
        setSelectedIndex(-1);
    }
}

int TouchList::selectedCount() const
{
    if (!m_multi)
        return m_selected >= 0 ? 1 : 0;
    int n = 0;
    for (const Item& item : m_items)
        n += item.selected ? 1 : 0;
    return n;
}

// Scrolling ------------------------------------------------------------------

int TouchList::topIndex() const
{
    return m_top;
}

void TouchList::setTopIndex(int index)
{
    scrollTo(index, false);
}

void TouchList::scrollToIndex(int index)
{
    if (index < 0 || index >= count())
        return;
    const int rows = visibleRows();
    if (rows == 0)
        return; // not laid out yet
    if (index < m_top)
        scrollTo(index, false);
    else if (index >= m_top + rows)
        scrollTo(index - rows + 1, false);
}

// Events ---------------------------------------------------------------------

void TouchList::resizeEvent(QResizeEvent*)
{
    if (m_top > 0)
        m_top = qMin(m_top, maxTop());
    updateScrollBar();
}

void TouchList::showEvent(QShowEvent*)
{
    styleScrollBar();
    updateScrollBar();
}

void TouchList::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    beginPress(event->position().toPoint());
    event->accept();
}

void TouchList::beginPress(QPoint pos)
{
    m_pressPos = pos;
    m_pressTop = m_top;
    m_pressRow = rowAt(m_pressPos);
    m_pressing = rowsArea().contains(m_pressPos);
    m_dragging = false;
}

void TouchList::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressing)
        return;
    const int dy = event->position().toPoint().y() - m_pressPos.y();
    if (!m_dragging && std::abs(dy) >= DragThreshold)
        m_dragging = true;
    if (m_dragging)
        scrollTo(m_pressTop - int(std::lround(double(dy) / m_rowHeight)), true);
    event->accept();
}

void TouchList::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressing = m_pressing;
    const bool wasDragging = m_dragging;
    m_pressing = false;
    m_dragging = false;
    event->accept();
    if (!wasPressing || wasDragging || event->button() != Qt::LeftButton)
        return;
    const int row = rowAt(event->position().toPoint());
    if (row < 0 || row != m_pressRow)
        return;
    if (m_multi) {
        m_items[row].selected = !m_items[row].selected;
        m_focused = row;
        update();
        emit rowToggled(row, m_items[row].selected);
    } else {
        setSelectedIndex(row);
    }
    emit rowTapped(row);
}

void TouchList::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first tap of the pair already selected the row; in a single-choice list the
    // release that follows this event does nothing more. In a multiple-choice list every
    // touch flips its row, so the second tap is a tap like the first.
    m_pressing = false;
    m_dragging = false;
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const int row = rowAt(event->position().toPoint());
    if (m_multi)
        beginPress(event->position().toPoint());
    if (row < 0)
        return;
    if (!m_multi)
        setSelectedIndex(row);
    emit rowDoubleTapped(row);
}

void TouchList::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        scrollTo(m_top - steps * 3, true);
    event->accept();
}

// Painting -------------------------------------------------------------------

void TouchList::paintEvent(QPaintEvent*)
{
    const ColourStyle& style = ColourStyles::instance().current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);

    const QColor back = m_backColour.isValid() ? m_backColour : style.listBack;
    const QColor plainText = m_textColour.isValid() ? m_textColour : style.listText;
    p.fillRect(rect(), back);

    const QFont lineFont = touchFont(m_fontPixels, true);
    const auto drawLine = [&](const QRect& box, const QString& text) {
        if (box.isEmpty())
            return;
        fillRoundedGradient(p, QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 6, style.headerBack.lighter(118),
                            style.headerBack);
        p.setPen(QPen(style.panelBorder, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        const QRect textBox = box.adjusted(TextPadding, 0, -TextPadding, 0);
        p.setFont(fittingFont(lineFont, text, textBox.width()));
        p.setPen(readableOn(style.headerText, {style.headerBack.lighter(118), style.headerBack}));
        p.drawText(textBox, Qt::AlignCenter, QFontMetrics(p.font()).elidedText(text, Qt::ElideRight, textBox.width()));
    };
    drawLine(headerRect(), m_header);
    drawLine(footerRect(), m_footer);

    const QRect area = rowsArea();
    p.save();
    p.setClipRect(area);
    const QFont rowFont = touchFont(m_fontPixels, m_fontBold);
    const QFontMetrics metrics(rowFont);
    p.setFont(rowFont);
    QColor separator = plainText;
    separator.setAlpha(40);
    for (int i = m_top, y = area.top(); i < count() && y < area.bottom() + 1; ++i, y += m_rowHeight) {
        const QRect row(area.left(), y, area.width(), m_rowHeight);
        const Item& item = m_items[i];
        const bool selected = isSelected(i);
        // A selected entry in a strong colour of its own (red: missing) that would not read
        // on the selection is selected in that colour instead, so it stays marked; a grey
        // one is only lightened or darkened below.
        const bool ownColourStrip = selected && item.colour.isValid() && item.colour.hsvSaturation() > 127
            && (contrastRatio(item.colour, style.listSelection) < MinimumTextContrast
                || contrastRatio(item.colour, style.listSelection.lighter(125)) < MinimumTextContrast);
        if (ownColourStrip) {
            fillRoundedGradient(p, QRectF(row).adjusted(2, 1.5, -2, -1.5), 6, item.colour, item.colour);
        } else if (selected) {
            fillRoundedGradient(p, QRectF(row).adjusted(2, 1.5, -2, -1.5), 6, style.listSelection.lighter(125),
                                style.listSelection);
        } else {
            p.setPen(QPen(separator, 1));
            p.drawLine(QPointF(row.left() + 6, row.bottom() + 0.5), QPointF(row.right() - 6, row.bottom() + 0.5));
        }
        if (m_multi && i == m_focused) {
            p.setPen(QPen(style.accent, 3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(row).adjusted(3, 2.5, -3, -2.5), 6, 6);
        }
        // An entry's own colour (silver playable, red failed) stays as long as it reads on
        // the row; otherwise it is darkened or lightened as far as needed.
        const QColor wanted = item.colour.isValid() ? item.colour : (selected ? style.listSelectionText : plainText);
        const QColor textColour = ownColourStrip ? contrastingText(item.colour)
            : selected ? readableOn(wanted, {style.listSelection.lighter(125), style.listSelection})
                       : readableOn(wanted, {back});
        QRect textBox = row.adjusted(TextPadding, 0, -TextPadding, 0);
        if (m_rowGlyph != Glyph::None) {
            const int side = qMin(28, m_rowHeight * 7 / 10);
            drawGlyph(p, m_rowGlyph, QRectF(textBox.left(), row.center().y() - side / 2.0 + 0.5, side, side),
                      textColour);
            textBox.setLeft(textBox.left() + side + 8);
        }
        p.setPen(textColour);
        p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(item.text, Qt::ElideRight, textBox.width()));
    }
    p.restore();
}
