// albora-cli browse: the tree's listing, its filter message, and a watched folder filling up.
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

TEST(BrowseCli, ListsAFolderAsTheTreeDoesAndRefusesAFilterWithoutWildcards) {
    ScopedTestDir dir;
    QDir().mkpath(dir.Path("Trip"));
    for (const char* name : {"b.JPG", "a.png", "c.bmp", "Ñandú.gif"}) dir.Write(name, "x");
    const ProgramRun internet = Cli({"browse", "tree", dir.Path()});
    EXPECT_EQ(internet.code, 0) << internet.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(internet.out), "Trip/\na.png\nb.JPG\nÑandú.gif\n");
    EXPECT_EQ(QString::fromUtf8(Cli({"browse", "tree", dir.Path(), "--filter", "*.bmp"}).out), "Trip/\nc.bmp\n");
    EXPECT_EQ(QString::fromUtf8(Cli({"browse", "tree", dir.Path(), "--no-files"}).out), "Trip/\n");
    const ProgramRun refused = Cli({"browse", "tree", dir.Path(), "--filter", "bmp"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("Please enter wildcard filters (*.*, *.bmp, *.jpg etc.,)"));
}

TEST(BrowseCli, AWatchedFolderShowsFilesAsTheyAreMade) {
    ScopedTestDir dir;
    QProcess watch;
    watch.start(QStringLiteral(ALBORA_CLI_PATH),
                {"browse", "watch", dir.Path(), "--until-files", "20", "--seconds", "30"});
    ASSERT_TRUE(watch.waitForStarted());
    // The watcher is on once the program has listed the folder; files made before are listed too.
    QThread::msleep(300);
    for (int i = 0; i < 20; ++i) dir.Write(QStringLiteral("p%1.jpg").arg(i, 2, 10, QChar('0')), "x");
    ASSERT_TRUE(watch.waitForFinished(30000));
    EXPECT_EQ(watch.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(watch.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).size(), 20);
}
