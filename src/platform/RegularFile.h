#pragma once
// Reading the whole of a file that must be a regular one of bounded size: a power cut or a
// mistake can leave a huge file, a device or a pipe in its place, and none is waited for.
#include <QByteArray>
#include <QString>
#include <optional>

namespace RegularFile {

// The bytes of PATH when it is a regular file of at most MAXBYTES; nullopt otherwise, with
// TOOLARGE (when given) telling whether size was the reason.
std::optional<QByteArray> read(const QString& path, qint64 maxBytes, bool* tooLarge = nullptr);

} // namespace RegularFile
