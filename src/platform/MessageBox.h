#pragma once
#include <QString>

class QWidget;

// The platform's plain modal message box with an OK button.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(QWidget* parent, const QString& text) = 0;
};
