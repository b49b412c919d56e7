// File names that are not UTF-8, kept in QStrings without losing a byte.
#include "platform/FileNames.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

namespace {

const QList<QByteArray> OddNames = {
    "Caf\xE9 \x80.mp3",      // Windows-1252
    "\xC3",                  // cut short
    "\xC0\xAF",              // overlong
    "\xED\xA0\x80",          // a surrogate
    "\xF4\x90\x80\x80",      // past U+10FFFF
    "\xEF\x9E\xA9",          // UTF-8 of the range the unit keeps bytes in
    "\xFF\xFE\xC3\xA9\xE9",  // good and bad mixed
};

TEST(FileNames, EveryByteSequenceComesBackTheSameAndUtf8StaysItself)
{
    for (const QByteArray& bytes : OddNames)
        EXPECT_EQ(FileNames::toBytes(FileNames::fromBytes(bytes)), bytes) << bytes.toHex().constData();
    for (const QByteArray& utf8 : {QByteArray("plain.mp3"), QByteArray("Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x9A\x97")}) {
        EXPECT_EQ(FileNames::fromBytes(utf8), QString::fromUtf8(utf8));
        EXPECT_EQ(FileNames::toBytes(QString::fromUtf8(utf8)), utf8);
    }
    EXPECT_NE(FileNames::fromBytes("Caf\xE9"), FileNames::fromBytes("Caf\xC3\xA9"));
    EXPECT_EQ(FileNames::shown(FileNames::fromBytes("Caf\xE9 \x80.mp3")), QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC.mp3"));
}

TEST(FileNames, ThePathsSurviveTheProgramsTextFiles)
{
    QStringList paths;
    for (const QByteArray& bytes : OddNames)
        paths << FileNames::fromBytes("/music/" + bytes);
    const QStringList back = TextFile::splitLines(TextFile::decode(TextFile::encodeLines(paths)));
    ASSERT_EQ(back.size(), paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i)
        EXPECT_EQ(FileNames::toBytes(back[i]), "/music/" + OddNames[i]);
}

} // namespace
