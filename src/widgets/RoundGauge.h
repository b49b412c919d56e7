#pragma once
// A round dial with major and minor ticks, tick labels, a needle, a line of text inside
// the dial (the unit) and an optional digital readout of the value. The face, ticks and
// labels follow the colour style; the needle is the style's accent unless set.
//
// Angles are in degrees clockwise from twelve o'clock: a speedometer sweeps 270 degrees
// from -135 (lower left) to 135 (lower right); a compass sweeps 360 from 0 (north at the top).
// Taps on the gauge emit clicked().
#include <QColor>
#include <QList>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

// A coloured arc along the rim from one value to another (a red zone, say).
struct GaugeBand {
    double from = 0;
    double to = 0;
    QColor colour;
};

class RoundGauge : public QWidget {
    Q_OBJECT
public:
    explicit RoundGauge(QWidget* parent = nullptr);

    // A reversed range is swapped. The value is kept as it is; only the needle is held
    // inside the range.
    void setRange(double minimum, double maximum);
    double minimum() const { return m_min; }
    double maximum() const { return m_max; }
    // Number of major divisions (at least 1); labels stand at the major ticks.
    void setDivisions(int divisions);
    int divisions() const { return m_divisions; }
    // Minor ticks between two major ticks (0: none).
    void setMinorTicks(int perDivision);
    // The needle stops at the ends of the range; value() and the readout keep the value
    // that was set. NaN is ignored.
    void setValue(double value);
    double value() const { return m_value; }
    void setDialText(const QString& text);
    QString dialText() const { return m_dialText; }
    // printf-style format of the readout under the centre ("%03.0f" shows 45.6 as 046);
    // empty: no readout.
    void setValueFormat(const QString& printfFormat);
    // The readout as drawn (empty without a format).
    QString valueText() const;
    // An invalid colour means the style's accent.
    void setNeedleColour(const QColor& colour);
    void setBands(const QList<GaugeBand>& bands);
    // Where the minimum lies and how far (and which way: negative is anticlockwise) the
    // dial sweeps to the maximum; the span is held within -360..360.
    void setSweep(double startDegrees, double spanDegrees);
    // Texts for the major ticks from the minimum on, replacing the numbers ("N", "NE", …);
    // ticks beyond the list stay unlabelled. An empty list brings the numbers back.
    void setTickLabels(const QStringList& labels);

    // The needle's direction for `value`, which is held inside the range.
    double angleForValue(double value) const;
    // The labels drawn at the major ticks, from the minimum on. On a full circle the tick
    // of the maximum falls on that of the minimum and is left out.
    QStringList tickLabelTexts() const;

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The dial's settings, the style or the size changed: the dial is drawn afresh.
    void dialChanged();
    // Bezel, face, bands, ticks, labels and dial text: all that does not move with the value.
    void paintDial(QPainter& p) const;
    void paintReadoutAndNeedle(QPainter& p) const;
    bool isFullCircle() const;
    // Number of tick positions for `steps` equal steps across the range.
    int tickPositions(int steps) const;
    double m_min = 0;
    double m_max = 100;
    int m_divisions = 10;
    int m_minorTicks = 4;
    double m_value = 0;
    QString m_dialText;
    QString m_valueFormat;
    QColor m_needleColour;
    QList<GaugeBand> m_bands;
    double m_startAngle = -135;
    double m_span = 270;
    QStringList m_tickLabels;
    bool m_pressed = false;
    QPixmap m_dial; // the dial as last drawn, in the screen's pixels
    qreal m_dialScale = 0; // logical to screen pixels when it was drawn
};
