#include "TestFiles.h"
#include "platform/SafeFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(SafeFile, ReplacesAFileAndKeepsItsPermissions) {
    ScopedTestDir dir;
    dir.Write("a.crp", "old");
    ::chmod(dir.Path("a.crp").toLocal8Bit().constData(), 0640);
    QString error;
    ASSERT_TRUE(SafeFile::Write(dir.Path("a.crp"), "new contents", &error)) << error.toStdString();
    EXPECT_EQ(ReadAll(dir.Path("a.crp")), QByteArray("new contents"));
    struct stat info {};
    ::stat(dir.Path("a.crp").toLocal8Bit().constData(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    // A new file gets what any new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ASSERT_TRUE(SafeFile::Write(dir.Path("fresh.png"), "png"));
    ::stat(dir.Path("fresh.png").toLocal8Bit().constData(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0666u & ~mask);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.crp", "fresh.png"}));

    EXPECT_FALSE(SafeFile::Write(dir.Path("no/such/folder/x.crp"), "x", &error));
    EXPECT_EQ(error, QStringLiteral("No such file or directory"));
}

TEST(SafeFile, ACopyKeepsTheSourcesTimeAndAFailedOneTheOldTarget) {
    ScopedTestDir dir;
    dir.Write("photo.jpg", QByteArray(3 << 20, 'p'));  // more than one chunk
    QFile source(dir.Path("photo.jpg"));
    source.open(QIODevice::ReadWrite);
    const QDateTime taken = QDateTime::fromSecsSinceEpoch(946684800);
    source.setFileTime(taken, QFileDevice::FileModificationTime);
    source.close();
    ASSERT_TRUE(SafeFile::Copy(dir.Path("photo.jpg"), dir.Path("copy.jpg")));
    EXPECT_EQ(ReadAll(dir.Path("copy.jpg")), ReadAll(dir.Path("photo.jpg")));
    EXPECT_EQ(QFileInfo(dir.Path("copy.jpg")).lastModified(), taken);

    QDir().mkdir("folder.jpg");
    QString error;
    EXPECT_FALSE(SafeFile::Copy(dir.Path("folder.jpg"), dir.Path("copy.jpg"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(dir.Path("copy.jpg")).size(), 3 << 20);
    // A pipe or a device is not copied: the copy would wait, or fill the disk.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.Path("pipe.jpg")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.Path("zero.jpg")));
    for (const char* name : {"pipe.jpg", "zero.jpg"}) {
        EXPECT_FALSE(SafeFile::Copy(dir.Path(name), dir.Path("copy.jpg"), &error)) << name;
        EXPECT_EQ(error, QStringLiteral("not a regular file")) << name;
    }
    EXPECT_EQ(ReadAll(dir.Path("copy.jpg")).size(), 3 << 20);
}

// A save killed before its rename leaves "NAME.albora-XXXXXX"; the next save of NAME removes
// such files unless a process still writes them, and never touches anything else.
TEST(SafeFile, TheNextWriteRemovesItsOwnLeftoversOnly) {
    ScopedTestDir dir;
    dir.Write("a.crp", "album");
    const QStringList foreign{"a.crp.AbCdEf", "a.crp.albora-AbC12", "a.crp.albora-AbC1234", "b.crp.albora-XyZ789",
                              "a.crp.albora-AbC12.bak", "[a].crp.albora-QwErTy"};
    for (const QString& name : foreign) dir.Write(name, "someone else's");
    dir.Write("a.crp.albora-AbC123", "a whole album that was never renamed");
    dir.Write("a.crp.albora-Held99", "a save still going on in another process");
    QProcess holder;
    holder.start("sh", {"-c", "exec 3<\"$0\"; echo ready; exec sleep 30", dir.Path("a.crp.albora-Held99")});
    ASSERT_TRUE(holder.waitForReadyRead(5000));

    EXPECT_EQ(SafeFile::RemoveLeftovers(dir.Path("a.crp")), 1);
    ASSERT_TRUE(SafeFile::Write(dir.Path("a.crp"), "album, saved again"));
    QStringList expected = foreign;
    expected << "a.crp" << "a.crp.albora-Held99";
    expected.sort();
    QStringList present = QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden);
    present.sort();
    EXPECT_EQ(present, expected);

    holder.kill();
    holder.waitForFinished();
    EXPECT_EQ(SafeFile::RemoveLeftovers(dir.Path("a.crp")), 1);
    EXPECT_FALSE(QFile::exists(dir.Path("a.crp.albora-Held99")));
    // Wildcard characters in a name are taken as they are.
    EXPECT_EQ(SafeFile::RemoveLeftovers(dir.Path("[a].crp")), 1);
    EXPECT_TRUE(QFile::exists(dir.Path("a.crp.AbCdEf")));
}
