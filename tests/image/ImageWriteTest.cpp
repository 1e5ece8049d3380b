#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "platform/HeadlessUi.h"

#include <QDir>
#include <gtest/gtest.h>

// Every picture write goes through a temporary file that replaces the target only when complete.

TEST(ImageWrite, AFailedWriteKeepsTheOldFileAndSaysWhy) {
    ScopedTestDir dir;
    dir.Write("old.png", "the old picture");
    for (const char* name : {"old.png", "old.bmp", "old.jpg"}) {
        CImageObject image = MakeColour(6, 4);
        EXPECT_FALSE(image.Save(dir.Path(QStringLiteral("missing/") + name))) << name;
        EXPECT_FALSE(image.WriteError().isEmpty()) << name;
    }
    CImageObject image = MakeColour(6, 4);
    ASSERT_TRUE(image.Save(dir.Path("old.bmp")));
    EXPECT_TRUE(image.WriteError().isEmpty());
    // Kinds of file without a writer say so rather than fail silently.
    EXPECT_FALSE(image.Save(dir.Path("x.avi")));
    EXPECT_EQ(image.WriteError(), QStringLiteral("Albora cannot write this type of file"));
    EXPECT_FALSE(image.Save(dir.Path("x.wmf")));
    EXPECT_FALSE(image.WriteError().isEmpty());
    EXPECT_EQ(ReadAll(dir.Path("old.png")), QByteArray("the old picture"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"old.bmp", "old.png"}));
}

TEST(ImageWrite, GifWritesTellAFolderThatCannotBeWrittenFromAFailedWrite) {
    ScopedTestDir dir;
    HeadlessUi ui;
    ImageLibrary::SetUi(&ui);
    CImageObject indexed = MakeIndexed(4, 4);
    EXPECT_FALSE(indexed.Save(dir.Path("no/such/folder/c.gif")));
    EXPECT_EQ(ui.LastMessage(), QStringLiteral("Can't open GIF for writing"));
    EXPECT_FALSE(indexed.WriteError().isEmpty());
    CImageObject colour = MakeColour(4, 4);
    EXPECT_FALSE(colour.Save(dir.Path("c.gif")));
    EXPECT_EQ(colour.WriteError(), QStringLiteral("more than 8 bits per pixel"));
    ImageLibrary::SetUi(nullptr);
}

TEST(ImageWrite, TheBatchProgramOnAFullDiskKeepsTheOldPictureAndSaysWhy) {
    ScopedTestDir dir;
    QDir().mkdir("seed");
    ASSERT_TRUE(MakeColour(64, 48).Save(dir.Path("seed/in.bmp")));
    dir.Write("seed/out.jpg", "the old picture");
    const QStringList commands[] = {{"image", "convert", "in.bmp", "out.jpg"},
                                    {"image", "transform", "in.bmp", "out.jpg", "--flip-h"}};
    for (const QStringList& command : commands) {
        const QString after = dir.Path("after-" + command[1]);
        QDir().mkdir(after);
        const auto run = RunOnFullDisk(dir.Path("seed"), after, QStringLiteral(ALBORA_CLI_PATH), command);
        if (!run) GTEST_SKIP() << "no private mount namespace here";
        EXPECT_EQ(run->code, 1) << command[1].toStdString();
        EXPECT_TRUE(run->err.contains("Error:\nCan't write the picture out.jpg (No space left on device)!"))
            << run->err.toStdString();
        EXPECT_EQ(ReadAll(after + "/out.jpg"), QByteArray("the old picture"));
        EXPECT_EQ(QDir(after).entryList(QDir::Files | QDir::Hidden), (QStringList{"in.bmp", "out.jpg"}));
    }
}
