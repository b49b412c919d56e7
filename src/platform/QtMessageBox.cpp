#include "platform/QtMessageBox.h"

#include <QMessageBox>

void QtMessageBox::show(QWidget* parent, const QString& text)
{
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("Karvex"));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    // QDialog centres itself on its parent's window when shown.
    box.exec();
}
