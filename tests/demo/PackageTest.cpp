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

TEST_F(PackageTest, DeclaresWhatItNeedsAndInstallsOnlyRootsFilesThatNoOneElseMayWrite)
{
    EXPECT_EQ(dpkgDeb({"-f", deb(), "Version"}).trimmed(), "1.0-1");
    EXPECT_EQ(dpkgDeb({"-f", deb(), "Maintainer"}).trimmed(), "Karvex developers <developers@karvex.org>");
    const QString depends = dpkgDeb({"-f", deb(), "Depends"});
    EXPECT_TRUE(depends.contains(QRegularExpression("\\badduser\\b")) && depends.contains("libqt6gui6")
                && depends.contains("libmpv2") && !depends.contains("qt6-qpa-plugins")) << qPrintable(depends);

    QStringList inProgramFolder;
    QStringList paths;
    for (const QString& line : dpkgDeb({"-c", deb()}).split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts); // mode owner size date time path
        ASSERT_GE(fields.size(), 6) << qPrintable(line);
        const QString mode = fields[0];
        EXPECT_TRUE(fields[1] == "root/root" && mode[5] != 'w' && mode[8] != 'w' && !mode.contains(QRegularExpression("[st]")))
            << qPrintable(line);
        paths << fields[5];
        if (fields[5].startsWith("./opt/karvex/") && fields[5] != "./opt/karvex/")
            inProgramFolder << fields[5].section('/', 3);
    }
    inProgramFolder.sort();
    EXPECT_EQ(inProgramFolder,
              (QStringList{"click.wav", "data-folder", "error.wav", "hover.wav", "karvex", "licence.txt"}));
    EXPECT_TRUE(paths.contains("./usr/share/doc/karvex/copyright"));
    EXPECT_TRUE(paths.contains("./usr/share/doc/karvex/changelog.Debian.gz"));
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
