#pragma once
// Why a save failed, in the words of the save error shown to the driver.
#include <QString>

namespace SaveFailure {

// The line, with its line break, that follows a save error's message for the errno
// `error`: `permissionLine` when the file may not be written (nothing when that is empty),
// "The disk is full." when it is, the system's own text for anything else.
QString reasonLine(int error, const QString& permissionLine = QString());

} // namespace SaveFailure
