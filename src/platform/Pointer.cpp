#include "platform/Pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace Pointer {

bool isHidden()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::BlankCursor;
}

void hide()
{
    if (!isHidden())
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
}

void show()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void toggle()
{
    if (isHidden())
        show();
    else
        hide();
}

} // namespace Pointer
