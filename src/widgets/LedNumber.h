#pragma once
// A number in seven-segment LED digits on a black ground, as large as the widget's height
// allows: "000.00", "045.5", "---", "12:30". Digits, '-' and blank are seven-segment cells;
// '.' and ':' are narrow cells of their own. Any other character shows as a blank cell.
// Lit segments are filled with a vertical gradient of two colours; unlit ones glow
// faintly. Taps emit clicked().
#include <QColor>
#include <QFlags>
#include <QWidget>

class LedNumber : public QWidget {
    Q_OBJECT
public:
    enum Segment {
        Top = 0x01,
        TopRight = 0x02,
        BottomRight = 0x04,
        Bottom = 0x08,
        BottomLeft = 0x10,
        TopLeft = 0x20,
        Middle = 0x40,
        Point = 0x80,
        Colon = 0x100,
    };
    Q_DECLARE_FLAGS(Segments, Segment)

    explicit LedNumber(const QString& text = QString(), QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    // The gradient of the lit segments, from the top of the digits to their bottom.
    void setColours(const QColor& top, const QColor& bottom);
    QColor topColour() const { return m_top; }

    // The segments lit for `character`.
    static Segments segmentsFor(QChar character);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_text;
    QColor m_top = QColor(227, 239, 255);
    QColor m_bottom = QColor(255, 255, 255);
    bool m_pressed = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(LedNumber::Segments)
