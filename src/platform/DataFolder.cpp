#include "platform/DataFolder.h"

#include <QDir>
#include <QFile>

namespace DataFolder {

std::optional<QString> installed(const QString& programFolder)
{
    QFile marker(QDir(programFolder).filePath(MarkerName));
    if (!marker.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString folder = QString::fromUtf8(marker.readLine()).trimmed();
    if (!QDir::isAbsolutePath(folder))
        return std::nullopt;
    return QDir::cleanPath(folder);
}

QString of(const QString& programFolder)
{
    return installed(programFolder).value_or(programFolder);
}

} // namespace DataFolder
