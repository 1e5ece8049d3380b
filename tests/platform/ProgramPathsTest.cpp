// Where shipped files and the user's state are looked for: never the folder the program starts in.
#include "TestFiles.h"
#include "platform/ProgramPaths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

// An environment variable set for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QString& value) : m_name(name), m_before(qgetenv(name)) {
        qputenv(name, QFile::encodeName(value));
    }
    ~ScopedVariable() {
        if (m_before.isNull()) qunsetenv(m_name);
        else qputenv(m_name, m_before);
    }

private:
    const char* m_name;
    QByteArray m_before;
};

}  // namespace

// A folder of downloaded files holding "albora.tip" or "HTMLWIZ" cannot stand in for the shipped
// ones. A program of the build tree (these tests) finds them below its folder, as an installed one
// does: share/albora there links to the source tree's files.
TEST(ProgramPaths, ShippedFilesNeverComeFromTheStartFolder) {
    ScopedTestDir dir;
    ProgramPaths::CaptureProgramDirectory();
    QDir().mkpath(dir.Path("HTMLWIZ/STYLES/Classic"));
    QDir().mkpath(dir.Path("manual"));
    dir.Write("albora.tip", "planted tip\n");
    dir.Write("HTMLWIZ/STYLES/Classic/style.css", "planted");
    dir.Write("manual/index.html", "planted");
    const QString source = QStringLiteral(ALBORA_TESTS_DIR "/..");
    EXPECT_EQ(Canonical(ProgramPaths::FindShippedFile("albora.tip")), Canonical(source + "/data/albora.tip"));
    EXPECT_EQ(Canonical(ProgramPaths::FindShippedFile("HTMLWIZ")), Canonical(source + "/data/HTMLWIZ"));
    EXPECT_EQ(Canonical(ProgramPaths::FindShippedFile("manual/index.html")), Canonical(source + "/docs/manual/index.html"));
    EXPECT_TRUE(ProgramPaths::FindShippedFile("no-such-file").isEmpty());
    const QString shipped = QCoreApplication::applicationDirPath() + "/../share/albora/";
    EXPECT_EQ(ProgramPaths::FindShippedFile("albora.tip"), shipped + "albora.tip");
    EXPECT_EQ(ProgramPaths::FindShippedFile("manual/index.html"), shipped + "manual/index.html");
    // The start folder is still the program directory that "{ALBOPATH}" names.
    EXPECT_EQ(ProgramPaths::ProgramDirectory(), dir.Path() + '/');
}

TEST(ProgramPaths, TheUsersStateGoesUnderTheXdgFolders) {
    ScopedTestDir dir;
    const ScopedVariable data("XDG_DATA_HOME", dir.Path("data"));
    const ScopedVariable cache("XDG_CACHE_HOME", dir.Path("cache"));
    EXPECT_EQ(ProgramPaths::UserDataDirectory(), dir.Path("data/albora/"));
    EXPECT_EQ(ProgramPaths::ScratchDirectory(), dir.Path("cache/albora/"));
    EXPECT_TRUE(QFileInfo(dir.Path("cache/albora")).isDir());
    // A cache folder that cannot be made leaves the system's temporary folder.
    dir.Write("blocked", "a file, not a folder");
    const ScopedVariable blocked("XDG_CACHE_HOME", dir.Path("blocked"));
    EXPECT_EQ(ProgramPaths::ScratchDirectory(), ProgramPaths::WithTrailingSlash(QDir::tempPath()));
}
