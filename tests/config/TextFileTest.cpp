#include "platform/SaveFailure.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(TextFileFiles, ANulIsKeptAndAFileOfZerosIsDamaged)
{
    TempFolder folder;
    constexpr char raw[] = "one\r\ntwo\0three\r\n";
    const QByteArray withNul(raw, sizeof raw - 1);
    folder.write("list.kpl", withNul);
    const std::optional<QStringList> lines = TextFile::readLines(folder.file("list.kpl"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (QStringList{"one", QString::fromLatin1("two\0three", 9)}));
    ASSERT_TRUE(TextFile::writeLines(folder.file("list.kpl"), *lines));
    EXPECT_EQ(folder.read("list.kpl"), withNul);

    TextFile::ReadFailure why;
    folder.write("zeros.kpl", QByteArray(4096, '\0'));
    EXPECT_FALSE(TextFile::readLines(folder.file("zeros.kpl"), why));
    EXPECT_EQ(why, TextFile::ReadFailure::Damaged);
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

TEST(TextFileFiles, ATextWhoseWindows1252BytesBeginLikeAMarkReadsBackTheSame)
{
    TempFolder folder;
    const QString path = folder.file("config.ini");
    for (const QString& start : {QStringLiteral(u"þÿ"), QStringLiteral(u"ÿþ"), QStringLiteral(u"ï»¿")}) {
        const QStringList lines{start + "/media/a.mp3", "/media/b.mp3"};
        ASSERT_TRUE(TextFile::writeLines(path, lines));
        EXPECT_TRUE(folder.read("config.ini").startsWith("\xEF\xBB\xBF")) << start.toStdString();
        EXPECT_EQ(TextFile::readLines(path), lines);
    }
    // Only a whole mark counts: the start of one is plain Windows-1252.
    EXPECT_EQ(encodeLines({QStringLiteral(u"þa")}), QByteArray("\xFE" "a\r\n"));
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
    int error = 0;
    EXPECT_FALSE(TextFile::writeLines(folder.file("no/such/folder/list.txt"), {"a"}, error));
    EXPECT_EQ(error, ENOENT);
}

TEST(TextFileFiles, ReadOnlyFileRefusesTheSaveAndStaysWhole)
{
    TempFolder folder;
    folder.write("config.ini", "old\r\n");
    const QString path = folder.file("config.ini");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    int error = 0;
    EXPECT_FALSE(TextFile::writeLines(path, {"new"}, error));
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(folder.read("config.ini"), QByteArray("old\r\n"));
}

TEST(SaveFailure, OnlyAFailureOtherThanPermissionAddsItsReason)
{
    const QString administrator = QStringLiteral("Try running Karvex as Administrator");
    EXPECT_EQ(SaveFailure::reasonLine(EACCES), QString());
    EXPECT_EQ(SaveFailure::reasonLine(EPERM, administrator), "\n" + administrator);
    EXPECT_EQ(SaveFailure::reasonLine(ENOSPC, administrator), "\nThe disk is full.");
    EXPECT_EQ(SaveFailure::reasonLine(EIO), "\n" + QString::fromLocal8Bit(std::strerror(EIO)));
}

// A file system of 64 KB of its own, filled up; needs root to mount.
class FullDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0 || mount("tmpfs", QFile::encodeName(m_folder.path()).constData(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "a small file system cannot be mounted here";
        m_mounted = true;
        m_folder.write("config.ini", "old\r\n");
        QFile filler(m_folder.file("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) > 0) {
        }
    }
    void TearDown() override
    {
        if (m_mounted)
            umount(QFile::encodeName(m_folder.path()).constData());
    }
    TempFolder m_folder;
    bool m_mounted = false;
};

TEST_F(FullDisk, ASaveThatDoesNotFitFailsAndLeavesTheOldFileWhole)
{
    int error = 0;
    EXPECT_FALSE(TextFile::writeLines(m_folder.file("config.ini"), QStringList(100, QString(80, u'n')), error));
    EXPECT_EQ(error, ENOSPC);
    EXPECT_EQ(m_folder.read("config.ini"), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"config.ini", "filler"}));
}

TEST(TextFileFiles, ASavedLinkIsReplacedNotWrittenThrough)
{
    TempFolder folder;
    folder.write("secret.txt", "secret\r\n");
    ASSERT_TRUE(QFile::link(folder.file("secret.txt"), folder.file("Link.kpl")));
    ASSERT_TRUE(TextFile::writeLines(folder.file("Link.kpl"), {"/music/a.mp3"}));
    EXPECT_EQ(folder.read("secret.txt"), QByteArray("secret\r\n"));
    EXPECT_FALSE(QFileInfo(folder.file("Link.kpl")).isSymLink());
    EXPECT_EQ(folder.read("Link.kpl"), QByteArray("/music/a.mp3\r\n"));
}

TEST(TextFileFiles, OnlyRegularFilesOfBoundedSizeAndLinesAreRead)
{
    TempFolder folder;
    TextFile::ReadFailure why;
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.file("pipe.kpl")).constData(), 0600), 0);
    EXPECT_FALSE(TextFile::readLines(folder.file("pipe.kpl"), why)); // returns, no writer awaited
    EXPECT_EQ(why, TextFile::ReadFailure::Unreadable);

    QFile huge(folder.file("huge.kpl"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(TextFile::MaxFileBytes + 1));
    huge.close();
    EXPECT_FALSE(TextFile::readLines(huge.fileName(), why));
    EXPECT_EQ(why, TextFile::ReadFailure::TooLarge);

    folder.write("long.kpl", "/a.mp3\r\n" + QByteArray(TextFile::MaxLineLength + 1, 'x') + "\r\n");
    EXPECT_FALSE(TextFile::readLines(folder.file("long.kpl"), why));
    EXPECT_EQ(why, TextFile::ReadFailure::TooLarge);
    folder.write("long.kpl", "/a.mp3\r\n" + QByteArray(TextFile::MaxLineLength, 'x') + "\r\n");
    EXPECT_TRUE(TextFile::readLines(folder.file("long.kpl"), why));
}
