#pragma once
// A touch track bar, horizontal or vertical (a vertical bar has its maximum at the top).
// The position is a real number in [minimum, maximum]; with a step, ticks are drawn at
// each step and the position snaps to a step within `snapMargin`.
#include <QWidget>

class TrackBar : public QWidget {
    Q_OBJECT
public:
    explicit TrackBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    void setRange(double minimum, double maximum);
    double minimum() const { return m_min; }
    double maximum() const { return m_max; }
    double position() const { return m_position; }
    // Clamps to the range; emits positionChanged when it changes.
    void setPosition(double position);
    void setStep(double step, double snapMargin);
    void setShowProgress(bool on);
    // A fixed text drawn on the thumb instead of the number (empty: none).
    void setValueText(const QString& text);
    QString valueText() const { return m_valueText; }
    bool isDragging() const { return m_dragging; }
    double step() const { return m_step; }
    double snapMargin() const { return m_snap; }
    // Tick marks at the steps (on by default; setStep still steps without them).
    void setShowTicks(bool on);
    // The thumb's length along the bar, in pixels (50 by default).
    void setThumbLength(int pixels);
    // The centre of the thumb for `position`, in widget coordinates.
    QPointF pointForPosition(double position) const;

signals:
    void positionChanged(double position);
    void pressed();
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double positionAt(const QPoint& point) const;
    double snapped(double position) const;
    double fraction(double position) const;
    QRectF trackRect() const;
    QRectF thumbRect() const;
    Qt::Orientation m_orientation;
    double m_min = 0;
    double m_max = 100;
    double m_position = 0;
    double m_step = 0;
    double m_snap = 0;
    bool m_showProgress = true;
    QString m_valueText;
    bool m_dragging = false;
    bool m_showTicks = true;
    int m_thumbLength = 50;
};

// A horizontal bar showing a position in a range, with a text such as "50%" formatted
// from the percentage of the maximum by a printf-style format ("%.0f%%").
class ProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);
    void setRange(double minimum, double maximum);
    double maximum() const { return m_max; }
    void setPosition(double position);
    double position() const { return m_position; }
    void setFormat(const QString& printfFormat);
    // The text currently drawn on the bar.
    QString text() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_min = 0;
    double m_max = 100;
    double m_position = 0;
    QString m_format = QStringLiteral("%.0f%%");
};
