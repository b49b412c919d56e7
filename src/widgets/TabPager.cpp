#include "widgets/TabPager.h"

#include "widgets/ColourStyles.h"
#include "widgets/WidgetPainting.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

using namespace WidgetPainting;

namespace {
constexpr int TabGap = 4;
constexpr int TabFontPixels = 20;
constexpr int PageMargin = 6;
}

TabPager::TabPager(QWidget* parent) : QWidget(parent)
{
    repaintOnStyleChange(this);
}

void TabPager::setTabHeight(int pixels)
{
    m_tabHeight = qMax(1, pixels);
    layoutPages();
    update();
}

QWidget* TabPager::addPage(const QString& caption)
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabPage%1").arg(m_pages.size()));
    m_pages.append(page);
    m_captions.append(caption);
    layoutPages();
    if (m_current < 0) {
        m_current = 0;
        page->setVisible(true);
    } else {
        page->setVisible(false);
    }
    update();
    return page;
}

QWidget* TabPager::page(int index) const
{
    return index >= 0 && index < m_pages.size() ? m_pages[index] : nullptr;
}

QString TabPager::pageCaption(int index) const
{
    return index >= 0 && index < m_captions.size() ? m_captions[index] : QString();
}

void TabPager::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_pages.size() || index == m_current)
        return;
    if (QWidget* old = page(m_current))
        old->setVisible(false);
    m_current = index;
    m_pages[index]->setVisible(true);
    update();
    emit currentChanged(index);
}

QRect TabPager::tabRect(int index) const
{
    if (index < 0 || index >= m_captions.size())
        return {};
    // Natural widths from the captions; squeezed to share the width when they do not fit.
    const QFontMetrics metrics(touchFont(TabFontPixels, true));
    QList<int> widths;
    int total = 0;
    for (const QString& caption : m_captions) {
        widths << qMax(110, metrics.horizontalAdvance(caption.trimmed()) + 40);
        total += widths.last();
    }
    const int room = width() - TabGap * int(m_captions.size() - 1);
    const double scale = width() > 0 && total > room ? double(qMax(room, 1)) / total : 1.0;
    int x = 0;
    for (int i = 0; i < index; ++i)
        x += int(widths[i] * scale) + TabGap;
    return QRect(x, 0, qMax(1, int(widths[index] * scale)), m_tabHeight);
}

void TabPager::layoutPages()
{
    const QRect area(PageMargin, m_tabHeight + PageMargin, qMax(0, width() - 2 * PageMargin),
                     qMax(0, height() - m_tabHeight - 2 * PageMargin));
    for (QWidget* page : std::as_const(m_pages))
        page->setGeometry(area);
}

void TabPager::resizeEvent(QResizeEvent*)
{
    layoutPages();
}

void TabPager::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    for (int i = 0; i < m_pages.size(); ++i) {
        if (tabRect(i).contains(pos)) {
            setCurrentIndex(i);
            event->accept();
            return;
        }
    }
    event->ignore();
}

void TabPager::paintEvent(QPaintEvent*)
{
    const ColourStyle& style = ColourStyles::instance().current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);

    // The page area.
    const QRectF pageBox = QRectF(0, m_tabHeight, width(), height() - m_tabHeight).adjusted(1, 0, -1, -1);
    fillRoundedGradient(p, pageBox, 8, style.panelTop, style.panelBottom);
    p.setPen(QPen(style.panelBorder, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(pageBox, 8, 8);

    // The tabs: rounded on top; the current one joins the page and is lit with the accent.
    const QFont font = touchFont(TabFontPixels, true);
    p.setFont(font);
    for (int i = 0; i < m_pages.size(); ++i) {
        const bool current = i == m_current;
        QRectF tab = QRectF(tabRect(i)).adjusted(1, current ? 1 : 5, -1, current ? 2 : 0);
        QPainterPath path;
        const double r = 10;
        path.moveTo(tab.bottomLeft());
        path.lineTo(tab.left(), tab.top() + r);
        path.quadTo(tab.topLeft(), QPointF(tab.left() + r, tab.top()));
        path.lineTo(tab.right() - r, tab.top());
        path.quadTo(tab.topRight(), QPointF(tab.right(), tab.top() + r));
        path.lineTo(tab.bottomRight());
        QLinearGradient gradient(tab.topLeft(), tab.bottomLeft());
        if (current) {
            gradient.setColorAt(0, style.buttonDownTop);
            gradient.setColorAt(1, style.panelTop);
        } else {
            gradient.setColorAt(0, style.headerBack.lighter(115));
            gradient.setColorAt(1, style.headerBack);
        }
        p.setPen(QPen(style.panelBorder, 2));
        p.setBrush(gradient);
        p.drawPath(path);
        if (current) {
            // The accent bar on top of the current tab.
            p.setPen(Qt::NoPen);
            p.setBrush(style.accent);
            p.drawRoundedRect(QRectF(tab.left() + 8, tab.top() + 3, tab.width() - 16, 5), 2.5, 2.5);
        }
        const QColor textColour = current ? readableOn(style.panelCaption, {style.buttonDownTop, style.panelTop})
                                          : readableOn(style.headerText, {style.headerBack.lighter(115), style.headerBack});
        p.setPen(textColour);
        const QRectF textBox = tab.adjusted(6, current ? 4 : 0, -6, 0);
        const QString caption = m_captions[i].trimmed();
        p.setFont(fittingFont(font, caption, textBox.width()));
        p.drawText(textBox, Qt::AlignCenter,
                   QFontMetrics(p.font()).elidedText(caption, Qt::ElideRight, int(textBox.width())));
    }
}
