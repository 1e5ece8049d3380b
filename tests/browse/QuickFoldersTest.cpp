// Quick folders: "quick.lst" read whole and written back safely, and albora-cli quick.
#include "TestFiles.h"

#include "browse/QuickFolders.h"

#include <gtest/gtest.h>

#include <QDir>

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

TEST(QuickFolders, TheBatchProgramAddsListsDeletesAndMakesAnAlbumOfAFolder) {
    ScopedTestDir dir;
    QDir().mkpath(dir.Path("trip"));
    QDir().mkpath(dir.Path("home"));
    for (const char* name : {"trip/a.jpg", "trip/b.gif", "trip/c.bmp"}) dir.Write(name, "x");
    EXPECT_EQ(Cli({"quick", "add", dir.Path("trip")}).code, 0);
    EXPECT_EQ(Cli({"quick", "add", dir.Path("home")}).code, 0);
    EXPECT_EQ(Cli({"quick", "add", dir.Path("none")}).code, 1);
    EXPECT_EQ(QString::fromUtf8(Cli({"quick", "list"}).out), "1\t" + dir.Path("trip") + "\n2\t" + dir.Path("home") + "\n");
    EXPECT_EQ(Cli({"quick", "del", "2"}).code, 0);
    EXPECT_EQ(Cli({"quick", "del", "2"}).code, 1);
    EXPECT_EQ(QuickFolders::Read(dir.Path("quick.lst")), QStringList{dir.Path("trip")});

    const ProgramRun go = Cli({"quick", "go", "1", dir.Path("trip.crp"), "--mask", "*.bmp"});
    ASSERT_EQ(go.code, 0) << go.err.toStdString();
    const QString shown = QString::fromUtf8(Cli({"album", "show", dir.Path("trip.crp")}).out);
    EXPECT_TRUE(shown.contains("c.bmp"));
    EXPECT_FALSE(shown.contains("a.jpg"));
}
