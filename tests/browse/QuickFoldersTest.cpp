// Quick folders: "quick.lst" read whole and written back safely, and albora-cli quick.
#include "TestFiles.h"

#include "browse/QuickFolders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

// XDG_DATA_HOME set to a folder of the test's for its lifetime, for this program and those it runs.
class ScopedDataHome {
public:
    explicit ScopedDataHome(const QString& folder) : m_before(qgetenv("XDG_DATA_HOME")) { qputenv("XDG_DATA_HOME", QFile::encodeName(folder)); }
    ~ScopedDataHome() {
        if (m_before.isNull()) qunsetenv("XDG_DATA_HOME");
        else qputenv("XDG_DATA_HOME", m_before);
    }

private:
    QByteArray m_before;
};

}  // namespace

TEST(QuickFolders, LongLinesWindowsLineEndsAndOldCodePagesReadAsTheFoldersTheyName) {
    ScopedTestDir dir;
    const QString longPath = "/" + QString(600, 'x') + "/fotos";
    dir.Write("quick.lst", "/home/ana/Fotos\r\n" + longPath.toUtf8() + "\r\n\r\n/home/ana/Ñandú\n");
    EXPECT_EQ(QuickFolders::Read(dir.Path("quick.lst")), (QStringList{"/home/ana/Fotos", longPath, "/home/ana/Ñandú"}));
    dir.Write("old.lst", "C:\\Mis fotos\\A\xF1o 2003\r\n");  // Windows-1252, as an old list may be
    EXPECT_EQ(QuickFolders::Read(dir.Path("old.lst")), QStringList{"C:\\Mis fotos\\Año 2003"});
    EXPECT_TRUE(QuickFolders::Read(dir.Path("missing.lst")).isEmpty());

    ASSERT_TRUE(QuickFolders::Write(dir.Path("quick.lst"), {"/b", longPath, "/写真"}));
    EXPECT_EQ(ReadAll(dir.Path("quick.lst")), "/b\n" + longPath.toUtf8() + "\n/写真\n");
    QString reason;
    EXPECT_FALSE(QuickFolders::Write(dir.Path("no/such/quick.lst"), {"/b"}, &reason));
    EXPECT_FALSE(reason.isEmpty());
}

// A list that is a pipe or a device is neither waited on nor read without end, nor written over.
TEST(QuickFolders, AListThatIsNoRegularFileIsRefusedWithItsReason) {
    ScopedTestDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.Path("pipe.lst")).constData(), 0600), 0);
    const ScopedDataHome home(dir.Path("data"));
    QDir().mkpath(dir.Path("data/albora"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.Path("data/albora/quick.lst")));
    for (const char* name : {"pipe.lst", "data/albora/quick.lst"}) {
        QString reason;
        EXPECT_TRUE(QuickFolders::Read(dir.Path(name), &reason).isEmpty()) << name;
        EXPECT_EQ(reason, QStringLiteral("not a regular file")) << name;
    }
    for (const QStringList& args : {QStringList{"quick", "list"}, QStringList{"quick", "add", dir.Path()}}) {
        const ProgramRun run = Cli(args);
        EXPECT_EQ(run.code, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("not a regular file")) << run.err.toStdString();
    }
    EXPECT_TRUE(QFileInfo(dir.Path("data/albora/quick.lst")).isSymLink());
}

// The list is the user's, in the data folder: one in the folder the program starts from (a
// folder of downloads) is not read, nor written.
TEST(QuickFolders, TheBatchProgramAddsListsDeletesAndMakesAnAlbumOfAFolder) {
    ScopedTestDir dir;
    const ScopedDataHome home(dir.Path("data"));
    dir.Write("quick.lst", "/planted\n");
    QDir().mkpath(dir.Path("trip"));
    QDir().mkpath(dir.Path("home"));
    for (const char* name : {"trip/a.jpg", "trip/b.gif", "trip/c.bmp"}) dir.Write(name, "x");
    EXPECT_EQ(Cli({"quick", "add", dir.Path("trip")}).code, 0);
    EXPECT_EQ(Cli({"quick", "add", dir.Path("home")}).code, 0);
    EXPECT_EQ(Cli({"quick", "add", dir.Path("none")}).code, 1);
    EXPECT_EQ(QString::fromUtf8(Cli({"quick", "list"}).out), "1\t" + dir.Path("trip") + "\n2\t" + dir.Path("home") + "\n");
    EXPECT_EQ(Cli({"quick", "del", "2"}).code, 0);
    EXPECT_EQ(Cli({"quick", "del", "2"}).code, 1);
    EXPECT_EQ(QuickFolders::Read(dir.Path("data/albora/quick.lst")), QStringList{dir.Path("trip")});
    EXPECT_EQ(QuickFolders::ListPath(), dir.Path("data/albora/quick.lst"));
    EXPECT_EQ(ReadAll(dir.Path("quick.lst")), "/planted\n");

    const ProgramRun go = Cli({"quick", "go", "1", dir.Path("trip.crp"), "--mask", "*.bmp"});
    ASSERT_EQ(go.code, 0) << go.err.toStdString();
    const QString shown = QString::fromUtf8(Cli({"album", "show", dir.Path("trip.crp")}).out);
    EXPECT_TRUE(shown.contains("c.bmp"));
    EXPECT_FALSE(shown.contains("a.jpg"));
}
