// The Debian package cpack makes: what it installs where, owned by whom, what it declares,
// and what lintian says of it.
#include "RunTool.h"

#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool SanitizerBuild = true;
#elif defined(__has_feature)
constexpr bool SanitizerBuild = __has_feature(address_sanitizer);
#else
constexpr bool SanitizerBuild = false;
#endif

struct BuiltPackage {
    TempFolder folder;
    ToolRun run;
    QString file;
};

// Made once per test program: packaging the whole program takes a while.
const BuiltPackage& package()
{
    static BuiltPackage built = [] {
        BuiltPackage b;
        const QString build = buildFolder(TestPaths::builtProgramFolder());
        b.run = runTool("cpack", {"--config", build + "/CPackConfig.cmake", "-B", b.folder.path()},
                        QProcessEnvironment::systemEnvironment(), 100000);
        const QStringList debs = QDir(b.folder.path()).entryList({"*.deb"}, QDir::Files);
        if (debs.size() == 1)
            b.file = b.folder.file(debs[0]);
        return b;
    }();
    return built;
}

QString dpkgDeb(const QStringList& arguments)
{
    const ToolRun run = runTool("dpkg-deb", arguments);
    EXPECT_TRUE(run.finished && run.exitCode == 0) << qPrintable(run.output);
    return run.output;
}

class PackageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(package().file.isEmpty()) << qPrintable(package().run.output);
    }
    const QString& deb() const { return package().file; }
};

} // namespace

TEST_F(PackageTest, DeclaresItsMaintainerVersionAndWhatItNeeds)
{
    EXPECT_EQ(dpkgDeb({"-f", deb(), "Version"}).trimmed(), "1.0-1");
    EXPECT_EQ(dpkgDeb({"-f", deb(), "Maintainer"}).trimmed(), "Karvex developers <developers@karvex.org>");
    const QString depends = dpkgDeb({"-f", deb(), "Depends"});
    EXPECT_TRUE(depends.contains(QRegularExpression("\\badduser\\b"))) << qPrintable(depends);
    EXPECT_TRUE(depends.contains("libqt6gui6")) << qPrintable(depends);
    EXPECT_FALSE(depends.contains("qt6-qpa-plugins")) << qPrintable(depends);
    const QString control = dpkgDeb({"-I", deb()});
    EXPECT_TRUE(control.contains(QRegularExpression("\\bpostinst\\b")) && control.contains(QRegularExpression("\\bpostrm\\b")))
        << qPrintable(control);
}

TEST_F(PackageTest, InstallsOnlyRootsFilesNoneWritableByOthersAndItsDocuments)
{
    QStringList inProgramFolder;
    QStringList paths;
    for (const QString& line : dpkgDeb({"-c", deb()}).split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        ASSERT_GE(fields.size(), 6) << qPrintable(line);
        const QString mode = fields[0];
        EXPECT_EQ(fields[1], "root/root") << qPrintable(line);
        EXPECT_TRUE(mode[5] != 'w' && mode[8] != 'w' && !mode.contains('s') && !mode.contains('t')) << qPrintable(line);
        const QString path = fields[5];
        paths << path;
        if (path.startsWith("./opt/karvex/") && path != "./opt/karvex/")
            inProgramFolder << path.mid(QStringLiteral("./opt/karvex/").size());
    }
    inProgramFolder.sort();
    EXPECT_EQ(inProgramFolder,
              (QStringList{"click.wav", "data-folder", "error.wav", "hover.wav", "karvex", "licence.txt"}));
    EXPECT_TRUE(paths.contains("./usr/share/doc/karvex/copyright"));
    EXPECT_TRUE(paths.contains("./usr/share/doc/karvex/changelog.Debian.gz"));
    EXPECT_TRUE(paths.contains("./usr/libexec/karvex-kiosk-session"));
}

TEST_F(PackageTest, LintianFindsNothingButTheProgramFolderInOpt)
{
    if (QStandardPaths::findExecutable("lintian").isEmpty())
        GTEST_SKIP() << "lintian is not installed";
    const ToolRun run = runTool("lintian", {"--tag-display-limit", "0", deb()},
                                QProcessEnvironment::systemEnvironment(), 100000);
    ASSERT_TRUE(run.finished) << qPrintable(run.output);
    // "W: karvex: TAG [details]": the program folder is in /opt by design, and the program
    // has no manual page. The sanitizer build's binary is checked, not hardened.
    const QRegularExpression finding("^([EW]): karvex: (\\S+)", QRegularExpression::MultilineOption);
    QStringList unexpected;
    for (const QRegularExpressionMatch& match : finding.globalMatch(run.output)) {
        const QString tag = match.captured(2);
        if (tag == "dir-or-file-in-opt" || tag == "no-manual-page" || (SanitizerBuild && tag.startsWith("hardening-")))
            continue;
        unexpected << match.captured(0);
    }
    EXPECT_TRUE(unexpected.isEmpty()) << qPrintable(run.output);
}
