#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <array>

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

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    // The file's own mark is gone already; a second one is text.
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
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
    QString text;
    if (bytes.startsWith("\xFF\xFE"))
        text = decodeWith(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    else if (bytes.startsWith("\xFE\xFF"))
        text = decodeWith(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));
    else if (bytes.startsWith("\xEF\xBB\xBF"))
        text = decodeWith(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3));
    else
        text = fromWindows1252(bytes);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    return text;
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
    if (std::optional<QByteArray> bytes = toWindows1252(text))
        return *bytes;
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

std::optional<QStringList> readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return splitLines(decode(file.readAll()));
}

bool writeLines(const QString& path, const QStringList& lines)
{
    // A file marked read-only stays untouched: the atomic rename below would otherwise
    // replace it. The permission bits are asked too, since root may write anything.
    const QFileInfo existing(path);
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (existing.exists() && (!existing.isWritable() || !(existing.permissions() & anyWrite)))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encodeLines(lines);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace TextFile
