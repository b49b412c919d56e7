#pragma once
// TPerformanceGraph: a self-contained control drawing a scrolling history of
// values, newest at the right edge, as bars or lines over a grid. It keeps its own
// off-screen image and history ring so that it can redraw everything after a change of
// size, scale or style; painting only copies the image to the screen.
#include <QColor>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

enum TGraphKind { pgBar = 0, pgLine = 1 };

// The range error of a seventeenth DataPoint in one column (its message text is empty).
class ERangeError : public std::range_error {
public:
    ERangeError() : std::range_error("") {}
};

class TPerformanceGraph : public QWidget {
    Q_OBJECT
public:
    static constexpr int MaxPointsPerColumn = 16;

    explicit TPerformanceGraph(QWidget* parent = nullptr);
    ~TPerformanceGraph() override;

    // Properties (every setter does nothing when the new value equals the old one).
    TGraphKind Kind() const { return FKind; }
    QColor ForeColor() const { return FForeColor; }
    QColor BackColor() const { return FBackColor; }
    int GridSize() const { return FGridSize; }
    int StepSize() const { return FStepSize; }
    int Scale() const { return FScale; }
    int Gradient() const { return FGradient; }
    bool Gridlines() const { return FGridlines; }
    int PenWidth() const { return FPenWidth; }
    // Called (sender = the graph) after Scale has changed.
    std::function<void(TPerformanceGraph*)> OnScaleChange;

    void SetGraphKind(TGraphKind value);
    void SetForeColor(const QColor& value);
    void SetBackColor(const QColor& value);
    void SetGridSize(int value);
    void SetStepSize(int value);
    void SetScale(int value);
    void SetGradient(int value);
    void SetGridlines(bool value);
    void SetPenWidth(int value);

    // Adds a point to the current column; throws ERangeError when it holds 16 already.
    void DataPoint(const QColor& colour, int32_t value);
    // Closes the current column: scroll, open a new column, rescale or draw, repaint.
    void Update();
    // Clears the image and draws the grid, vertical lines from `firstX`; sets the rectangles.
    void Initialize(int firstX);
    // Shifts the image left by one step and prepares the new strip.
    void ScrollGraph();
    // Draws column `column`'s points into the new strip.
    void DisplayPoints(int column);
    void PaintBar(const QColor& colour, int32_t base, int32_t height);
    void PaintLine(const QColor& colour, int32_t from, int32_t to);
    // Rebuilds the history ring for the current width and step (newest columns kept).
    void ReallocHistory();
    // Redraws the whole image from the history.
    void Replay();
    // The paint handler: copies the image, first rebuilding it when the size changed.
    void Paint();

    // Inspection (tests, benchmarks).
    const QImage& image() const { return FImage; }
    int HistoryLength() const { return int(FHistory.size()); }
    int CurrentIndex() const { return FCurrent; }
    int OldestIndex() const { return FOldest; }
    int GridPhase() const { return FGridPhase; }
    int ColumnCount(int column) const { return FHistory.at(size_t(column)).count; }
    int32_t ColumnValue(int column, int point) const { return FHistory.at(size_t(column)).values.at(size_t(point)); }
    QRect NewStrip() const { return FNewStrip; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Column {
        int count = 0;
        std::array<QRgb, MaxPointsPerColumn> colours{};
        std::array<int32_t, MaxPointsPerColumn> values{};
    };

    int RoundToGradient(int value) const;
    int ToPixels(int32_t value) const; // trunc(value / Scale * H)
    void DrawHorizontalGrid(QPainter& painter, int left, int right);
    void RepaintNow();

    TGraphKind FKind = pgLine;
    QColor FForeColor = QColor(0, 128, 0);
    QColor FBackColor = QColor(0, 0, 0);
    int FGridSize = 15;
    int FStepSize = 3;
    int FScale = 1000;
    int FGradient = 100;
    bool FGridlines = true;
    int FPenWidth = 2;
    QPen FPen;

    QImage FImage;
    QRect FWhole;       // left + width and top + height are the exclusive right and bottom edges
    QRect FScrollSource;
    QRect FScrollTarget;
    QRect FNewStrip;
    int FGridPhase = 0;

    std::vector<Column> FHistory;
    int FCurrent = 0;
    int FOldest = 1;

    bool FInPaint = false;
};
