#include "platform/RegularFile.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

std::optional<QByteArray> read(const QString& path, qint64 maxBytes, bool* tooLarge)
{
    bool large = false;
    std::optional<QByteArray> bytes;
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        if (status.st_size > maxBytes) {
            large = true;
        } else {
            QFile file;
            if (file.open(fd, QIODevice::ReadOnly)) {
                QByteArray read = file.readAll();
                if (read.size() > maxBytes) // it grew while it was read
                    large = true;
                else if (file.error() == QFileDevice::NoError)
                    bytes = std::move(read);
            }
        }
    }
    close(fd);
    if (tooLarge)
        *tooLarge = large;
    return bytes;
}

} // namespace RegularFile
