#pragma once
// A rounded panel with a caption along its top edge, filled with the style's panel
// gradient (or a fixed colour). Taps on its background, outside its children, emit
// clicked().
#include <QColor>
#include <QWidget>

class CaptionPanel : public QWidget {
    Q_OBJECT
public:
    explicit CaptionPanel(const QString& caption = QString(), QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    void setCaptionFontPixelSize(int pixels, bool bold = true);
    // A fixed fill and caption colour instead of the style's (invalid: follow the style).
    void setFillColour(const QColor& colour);
    QColor fillColour() const { return m_fill; }
    void setCaptionColour(const QColor& colour);
    // Outline colour and width; width 0 draws none.
    void setBorder(const QColor& colour, int width);
    void setCornerRadius(int pixels);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_caption;
    int m_captionPixels = 16;
    bool m_captionBold = true;
    QColor m_fill;
    QColor m_captionColour;
    QColor m_border;
    int m_borderWidth = 1;
    int m_radius = 12;
    bool m_pressed = false;
};
