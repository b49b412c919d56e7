#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

using TextFile::decode;
using TextFile::encodeLines;
using TextFile::splitLines;

TEST(TextFileReading, ByteOrderMarksChooseTheEncoding)
{
    EXPECT_EQ(decode(QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9")), QStringLiteral(u"café"));
    EXPECT_EQ(decode(QByteArray("\xFF\xFE" "a\0\xE9\0", 6)), QStringLiteral(u"aé"));
    EXPECT_EQ(decode(QByteArray("\xFE\xFF\0a\0\xE9", 6)), QStringLiteral(u"aé"));
    // Without a mark the bytes are Windows-1252, including its 0x80..0x9F letters.
    EXPECT_EQ(decode(QByteArray("caf\xE9 \x80 \x93x\x94")), QStringLiteral(u"café € “x”"));
}

TEST(TextFileReading, OnlyTheFirstMarkIsTakenAsAMark)
{
    // A text that itself begins with U+FEFF keeps it, so it reads back as it was saved.
    const QString text = QStringLiteral(u"\uFEFF/media/a.mp3");
    EXPECT_EQ(decode(QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF/media/a.mp3")), text);
    EXPECT_EQ(decode(QByteArray("\xFE\xFF\xFE\xFF", 4)), QStringLiteral(u"\uFEFF"));
    EXPECT_EQ(splitLines(decode(encodeLines({text}))), QStringList{text});
}

TEST(TextFileReading, NulEndsTheText)
{
    EXPECT_EQ(decode(QByteArray("one\r\ntwo\0three", 14)), QStringLiteral("one\r\ntwo"));
}

TEST(TextFileReading, LinesEndAtCrLfLoneCrAndLoneLf)
{
    EXPECT_EQ(splitLines(QStringLiteral("a\r\nb\rc\nd")), (QStringList{"a", "b", "c", "d"}));
    // A final break adds no empty line, but an empty line inside the text is kept.
    EXPECT_EQ(splitLines(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\n\n")), (QStringList{"a", ""}));
    EXPECT_EQ(splitLines(QStringLiteral("\r\n")), (QStringList{""}));
    EXPECT_TRUE(splitLines(QString()).isEmpty());
    // LF CR is two breaks, not one.
    EXPECT_EQ(splitLines(QStringLiteral("a\n\rb")), (QStringList{"a", "", "b"}));
}

TEST(TextFileWriting, Windows1252WithCrLfAfterEveryLine)
{
    EXPECT_EQ(encodeLines({QStringLiteral(u"Café"), QStringLiteral(u"€5")}), QByteArray("Caf\xE9\r\n\x80" "5\r\n"));
    EXPECT_EQ(encodeLines({}), QByteArray());
}

TEST(TextFileWriting, TextOutsideWindows1252IsWrittenWholeAsUtf8WithMark)
{
    const QStringList lines{QStringLiteral("Plain"), QStringLiteral(u"/media/музыка/трек.mp3")};
    const QByteArray bytes = encodeLines(lines);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(bytes.contains('?'));
    EXPECT_EQ(splitLines(decode(bytes)), lines);
}

TEST(TextFileWriting, EveryByteRoundTripsThroughWindows1252)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all.append(char(b));
    const std::optional<QByteArray> back = TextFile::toWindows1252(TextFile::fromWindows1252(all));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, all);
}

TEST(TextFileFiles, WriteThenReadAndFailures)
{
    TempFolder folder;
    const QString path = folder.file("list.txt");
    ASSERT_TRUE(TextFile::writeLines(path, {"x=1", "y"}));
    EXPECT_EQ(folder.read("list.txt"), QByteArray("x=1\r\ny\r\n"));
    EXPECT_EQ(TextFile::readLines(path), (QStringList{"x=1", "y"}));

    EXPECT_FALSE(TextFile::readLines(folder.file("missing.txt")));
    EXPECT_FALSE(TextFile::writeLines(folder.file("no/such/folder/list.txt"), {"a"}));
}

TEST(TextFileFiles, ReadOnlyFileRefusesTheSaveAndStaysWhole)
{
    TempFolder folder;
    folder.write("config.ini", "old\r\n");
    const QString path = folder.file("config.ini");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    EXPECT_FALSE(TextFile::writeLines(path, {"new"}));
    EXPECT_EQ(folder.read("config.ini"), QByteArray("old\r\n"));
}
