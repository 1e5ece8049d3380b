#include "TestFiles.h"
#include "album/CardFileResolver.h"

#include <gtest/gtest.h>

// An album made on Windows and copied here with its pictures beside it, in other case.
TEST(CardFileResolver, AnAlbumFromWindowsFindsItsFilesBesideTheAlbumFile) {
    ScopedTestDir dir;
    QDir().mkpath("album/Sub");
    dir.Write("album/img_0001.jpg", "1");
    dir.Write("album/IMG_0002.JPG", "2");
    dir.Write("album/Sub/a.jpg", "a");
    CardFileResolver files;
    files.SetAlbum(dir.Path("album/trip.crp"), QStringLiteral("C:\\ALBORA\\Album_0000"));
    EXPECT_TRUE(files.DirectoryFallsBack());
    EXPECT_EQ(files.Directory(), dir.Path("album"));
    EXPECT_EQ(files.Resolve("C:\\ALBORA\\Album_0000\\IMG_0001.JPG"), dir.Path("album/img_0001.jpg"));
    EXPECT_EQ(files.Resolve("IMG_0002.JPG"), dir.Path("album/IMG_0002.JPG"));
    EXPECT_EQ(files.Resolve("img_0002.jpg"), dir.Path("album/IMG_0002.JPG"));
    EXPECT_EQ(files.Resolve("c:\\albora\\album_0000\\SUB\\A.JPG"), dir.Path("album/Sub/a.jpg"));
    EXPECT_EQ(files.Resolve("D:\\elsewhere\\IMG_0001.jpg"), dir.Path("album/img_0001.jpg"));
    // Nothing matches: the text as stored, for the messages that name it.
    EXPECT_EQ(files.Resolve("C:\\ALBORA\\Album_0000\\gone.jpg"), QStringLiteral("C:\\ALBORA\\Album_0000\\gone.jpg"));
    EXPECT_EQ(files.Resolve(""), QString());
}

TEST(CardFileResolver, PathsThatExistAreTakenAsWritten) {
    ScopedTestDir dir;
    QDir().mkpath("album");
    QDir().mkpath("pictures");
    dir.Write("album/a.jpg", "in the album");
    dir.Write("pictures/a.jpg", "elsewhere");
    CardFileResolver files;
    files.SetAlbum(dir.Path("album/x.crp"), dir.Path("album"));
    EXPECT_FALSE(files.DirectoryFallsBack());
    EXPECT_EQ(files.Resolve(dir.Path("pictures/a.jpg")), dir.Path("pictures/a.jpg"));
    EXPECT_EQ(files.Resolve("a.jpg"), dir.Path("album/a.jpg"));
    EXPECT_EQ(files.Resolve("../pictures/a.jpg"), dir.Path("album/../pictures/a.jpg"));
    EXPECT_EQ(files.Resolve("missing.jpg"), dir.Path("album/missing.jpg"));
}

TEST(CardFileResolver, AMovedAlbumFindsItsFilesBelowItsNewFolder) {
    ScopedTestDir dir;
    QDir().mkpath("new/2024.05 Trip");
    dir.Write("new/2024.05 Trip/IMG_1.jpg", "1");
    CardFileResolver files;
    files.SetAlbum(dir.Path("new/album.crp"), QStringLiteral("/home/someone/old"));
    EXPECT_EQ(files.Resolve("/home/someone/old/2024.05 Trip/IMG_1.jpg"), dir.Path("new/2024.05 Trip/IMG_1.jpg"));
    // A file added after the folder was listed is found too.
    EXPECT_EQ(files.Resolve("LATER.JPG"), QStringLiteral("%1/LATER.JPG").arg(dir.Path("new")));
    dir.Write("new/later.jpg", "");
    EXPECT_EQ(files.Resolve("LATER.JPG"), dir.Path("new/later.jpg"));
}

TEST(CardFileResolver, AnUnsavedAlbumResolvesAgainstItsDirectoryOrTheCurrentOne) {
    ScopedTestDir dir;
    dir.Write("here.jpg", "");
    CardFileResolver files;
    files.SetAlbum({}, {});
    EXPECT_FALSE(files.DirectoryFallsBack());
    EXPECT_EQ(files.Resolve("here.jpg"), QStringLiteral("here.jpg"));
    EXPECT_EQ(files.Resolve("HERE.JPG"), QStringLiteral("here.jpg"));
    files.SetAlbum({}, QStringLiteral("C:\\ALBORA"));
    EXPECT_EQ(files.Directory(), QStringLiteral("C:\\ALBORA"));
}
