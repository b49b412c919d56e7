#include "platform/SaveFailure.h"

#include <cerrno>
#include <cstring>

namespace SaveFailure {

QString reasonLine(int error, const QString& permissionLine)
{
    if (error == EACCES || error == EPERM)
        return permissionLine.isEmpty() ? QString() : u'\n' + permissionLine;
    if (error == ENOSPC)
        return QStringLiteral("\nThe disk is full.");
    return u'\n' + QString::fromLocal8Bit(std::strerror(error));
}

} // namespace SaveFailure
