#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "image/Thumbnail.h"
#include "image/ThumbnailCache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QtEndian>
#include <glib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// PNG with a tEXt chunk KEY=VALUE put after its header, the rest of the file untouched.
QByteArray WithText(const QByteArray& png, const QByteArray& key, const QByteArray& value) {
    const QByteArray data = "tEXt" + key + '\0' + value;
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(data.size() - 4), chunk.data());
    chunk += data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(Crc32(data), crc.data());
    chunk += crc;
    return png.left(33) + chunk + png.mid(33);  // signature and IHDR are 33 bytes
}

void SetModified(const QString& path, qint64 seconds) {
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::fromSecsSinceEpoch(seconds), QFileDevice::FileModificationTime);
}

}  // namespace

TEST(ThumbnailCache, NamesEntriesByTheMd5OfTheFileUri) {
    ThumbnailCache cache(QStringLiteral("/cache/thumbnails"));
    EXPECT_EQ(ThumbnailCache::Uri(QStringLiteral("/home/ana/My Photos/a.jpg")), QStringLiteral("file:///home/ana/My%20Photos/a.jpg"));
    const QString md5 = QString::fromLatin1(
        QCryptographicHash::hash("file:///home/ana/My%20Photos/a.jpg", QCryptographicHash::Md5).toHex());
    EXPECT_EQ(cache.EntryPath(QStringLiteral("/home/ana/My Photos/a.jpg"), 128), QStringLiteral("/cache/thumbnails/normal/") + md5 + ".png");
    EXPECT_EQ(cache.EntryPath(QStringLiteral("/home/ana/My Photos/a.jpg"), 256), QStringLiteral("/cache/thumbnails/large/") + md5 + ".png");
    EXPECT_EQ(ThumbnailCache::SizeFor(QSize(80, 60)), 128);
    EXPECT_EQ(ThumbnailCache::SizeFor(QSize(240, 180)), 256);
    EXPECT_EQ(ThumbnailCache::SizeFor(QSize(320, 240)), 0);
}

// GNOME looks our thumbnails up, and we theirs, only where both spell the URI alike.
TEST(ThumbnailCache, NamesFilesAsGLibDoes) {
    const ThumbnailCache cache(QStringLiteral("/cache/thumbnails"));
    for (const char* name : {"/photos/My Photos/a b.jpg", "/photos/[1];.jpg", "/photos/#?%&+=@!'()~,.jpg",
                             "/photos/\"<>\\^`{|}\t$*:-_.jpg", "/fotos/Größe €/Ünï.JPG", "/photos/%41%5B.jpg"}) {
        const QString file = QString::fromUtf8(name);
        GError* error = nullptr;
        gchar* glibUri = g_filename_to_uri(QFile::encodeName(file).constData(), nullptr, &error);
        ASSERT_NE(glibUri, nullptr) << name;
        const QByteArray expected(glibUri);
        g_free(glibUri);
        EXPECT_EQ(ThumbnailCache::Uri(file).toUtf8(), expected) << name;
        const QByteArray md5 = QCryptographicHash::hash(expected, QCryptographicHash::Md5).toHex();
        EXPECT_EQ(cache.EntryPath(file, 128), QStringLiteral("/cache/thumbnails/normal/") + QString::fromLatin1(md5) + ".png")
            << name;
    }
}

TEST(ThumbnailCache, KeepsWhatItMakesPrivatelyAndForgetsAChangedPicture) {
    ScopedTestDir dir;
    dir.Write("photo.jpg", "a picture");
    SetModified(dir.Path("photo.jpg"), 1700000000);
    const ThumbnailCache cache(dir.Path("cache/thumbnails"));
    QImage thumbnail(128, 96, QImage::Format_RGB32);
    thumbnail.fill(qRgb(10, 200, 30));
    cache.Store(dir.Path("photo.jpg"), 128, thumbnail, QSize(2048, 1536), 24);
    const auto found = cache.Find(dir.Path("photo.jpg"), 128);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->pixel(5, 5), qRgb(10, 200, 30));
    EXPECT_EQ(found->text("Thumb::MTime"), QStringLiteral("1700000000"));
    EXPECT_EQ(found->text("Thumb::Image::Width"), QStringLiteral("2048"));
    EXPECT_FALSE(cache.Find(dir.Path("photo.jpg"), 256));
    struct stat info {};
    ::stat(cache.EntryPath(dir.Path("photo.jpg"), 128).toLocal8Bit().constData(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ::stat(dir.Path("cache/thumbnails/normal").toLocal8Bit().constData(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    SetModified(dir.Path("photo.jpg"), 1700000500);  // edited since
    EXPECT_FALSE(cache.Find(dir.Path("photo.jpg"), 128));

    EXPECT_FALSE(cache.KnownToFail(dir.Path("photo.jpg")));
    cache.StoreFailure(dir.Path("photo.jpg"));
    EXPECT_TRUE(cache.KnownToFail(dir.Path("photo.jpg")));
    EXPECT_TRUE(QFileInfo(dir.Path("cache/thumbnails/fail/albora")).isDir());

    // A cache that cannot be written keeps nothing and says nothing.
    dir.Write("blocked", "a file where the cache folder should be");
    const ThumbnailCache blocked(dir.Path("blocked/thumbnails"));
    blocked.Store(dir.Path("photo.jpg"), 128, thumbnail, QSize(2048, 1536), 24);
    EXPECT_FALSE(blocked.Find(dir.Path("photo.jpg"), 128));
}

// A file manager's thumbnail, made by GNOME's thumbnailer, serves as it is.
TEST(ThumbnailCache, ReadsTheThumbnailsOfOtherPrograms) {
    ScopedTestDir dir;
    if (RunTool("gdk-pixbuf-thumbnailer", {"--help"}).isNull() && RunTool("/usr/bin/convert", {"-version"}).isNull())
        GTEST_SKIP() << "needs gdk-pixbuf-thumbnailer and ImageMagick";
    ASSERT_FALSE(RunTool("/usr/bin/convert", {"-size", "400x300", "xc:orange", dir.Path("with space.jpg")}).isNull());
    const ThumbnailCache cache(dir.Path("thumbnails"));
    const QString entry = cache.EntryPath(dir.Path("with space.jpg"), 128);
    QDir().mkpath(QFileInfo(entry).absolutePath());
    ASSERT_FALSE(RunTool("gdk-pixbuf-thumbnailer", {"-s", "128", dir.Path("with space.jpg"), entry}).isNull());
    // A file manager adds the two keys when it files the thumbnailer's picture in the cache.
    const QString mtime = QString::number(QFileInfo(dir.Path("with space.jpg")).lastModified().toSecsSinceEpoch());
    dir.Write(QDir(dir.Path()).relativeFilePath(entry),
              WithText(WithText(ReadAll(entry), "Thumb::URI", ThumbnailCache::Uri(dir.Path("with space.jpg")).toUtf8()),
                       "Thumb::MTime", mtime.toUtf8()));
    const auto found = cache.Find(dir.Path("with space.jpg"), 128);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->size(), QSize(128, 96));
    EXPECT_NEAR(qRed(found->pixel(60, 40)), 255, 3);
    EXPECT_NEAR(qGreen(found->pixel(60, 40)), 165, 3);
}

// Thumbnails keep the picture's proportions and the camera's orientation, and a second sheet
// comes from the cache without decoding the picture again.
TEST(ThumbnailCache, ThumbnailsAreUprightInProportionAndMadeOnce) {
    ScopedTestDir dir;
    if (RunTool("/usr/bin/convert", {"-version"}).isNull() || RunTool("exiftool", {"-ver"}).isNull())
        GTEST_SKIP() << "needs ImageMagick and exiftool";
    ASSERT_FALSE(RunTool("/usr/bin/convert", {"-size", "600x200", "xc:teal", dir.Path("panorama.jpg")}).isNull());
    QFile::copy(dir.Path("panorama.jpg"), dir.Path("portrait.jpg"));
    ASSERT_FALSE(RunTool("exiftool", {"-q", "-overwrite_original", "-n", "-Orientation=8", dir.Path("portrait.jpg")}).isNull());
    const Thumbnail wide = MakeThumbnail(dir.Path("panorama.jpg"), QSize(80, 60));
    EXPECT_EQ(QSize(wide.image.GetWidth(), wide.image.GetHeight()), QSize(80, 26));
    const Thumbnail tall = MakeThumbnail(dir.Path("portrait.jpg"), QSize(80, 60));
    EXPECT_EQ(QSize(tall.image.GetWidth(), tall.image.GetHeight()), QSize(20, 60));
    EXPECT_EQ(QSize(tall.width, tall.height), QSize(200, 600));

    const ThumbnailCache cache(dir.Path("thumbnails"));
    const Thumbnail first = MakeThumbnail(dir.Path("portrait.jpg"), QSize(80, 60), &cache);
    ASSERT_TRUE(cache.Find(dir.Path("portrait.jpg"), 128));
    EXPECT_EQ(cache.Find(dir.Path("portrait.jpg"), 128)->size(), QSize(42, 128));
    const std::int64_t rows = ImageLibrary::DecodedRows();
    const Thumbnail second = MakeThumbnail(dir.Path("portrait.jpg"), QSize(80, 60), &cache);
    EXPECT_EQ(ImageLibrary::DecodedRows(), rows);
    EXPECT_EQ(QSize(second.image.GetWidth(), second.image.GetHeight()), QSize(first.image.GetWidth(), first.image.GetHeight()));
    EXPECT_EQ(QSize(second.width, second.height), QSize(200, 600));
    EXPECT_EQ(second.bpp, 24);
}
