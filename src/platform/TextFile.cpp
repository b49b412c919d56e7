#include "platform/TextFile.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned ones map to the C1 controls as
// Windows itself does, so every byte round-trips.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte-order marks a file may begin with, in the order they are tested.
struct ByteOrderMark {
    QByteArrayView bytes;
    QStringConverter::Encoding encoding;
};
constexpr std::array<ByteOrderMark, 3> ByteOrderMarks = {{
    {"\xFF\xFE", QStringConverter::Utf16LE},
    {"\xFE\xFF", QStringConverter::Utf16BE},
    {"\xEF\xBB\xBF", QStringConverter::Utf8},
}};

const ByteOrderMark* markOf(const QByteArray& bytes)
{
    for (const ByteOrderMark& mark : ByteOrderMarks)
        if (bytes.startsWith(mark.bytes))
            return &mark;
    return nullptr;
}

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    // The file's own mark is gone already; a second one is text.
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = EIO; // no progress, and nothing says why
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// A free name for a new file beside `path`.
QByteArray replacementName(const QString& path)
{
    const QFileInfo target(path);
    const QString name = QStringLiteral(".%1.%2").arg(target.fileName()).arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    return QFile::encodeName(target.dir().filePath(name));
}

// Gives the unnamed file `fd` in the folder of `path` a name of its own beside it.
bool nameUnnamedFile(int fd, const QString& path, QByteArray& name)
{
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = replacementName(path);
        if (linkat(AT_FDCWD, link.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// Opens a new file for the replacement of `path`. Where the file system allows, it has no
// name until it is complete, so a power cut while it is written leaves nothing behind;
// elsewhere (FAT, for one) it has a hidden name beside the old file from the start.
int createReplacement(const QString& path, QByteArray& name)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int unnamed = open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (unnamed >= 0) {
        name.clear();
        return unnamed;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = replacementName(path);
        const int fd = open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes `bytes` to a new file beside `path`, syncs it and renames it over `path`. On any
// failure the new file is removed, `path` is left as it was and the errno of the step
// that failed is returned; 0 when `path` was replaced.
int replaceFile(const QString& path, const QByteArray& bytes)
{
    QByteArray replacement;
    const int fd = createReplacement(path, replacement);
    if (fd < 0)
        return errno;
    const QByteArray target = QFile::encodeName(path);
    // A file that is replaced keeps its permissions; a new one gets the umask's.
    struct stat existing {};
    bool written = writeAll(fd, bytes);
    if (written && lstat(target.constData(), &existing) == 0 && S_ISREG(existing.st_mode))
        written = fchmod(fd, existing.st_mode & 0777) == 0;
    written = written && fsync(fd) == 0;
    if (written && replacement.isEmpty())
        written = nameUnnamedFile(fd, path, replacement);
    int error = written ? 0 : errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(replacement.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0) {
        if (!replacement.isEmpty())
            unlink(replacement.constData());
        return error;
    }
    // The rename itself reaches the disk with the folder.
    const int folder = open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return 0;
}

} // namespace

QString fromWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b <= 0x9F ? QChar(HighControls[b - 0x80]) : QChar(b));
    }
    return text;
}

std::optional<QByteArray> toWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        int index = -1;
        for (int i = 0; i < int(HighControls.size()); ++i)
            if (HighControls[i] == u)
                index = i;
        if (index < 0)
            return std::nullopt;
        bytes.append(static_cast<char>(0x80 + index));
    }
    return bytes;
}

QString decode(const QByteArray& bytes)
{
    if (const ByteOrderMark* mark = markOf(bytes))
        return decodeWith(mark->encoding, QByteArrayView(bytes).sliced(mark->bytes.size()));
    return fromWindows1252(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QByteArray encodeLines(const QStringList& lines)
{
    const QString text = lines.isEmpty() ? QString() : lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    // Windows-1252 bytes that begin like a mark would be read back as another encoding.
    if (std::optional<QByteArray> bytes = toWindows1252(text); bytes && !markOf(*bytes))
        return *bytes;
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

std::optional<QStringList> readLines(const QString& path, ReadFailure& why)
{
    bool tooLarge = false;
    const std::optional<QByteArray> bytes = RegularFile::read(path, MaxFileBytes, &tooLarge);
    if (!bytes) {
        why = tooLarge ? ReadFailure::TooLarge : ReadFailure::Unreadable;
        return std::nullopt;
    }
    if (!bytes->isEmpty() && bytes->count('\0') == bytes->size()) {
        why = ReadFailure::Damaged;
        return std::nullopt;
    }
    QStringList lines = splitLines(decode(*bytes));
    for (const QString& line : lines) {
        if (line.size() > MaxLineLength) {
            why = ReadFailure::TooLarge;
            return std::nullopt;
        }
    }
    return lines;
}

std::optional<QStringList> readLines(const QString& path)
{
    ReadFailure ignored;
    return readLines(path, ignored);
}

bool writeLines(const QString& path, const QStringList& lines, int& error)
{
    // A file marked read-only stays untouched: the atomic rename below would otherwise
    // replace it. The permission bits are asked too, since root may write anything.
    const QFileInfo existing(path);
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (existing.exists() && (!existing.isWritable() || !(existing.permissions() & anyWrite))) {
        error = EACCES;
        return false;
    }
    error = replaceFile(path, encodeLines(lines));
    return error == 0;
}

bool writeLines(const QString& path, const QStringList& lines)
{
    int ignored = 0;
    return writeLines(path, lines, ignored);
}

} // namespace TextFile
