#pragma once
// Helpers of the widget tests: mouse input sent straight to a widget (no Qt Test), signal
// recording, and reading rendered pixels.
#include "widgets/ColourStyles.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

namespace WidgetTest {

inline void mouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    const QPointF local(pos);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent event(type, local, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

inline void press(QWidget* w, QPoint pos) { mouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton); }
inline void move(QWidget* w, QPoint pos) { mouse(w, QEvent::MouseMove, pos, Qt::LeftButton); }
inline void release(QWidget* w, QPoint pos) { mouse(w, QEvent::MouseButtonRelease, pos, Qt::NoButton); }
inline void doubleClick(QWidget* w, QPoint pos) { mouse(w, QEvent::MouseButtonDblClick, pos, Qt::LeftButton); }

inline void tap(QWidget* w, QPoint pos)
{
    press(w, pos);
    release(w, pos);
}

// Press, release, press again as a double click, release: what Qt delivers for a double tap.
inline void doubleTap(QWidget* w, QPoint pos)
{
    press(w, pos);
    release(w, pos);
    doubleClick(w, pos);
    release(w, pos);
}

inline void drag(QWidget* w, QPoint from, QPoint to, int steps = 5)
{
    press(w, from);
    for (int i = 1; i <= steps; ++i)
        move(w, from + (to - from) * i / steps);
    release(w, to);
}

inline void wheel(QWidget* w, QPoint pos, int degreesTimesEight)
{
    const QPointF local(pos);
    QWheelEvent event(local, w->mapToGlobal(local), QPoint(), QPoint(0, degreesTimesEight), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &event);
}

inline QImage render(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Counts of pixels of an image that are close to `colour`.
inline int countNear(const QImage& image, const QColor& colour, int tolerance = 40, QRect area = QRect())
{
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                    + std::abs(c.blue() - colour.blue()) <= tolerance)
                ++n;
        }
    return n;
}

inline int differingPixels(const QImage& a, const QImage& b, QRect area = QRect())
{
    if (a.size() != b.size())
        return -1;
    if (area.isNull())
        area = a.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                ++n;
    return n;
}

// Restores the colour style in force when it was made.
struct StyleRestorer {
    int index = ColourStyles::instance().currentIndex();
    ~StyleRestorer() { ColourStyles::instance().apply(index); }
};

}
