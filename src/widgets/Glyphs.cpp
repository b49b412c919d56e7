#include "widgets/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

// Every glyph is drawn in a 100 x 100 box, scaled to the target.
namespace {

QPolygonF poly(std::initializer_list<QPointF> points) { return QPolygonF(QList<QPointF>(points)); }

void fillPolygon(QPainter& p, const QPolygonF& polygon, const QColor& colour)
{
    // A thin outline in the same colour rounds the corners a little.
    p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPolygon(polygon);
}

QPen strokePen(const QColor& colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void line(QPainter& p, const QColor& colour, double width, QPointF a, QPointF b)
{
    p.setPen(strokePen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawLine(a, b);
}

// A filled arrowhead at `tip`, pointing along `angleDegrees` (0 = right, 90 = down).
void arrowHead(QPainter& p, const QColor& colour, QPointF tip, double angleDegrees, double size)
{
    const double a = qDegreesToRadians(angleDegrees);
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF normal(-dir.y(), dir.x());
    const QPointF base = tip - dir * size;
    fillPolygon(p, poly({tip, base + normal * (size * 0.6), base - normal * (size * 0.6)}), colour);
}

void drawFolderBack(QPainter& p, const QColor& colour)
{
    QPainterPath back;
    back.moveTo(10, 24);
    back.lineTo(38, 24);
    back.lineTo(46, 33);
    back.lineTo(88, 33);
    back.lineTo(88, 80);
    back.lineTo(10, 80);
    back.closeSubpath();
    p.setPen(strokePen(colour, 4));
    QColor dim = colour;
    dim.setAlphaF(colour.alphaF() * 0.55);
    p.setBrush(dim);
    p.drawPath(back);
}

void drawPicture(QPainter& p, Glyph glyph, const QColor& colour)
{
    switch (glyph) {
    case Glyph::None:
        break;
    case Glyph::Play:
        fillPolygon(p, poly({{28, 16}, {28, 84}, {84, 50}}), colour);
        break;
    case Glyph::Stop:
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(20, 20, 60, 60), 7, 7);
        break;
    case Glyph::Previous:
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(12, 20, 11, 60), 3, 3);
        fillPolygon(p, poly({{56, 20}, {56, 80}, {26, 50}}), colour);
        fillPolygon(p, poly({{88, 20}, {88, 80}, {58, 50}}), colour);
        break;
    case Glyph::Next:
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(77, 20, 11, 60), 3, 3);
        fillPolygon(p, poly({{12, 20}, {12, 80}, {42, 50}}), colour);
        fillPolygon(p, poly({{44, 20}, {44, 80}, {74, 50}}), colour);
        break;
    case Glyph::Done: {
        p.setPen(strokePen(colour, 14));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(poly({{16, 52}, {40, 76}, {86, 24}}));
        break;
    }
    case Glyph::Close:
        line(p, colour, 14, {22, 22}, {78, 78});
        line(p, colour, 14, {78, 22}, {22, 78});
        break;
    case Glyph::ReadAloud: {
        p.setPen(strokePen(colour, 3));
        p.setBrush(colour);
        p.drawRect(QRectF(8, 37, 16, 26));
        fillPolygon(p, poly({{24, 37}, {46, 17}, {46, 83}, {24, 63}}), colour);
        p.setPen(strokePen(colour, 7));
        p.setBrush(Qt::NoBrush);
        for (double r : {14.0, 27.0, 40.0})
            p.drawArc(QRectF(46 - r, 50 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        break;
    }
    case Glyph::Folder: {
        drawFolderBack(p, colour);
        QPainterPath front;
        front.addRoundedRect(QRectF(10, 42, 78, 38), 4, 4);
        p.setPen(strokePen(colour, 4));
        p.setBrush(colour);
        p.drawPath(front);
        break;
    }
    case Glyph::Open: {
        drawFolderBack(p, colour);
        fillPolygon(p, poly({{24, 46}, {96, 46}, {82, 80}, {10, 80}}), colour);
        break;
    }
    case Glyph::Up:
        fillPolygon(p, poly({{50, 10}, {88, 50}, {64, 50}, {64, 90}, {36, 90}, {36, 50}, {12, 50}}), colour);
        break;
    case Glyph::Down:
        fillPolygon(p, poly({{50, 90}, {88, 50}, {64, 50}, {64, 10}, {36, 10}, {36, 50}, {12, 50}}), colour);
        break;
    case Glyph::Add:
        line(p, colour, 16, {50, 16}, {50, 84});
        line(p, colour, 16, {16, 50}, {84, 50});
        break;
    case Glyph::Remove:
        line(p, colour, 16, {16, 50}, {84, 50});
        break;
    case Glyph::NewList:
        line(p, colour, 9, {10, 20}, {64, 20});
        line(p, colour, 9, {10, 40}, {64, 40});
        line(p, colour, 9, {10, 60}, {40, 60});
        line(p, colour, 9, {10, 80}, {40, 80});
        line(p, colour, 11, {72, 50}, {72, 90});
        line(p, colour, 11, {52, 70}, {92, 70});
        break;
    case Glyph::Save: {
        QPainterPath body;
        body.moveTo(14, 14);
        body.lineTo(74, 14);
        body.lineTo(86, 26);
        body.lineTo(86, 86);
        body.lineTo(14, 86);
        body.closeSubpath();
        QPainterPath label;
        label.addRoundedRect(QRectF(25, 54, 50, 32), 3, 3);
        QPainterPath shutter;
        shutter.addRect(QRectF(28, 14, 38, 24));
        body = body.subtracted(label).subtracted(shutter);
        p.setPen(strokePen(colour, 3));
        p.setBrush(colour);
        p.drawPath(body);
        // The metal shutter with its slot, and lines on the label.
        p.setPen(strokePen(colour, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(30, 16, 34, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRect(QRectF(52, 19, 8, 14));
        line(p, colour, 4, {32, 64}, {68, 64});
        line(p, colour, 4, {32, 74}, {68, 74});
        break;
    }
    case Glyph::Info:
        p.setPen(strokePen(colour, 8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(50, 50), 40, 40);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(QPointF(50, 29), 7, 7);
        line(p, colour, 12, {50, 45}, {50, 74});
        break;
    case Glyph::Globe: {
        p.setPen(strokePen(colour, 6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(50, 50), 40, 40);
        p.drawEllipse(QPointF(50, 50), 17, 40);
        p.drawLine(QPointF(50, 10), QPointF(50, 90));
        p.drawLine(QPointF(10, 50), QPointF(90, 50));
        QPainterPath clip;
        clip.addEllipse(QPointF(50, 50), 40, 40);
        p.save();
        p.setClipPath(clip);
        p.setPen(strokePen(colour, 5));
        p.drawLine(QPointF(10, 30), QPointF(90, 30));
        p.drawLine(QPointF(10, 70), QPointF(90, 70));
        p.restore();
        break;
    }
    case Glyph::Repeat: {
        p.setPen(strokePen(colour, 9));
        p.setBrush(Qt::NoBrush);
        QPainterPath top;
        top.moveTo(18, 58);
        top.lineTo(18, 44);
        top.quadTo(18, 30, 32, 30);
        top.lineTo(68, 30);
        p.drawPath(top);
        arrowHead(p, colour, {86, 30}, 0, 22);
        QPainterPath bottom;
        bottom.moveTo(82, 42);
        bottom.lineTo(82, 56);
        bottom.quadTo(82, 70, 68, 70);
        bottom.lineTo(32, 70);
        p.setPen(strokePen(colour, 9));
        p.setBrush(Qt::NoBrush);
        p.drawPath(bottom);
        arrowHead(p, colour, {14, 70}, 180, 22);
        break;
    }
    case Glyph::Shuffle: {
        p.setPen(strokePen(colour, 8));
        p.setBrush(Qt::NoBrush);
        QPainterPath a;
        a.moveTo(8, 28);
        a.lineTo(24, 28);
        a.cubicTo(52, 28, 48, 72, 74, 72);
        p.drawPath(a);
        QPainterPath b;
        b.moveTo(8, 72);
        b.lineTo(24, 72);
        b.cubicTo(52, 72, 48, 28, 74, 28);
        p.setPen(strokePen(colour, 8));
        p.setBrush(Qt::NoBrush);
        p.drawPath(b);
        arrowHead(p, colour, {94, 28}, 0, 22);
        arrowHead(p, colour, {94, 72}, 0, 22);
        break;
    }
    case Glyph::Power:
        p.setPen(strokePen(colour, 10));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(16, 20, 68, 68), 120 * 16, 300 * 16);
        p.drawLine(QPointF(50, 10), QPointF(50, 50));
        break;
    case Glyph::Restart: {
        p.setPen(strokePen(colour, 10));
        p.setBrush(Qt::NoBrush);
        // An almost full circle, open at the top right, with an arrowhead at its end.
        p.drawArc(QRectF(18, 18, 64, 64), 70 * 16, 290 * 16);
        const double end = qDegreesToRadians(70.0);
        const QPointF tip(50 + 32 * std::cos(end), 50 - 32 * std::sin(end));
        arrowHead(p, colour, tip + QPointF(14, 4), 10, 24);
        break;
    }
    case Glyph::Minimise:
        p.setPen(strokePen(colour, 11));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(poly({{26, 22}, {50, 46}, {74, 22}}));
        line(p, colour, 13, {20, 76}, {80, 76});
        break;
    case Glyph::Keyboard: {
        p.setPen(strokePen(colour, 6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(6, 24, 88, 54), 8, 8);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 6; ++col)
                p.drawRoundedRect(QRectF(15 + col * 12.5, 33 + row * 13, 8, 8), 1.5, 1.5);
        p.drawRoundedRect(QRectF(28, 60, 44, 8), 2, 2);
        break;
    }
    case Glyph::Launch: {
        p.setPen(strokePen(colour, 8));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(poly({{44, 20}, {18, 20}, {18, 82}, {80, 82}, {80, 56}}));
        line(p, colour, 9, {40, 60}, {78, 22});
        fillPolygon(p, poly({{90, 10}, {90, 44}, {56, 10}}), colour);
        break;
    }
    case Glyph::File: {
        QPainterPath page;
        page.moveTo(22, 8);
        page.lineTo(62, 8);
        page.lineTo(80, 26);
        page.lineTo(80, 92);
        page.lineTo(22, 92);
        page.closeSubpath();
        QColor dim = colour;
        dim.setAlphaF(colour.alphaF() * 0.35);
        p.setPen(strokePen(colour, 6));
        p.setBrush(dim);
        p.drawPath(page);
        fillPolygon(p, poly({{62, 8}, {62, 26}, {80, 26}}), colour);
        line(p, colour, 5, {33, 46}, {68, 46});
        line(p, colour, 5, {33, 60}, {68, 60});
        line(p, colour, 5, {33, 74}, {58, 74});
        break;
    }
    }
}

}

void drawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour)
{
    if (glyph == Glyph::None || box.width() <= 0 || box.height() <= 0)
        return;
    const double side = qMin(box.width(), box.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    painter.scale(side / 100.0, side / 100.0);
    drawPicture(painter, glyph, colour);
    painter.restore();
}
