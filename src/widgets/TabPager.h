#pragma once
// Pages with tabs along the top left, each tab tall enough for a finger. Tapping a tab
// shows its page and emits currentChanged.
#include <QStringList>
#include <QWidget>

class TabPager : public QWidget {
    Q_OBJECT
public:
    explicit TabPager(QWidget* parent = nullptr);

    void setTabHeight(int pixels);
    // Adds a page and returns its (empty) container; place controls in it.
    QWidget* addPage(const QString& caption);
    int count() const { return int(m_pages.size()); }
    QWidget* page(int index) const;
    QString pageCaption(int index) const;
    int currentIndex() const { return m_current; }
    // Shows page `index`; emits currentChanged when it differs from the page shown.
    void setCurrentIndex(int index);
    // The rectangle of tab `index`, for tests and hit-testing.
    QRect tabRect(int index) const;

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void layoutPages();
    QList<QWidget*> m_pages;
    QStringList m_captions;
    int m_current = -1;
    int m_tabHeight = 50;
};
