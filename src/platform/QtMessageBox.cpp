#include "platform/QtMessageBox.h"

#include "widgets/TouchButton.h"

#include <QMessageBox>

void QtMessageBox::show(QWidget* parent, const QString& text)
{
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("Karvex"));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    // A touch button the size of the prompt's, not a desktop one.
    auto* ok = new TouchButton(QStringLiteral("OK"), &box);
    ok->setFixedSize(170, 74);
    ok->setFontPixelSize(26);
    box.addButton(ok, QMessageBox::AcceptRole);
    box.setEscapeButton(ok);
    box.setWindowModality(Qt::ApplicationModal);
    // QDialog centres itself on its parent's window when shown.
    box.exec();
}
