#include "platform/FileNames.h"

#include "platform/TextFile.h"

#include <QFile>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileNames {

namespace {

constexpr char32_t KeptByteBase = 0xF700;
constexpr char32_t KeptFirst = KeptByteBase + 0x80;
constexpr char32_t KeptLast = KeptByteBase + 0xFF;

bool isKeptByte(char32_t c)
{
    return c >= KeptFirst && c <= KeptLast;
}

bool continuation(uchar b)
{
    return (b & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at `at` and its code point; 0 when the byte there
// starts none.
int utf8Sequence(QByteArrayView bytes, qsizetype at, char32_t* code)
{
    const auto byte = [&](qsizetype i) { return static_cast<uchar>(bytes[at + i]); };
    const uchar lead = byte(0);
    int length = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (lead < 0x80) {
        *code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        *code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        *code = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80; // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        *code = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(1) < low || byte(1) > high)
        return 0;
    for (int i = 1; i < length; ++i) {
        if (!continuation(byte(i)))
            return 0;
        *code = (*code << 6) | (byte(i) & 0x3F);
    }
    return length;
}

void appendUtf8(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out.append(char(c));
    } else if (c < 0x800) {
        out.append(char(0xC0 | (c >> 6)));
        out.append(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.append(char(0xE0 | (c >> 12)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    } else {
        out.append(char(0xF0 | (c >> 18)));
        out.append(char(0x80 | ((c >> 12) & 0x3F)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    }
}

// Calls `each` with every code point of `text`; a lone surrogate counts as U+FFFD.
template <typename Each>
void forEachCodePoint(QStringView text, Each each)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            each(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            each(c.isSurrogate() ? char32_t(0xFFFD) : char32_t(c.unicode()));
        }
    }
}

bool statOf(const QString& path, struct stat* info)
{
    return !path.isEmpty() && ::stat(toBytes(path).constData(), info) == 0;
}

} // namespace

QString fromBytes(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        char32_t code = 0;
        const int length = utf8Sequence(bytes, at, &code);
        if (length > 0 && !isKeptByte(code)) {
            text.append(QChar::fromUcs4(code));
            at += length;
            continue;
        }
        // Not UTF-8, or UTF-8 of the kept range itself: every byte is kept as it is.
        const qsizetype end = at + qMax(length, 1);
        for (; at < end; ++at)
            text.append(QChar(char16_t(KeptByteBase + static_cast<uchar>(bytes[at]))));
    }
    return text;
}

QByteArray toBytes(QStringView name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    forEachCodePoint(name, [&bytes](char32_t c) {
        if (isKeptByte(c))
            bytes.append(char(c - KeptByteBase));
        else
            appendUtf8(bytes, c);
    });
    return bytes;
}

QString shown(QStringView name)
{
    QString text;
    text.reserve(name.size());
    for (QChar c : name) {
        if (isKeptByte(c.unicode()))
            text += TextFile::fromWindows1252(QByteArray(1, char(c.unicode() - KeptByteBase)));
        else
            text += c;
    }
    return text;
}

bool exists(const QString& path)
{
    struct stat info;
    return statOf(path, &info);
}

bool isFile(const QString& path)
{
    struct stat info;
    return statOf(path, &info) && S_ISREG(info.st_mode);
}

bool isFolder(const QString& path)
{
    struct stat info;
    return statOf(path, &info) && S_ISDIR(info.st_mode);
}

bool openForReading(QFile& file, const QString& path)
{
    if (path.isEmpty())
        return false;
    const int descriptor = ::open(toBytes(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    // A folder opens too, but is nothing to read.
    struct stat info;
    if (::fstat(descriptor, &info) == 0 && !S_ISDIR(info.st_mode)
        && file.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered, QFile::AutoCloseHandle))
        return true;
    ::close(descriptor);
    return false;
}

QList<Entry> entries(const QString& folder)
{
    QList<Entry> result;
    DIR* listing = ::opendir(toBytes(folder).constData());
    if (!listing)
        return result;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArrayView name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        // Links count as what they lead to; anything else (devices, sockets) is left out.
        struct stat info;
        if (::fstatat(::dirfd(listing), entry->d_name, &info, 0) != 0)
            continue;
        if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
            continue;
        result.append({fromBytes(name), S_ISDIR(info.st_mode), name.startsWith('.')});
    }
    ::closedir(listing);
    return result;
}

} // namespace FileNames
