#pragma once
#include "platform/MessageBox.h"

// A plain modal Qt message box: the text as given (plain text, "\n" breaks lines), an OK
// button only, the title "Karvex", centred on the parent.
class QtMessageBox : public MessageBox {
public:
    void show(QWidget* parent, const QString& text) override;
};
