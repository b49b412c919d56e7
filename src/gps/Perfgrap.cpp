#include "gps/Perfgrap.h"

#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Pixel positions of values far off the scale are clamped here; they are outside the
// image either way, and the clamp keeps the conversion to int defined.
constexpr double PixelLimit = 1.0e6;

} // namespace

TPerformanceGraph::TPerformanceGraph(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    FPen = QPen(FForeColor, FPenWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    resize(100, 100);
    FHistory.assign(size_t(100 / FStepSize + 2), Column{});
    FCurrent = 0;
    FOldest = 1;
    Initialize(FGridSize - 1);
}

TPerformanceGraph::~TPerformanceGraph() = default;

// ---------------------------------------------------------------------------------------
// Setters

void TPerformanceGraph::SetGraphKind(TGraphKind value)
{
    if (value == FKind)
        return;
    FKind = value;
    Replay();
}

void TPerformanceGraph::SetForeColor(const QColor& value)
{
    if (value.rgb() == FForeColor.rgb())
        return;
    FForeColor = QColor(value.rgb());
    Replay();
}

void TPerformanceGraph::SetBackColor(const QColor& value)
{
    if (value.rgb() == FBackColor.rgb())
        return;
    FBackColor = QColor(value.rgb());
    Replay();
}

void TPerformanceGraph::SetGridSize(int value)
{
    value = std::max(value, 2);
    if (value == FGridSize)
        return;
    FGridSize = value;
    Replay();
}

void TPerformanceGraph::SetStepSize(int value)
{
    value = std::max(value, 1);
    if (value == FStepSize)
        return;
    FStepSize = value;
    ReallocHistory();
    Replay();
}

void TPerformanceGraph::SetScale(int value)
{
    if (value == FScale)
        return;
    FScale = RoundToGradient(value);
    if (OnScaleChange)
        OnScaleChange(this);
    Replay();
}

void TPerformanceGraph::SetGradient(int value)
{
    if (value == FGradient)
        return;
    FGradient = value;
    Replay();
}

void TPerformanceGraph::SetGridlines(bool value)
{
    if (value == FGridlines)
        return;
    FGridlines = value;
    Replay();
}

void TPerformanceGraph::SetPenWidth(int value)
{
    value = std::max(value, 0);
    if (value == FPenWidth)
        return;
    FPenWidth = value;
    FPen.setWidth(value);
    Replay();
}

// ---------------------------------------------------------------------------------------
// Points and steps

void TPerformanceGraph::DataPoint(const QColor& colour, int32_t value)
{
    Column& column = FHistory[size_t(FCurrent)];
    if (column.count >= MaxPointsPerColumn)
        throw ERangeError();
    column.colours[size_t(column.count)] = colour.rgb();
    column.values[size_t(column.count)] = value;
    ++column.count;
}

void TPerformanceGraph::Update()
{
    ScrollGraph();

    const int length = HistoryLength();
    FCurrent = (FCurrent + 1) % length;
    FHistory[size_t(FCurrent)].count = 0;
    FOldest = (FCurrent + 1) % length;

    int32_t largest = 0;
    for (const Column& column : FHistory)
        for (int i = 0; i < column.count; ++i)
            largest = std::max(largest, column.values[size_t(i)]);
    largest = RoundToGradient(largest);

    if (largest != FScale) {
        SetScale(largest);
        return;
    }
    DisplayPoints((FCurrent + length - 1) % length);
    RepaintNow();
}

int TPerformanceGraph::RoundToGradient(int value) const
{
    if (FGradient == 0)
        return value;
    const int64_t g = std::abs(int64_t(FGradient));
    const int64_t v = value;
    const int64_t r = v % g;
    if (r == 0)
        return value;
    // Up to the next multiple: for a positive value away from zero, for a negative one
    // toward it.
    const int64_t up = v - r + (r > 0 ? g : 0);
    return int(std::clamp<int64_t>(up, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// ---------------------------------------------------------------------------------------
// Drawing

void TPerformanceGraph::Initialize(int firstX)
{
    const int w = std::max(width(), 0);
    const int h = std::max(height(), 0);
    if (FImage.width() != w || FImage.height() != h)
        FImage = (w > 0 && h > 0) ? QImage(w, h, QImage::Format_RGB32) : QImage();
    FWhole = QRect(0, 0, w, h);

    if (!FImage.isNull()) {
        FImage.fill(FBackColor);
        if (FGridlines) {
            QPainter painter(&FImage);
            FPen.setColor(FForeColor);
            painter.setPen(FPen);
            DrawHorizontalGrid(painter, 0, w);
            int x = firstX;
            for (; x < w; x += FGridSize)
                painter.drawLine(QPoint(x, 0), QPoint(x, h));
            FGridPhase = x - w;
        }
    } else if (FGridlines) {
        int x = firstX;
        while (x < w)
            x += FGridSize;
        FGridPhase = x - w;
    }

    FScrollSource = QRect(FStepSize, 0, w - FStepSize, h);
    FScrollTarget = QRect(0, 0, w - FStepSize, h);
    FNewStrip = QRect(w - FStepSize, 0, FStepSize, h);
}

void TPerformanceGraph::DrawHorizontalGrid(QPainter& painter, int left, int right)
{
    const int h = FImage.height();
    for (int y = FGridSize; y < h; y += FGridSize)
        painter.drawLine(QPoint(left, y), QPoint(right, y));
}

void TPerformanceGraph::ScrollGraph()
{
    if (FImage.isNull())
        return;
    const int w = FImage.width();
    const int h = FImage.height();

    // 1. The image moves left by StepSize pixels.
    const int moved = FScrollTarget.width();
    if (moved > 0) {
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<QRgb*>(FImage.scanLine(y));
            std::memmove(row + FScrollTarget.left(), row + FScrollSource.left(), size_t(moved) * sizeof(QRgb));
        }
    }

    // 2. and 3. The new strip: background, horizontal grid, at most one vertical line.
    QPainter painter(&FImage);
    const int left = FNewStrip.left();
    const int right = FNewStrip.left() + FNewStrip.width();
    painter.fillRect(QRect(left, 0, right - left, h), FBackColor);
    if (FGridlines) {
        FPen.setColor(FForeColor);
        painter.setPen(FPen);
        DrawHorizontalGrid(painter, left, right);
        FGridPhase -= FStepSize;
        if (FGridPhase < 0) {
            const int x = w + FGridPhase;
            painter.drawLine(QPoint(x, 0), QPoint(x, h));
            FGridPhase += FGridSize;
        }
    }
}

void TPerformanceGraph::DisplayPoints(int column)
{
    const int length = HistoryLength();
    const Column& points = FHistory[size_t(column)];
    const Column& previous = FHistory[size_t((column + length - 1) % length)];
    int32_t level = 0;
    for (int i = 0; i < points.count; ++i) {
        const int32_t value = points.values[size_t(i)];
        if (value == 0)
            continue;
        const QColor colour(points.colours[size_t(i)]);
        if (FKind == pgBar) {
            PaintBar(colour, level, int32_t(int64_t(value) - level));
        } else {
            int32_t from = 0;
            for (int j = 0; j < previous.count; ++j) {
                if (previous.colours[size_t(j)] == points.colours[size_t(i)]) {
                    from = previous.values[size_t(j)];
                    break;
                }
            }
            PaintLine(colour, from, value);
        }
        level = value;
    }
}

int TPerformanceGraph::ToPixels(int32_t value) const
{
    // trunc(value / Scale * H) in floating point; a scale of 0 (never used with points
    // by DataPoint and Update) draws at the base line.
    if (FScale == 0)
        return 0;
    const double pixels = double(value) / double(FScale) * double(FImage.height());
    return int(std::trunc(std::clamp(pixels, -PixelLimit, PixelLimit)));
}

void TPerformanceGraph::PaintBar(const QColor& colour, int32_t base, int32_t height)
{
    if (height == 0 || FImage.isNull())
        return;
    const int h = FImage.height();
    const int bar = ToPixels(height);
    const int offset = ToPixels(base);
    if (bar == 0)
        return;
    const int top = h - offset - bar - 1;
    const int bottom = h - offset; // exclusive
    if (bottom <= top)
        return;
    QPainter painter(&FImage);
    painter.fillRect(QRect(FNewStrip.left(), top, FNewStrip.width(), bottom - top), colour);
}

void TPerformanceGraph::PaintLine(const QColor& colour, int32_t from, int32_t to)
{
    if (FImage.isNull())
        return;
    const int h = FImage.height();
    const int yFrom = h - ToPixels(from);
    const int yTo = h - ToPixels(to);
    QPainter painter(&FImage);
    FPen.setColor(colour);
    painter.setPen(FPen);
    painter.drawLine(QPoint(FNewStrip.left(), yFrom), QPoint(FNewStrip.left() + FNewStrip.width(), yTo));
}

void TPerformanceGraph::ReallocHistory()
{
    const int newLength = std::max(width(), 0) / FStepSize + 2;
    const int oldLength = HistoryLength();
    std::vector<Column> ring(static_cast<size_t>(newLength));
    const int kept = std::min(oldLength, newLength);
    // The newest `kept` columns, oldest first, into positions 0, 1, 2, ...
    for (int i = 0; i < kept; ++i)
        ring[size_t(i)] = FHistory[size_t((FCurrent - (kept - 1) + i + oldLength) % oldLength)];
    FHistory.swap(ring);
    FCurrent = kept - 1;
    // The column after the current one, as everywhere else: 0 when the ring is full; when
    // it grew, the empty columns after the kept ones, so that Replay puts the kept history
    // against the right edge.
    FOldest = (FCurrent + 1) % newLength;
}

void TPerformanceGraph::Replay()
{
    const int w = std::max(width(), 0);
    Initialize((w + FGridPhase) % FGridSize);
    const QRect saved = FNewStrip;
    const int h = FImage.height();
    const int length = HistoryLength();
    int x = w % FStepSize;
    int column = FOldest;
    for (int k = 1; k < length; ++k) {
        column = (column + 1) % length;
        FNewStrip = QRect(x, 0, FStepSize, h);
        DisplayPoints(column);
        x += FStepSize;
    }
    RepaintNow();
    FNewStrip = saved;
}

void TPerformanceGraph::RepaintNow()
{
    if (!FInPaint && isVisible())
        repaint();
}

void TPerformanceGraph::Paint()
{
    if (FImage.width() != width() || FImage.height() != height()) {
        if (FImage.width() != width())
            ReallocHistory();
        Replay();
    }
}

void TPerformanceGraph::paintEvent(QPaintEvent* event)
{
    FInPaint = true;
    Paint();
    FInPaint = false;
    QPainter painter(this);
    painter.drawImage(event->rect(), FImage, event->rect());
}
