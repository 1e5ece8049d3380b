#include "WebSiteFixture.h"

#include "image/ImageInfo.h"
#include "image/ImageLibrary.h"
#include "image/ImageTestSupport.h"

#include <gtest/gtest.h>

namespace {

QSize SizeOf(const QString& path) {
    const auto info = ReadImageInfo(path);
    return info ? QSize(info->width, info->height) : QSize();
}

const QByteArray kFacts = "{BEGINITERATESELECTED}{IMAGESELARCH} {IMAGESELWIDTH}x{IMAGESELHEIGHT} {IMAGESELTHUMB} "
                          "{THUMBSELWIDTH}x{THUMBSELHEIGHT} {IMAGESELORIENT}\n{ENDITERATESELECTED}";

}  // namespace

TEST(WebPictures, FitTheirBoxesInProportionAndAreNeverEnlarged) {
    WebSiteFixture f;
    const auto add = [&](const QString& name, int w, int h) {
        ASSERT_TRUE(MakeColour(w, h).Save(f.dir.Path(name)));
        f.AddCard(name, ReadAll(f.dir.Path(name)));
    };
    add(QStringLiteral("big.jpg"), 64, 48);
    add(QStringLiteral("tall.png"), 30, 60);
    add(QStringLiteral("small.bmp"), 8, 6);
    f.web.pictureBox = QSize(32, 24);
    f.web.thumbnailBox = QSize(16, 12);
    f.Template(QStringLiteral("index.htm"), kFacts);
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page(QStringLiteral("index.htm")), QStringLiteral("big.jpg 32x24 thumbs/big.jpg 16x12 landscape\r\n"
                                                                  "tall.jpg 12x24 thumbs/tall.jpg 6x12 portrait\r\n"
                                                                  "small.jpg 8x6 thumbs/small.jpg 8x6 landscape\r\n"
                                                                  "\r\n"));
    EXPECT_EQ(SizeOf(f.Picture("big.jpg")), QSize(32, 24));
    EXPECT_EQ(SizeOf(f.Picture("thumbs/tall.jpg")), QSize(6, 12));
    EXPECT_EQ(SizeOf(f.Picture("small.jpg")), QSize(8, 6));

    // "Original" keeps every picture's size; only the thumbnails are made smaller.
    f.web.pictureBox = QSize();
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(SizeOf(f.Picture("tall.jpg")), QSize(30, 60));
    EXPECT_EQ(ReadAll(f.Picture("big.jpg")), ReadAll(f.dir.Path("big.jpg")));
}

// Pictures come out as the camera was held, whether they are made smaller or kept as they are.
TEST(WebPictures, CameraOrientationIsAppliedAsImageMagickAppliesIt) {
    WebSiteFixture f;
    if (!HaveOrientationTools()) GTEST_SKIP() << "needs ImageMagick and exiftool";
    for (const QString& file : MakeOrientedJpegs(f.dir.Path())) f.AddCard(QFileInfo(file).fileName(), ReadAll(file));
    ASSERT_EQ(f.doc.Db().GetCount(), 8);
    f.web.thumbnailBox = QSize(24, 24);
    f.Template(QStringLiteral("index.htm"), kFacts);
    // Sharp edges on so few pixels: at the usual quality the JPEG's own ringing would hide a fault.
    const int quality = ImageLibrary::JpegQuality();
    ImageLibrary::SetJpegQuality(100);
    for (const QSize box : {QSize(24, 24), QSize()}) {
        f.web.pictureBox = box;
        ASSERT_EQ(f.Generate(true), WebSiteResult::Complete);
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const QString name = QStringLiteral("o%1.jpg").arg(orientation);
            const QSize upright = orientation >= 5 ? QSize(32, 48) : QSize(48, 32);
            const QSize thumb = orientation >= 5 ? QSize(16, 24) : QSize(24, 16);
            EXPECT_TRUE(f.Page("index.htm").contains(
                QStringLiteral("%1 %2x%3 thumbs/%1 %4x%5")
                    .arg(name)
                    .arg((box.isEmpty() ? upright : thumb).width())
                    .arg((box.isEmpty() ? upright : thumb).height())
                    .arg(thumb.width())
                    .arg(thumb.height())))
                << orientation;
            // An upright picture at its own size is kept as it is; any other is turned upright, for
            // browsers that ignore the camera's orientation, and says so.
            if (box.isEmpty() && orientation == 1) {
                EXPECT_EQ(ReadAll(f.Picture(name)), ReadAll(f.dir.Path(name)));
            }
            if (box.isEmpty() && orientation != 1) {
                EXPECT_EQ(RunTool("exiftool", {"-s3", "-n", "-Orientation", f.Picture(name)}).trimmed(), "1");
                const Ppm whole = ParsePpm(RunTool("/usr/bin/convert", {f.dir.Path(name), "-auto-orient", "ppm:-"}));
                CImageObject ours;
                ASSERT_TRUE(ours.Load(f.Picture(name)));
                ASSERT_EQ(QSize(ours.GetWidth(), ours.GetHeight()), QSize(whole.width, whole.height));
                EXPECT_LT(MeanDifference(ours, whole), 6) << orientation;
            }
            const Ppm theirs = ParsePpm(RunTool("/usr/bin/convert", {f.dir.Path(name), "-auto-orient", "-filter", "box", "-resize", "24x24",
                                                                     "ppm:-"}));
            const QStringList made = box.isEmpty() ? QStringList{"thumbs/" + name} : QStringList{name, "thumbs/" + name};
            for (const QString& output : made) {
                CImageObject ours;
                ASSERT_TRUE(ours.Load(f.Picture(output))) << output.toStdString();
                ASSERT_EQ(QSize(ours.GetWidth(), ours.GetHeight()), QSize(theirs.width, theirs.height));
                EXPECT_LT(MeanDifference(ours, theirs), 6) << output.toStdString();
            }
        }
    }
    ImageLibrary::SetJpegQuality(quality);
}

TEST(WebPictures, GifPicturesKeepTheirColoursWithinTwoHundredFiftySix) {
    WebSiteFixture f;
    const CImageObject photo = MakeColour(64, 48);
    ASSERT_TRUE(photo.Clone().Save(f.dir.Path("photo.png")));
    f.AddCard(QStringLiteral("photo.png"), ReadAll(f.dir.Path("photo.png")));
    f.web.imageFormat = QStringLiteral("GIF");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    CImageObject gif;
    ASSERT_TRUE(gif.Load(f.Picture("photo.gif")));
    EXPECT_EQ(gif.GetBitsPerPixel(), 8);
    EXPECT_LT(MeanDifference(gif, photo), 8);
    EXPECT_TRUE(gif.Load(f.Picture("thumbs/photo.gif")));
}

TEST(WebPictures, SoundNotesAreCopiedAndPlayedWhenAsked) {
    WebSiteFixture f;
    CFotoObj& card = f.AddCard(QStringLiteral("a.jpg"));
    card.m_strName = QStringLiteral("A");
    f.dir.Write(QStringLiteral("a.wav"), "RIFF note");
    f.AddCard(QStringLiteral("b.jpg"));
    f.web.includeCardDate = f.web.includeDescription = false;
    f.Template(QStringLiteral("index.htm"), "{BEGINITERATESELECTED}{IMAGEDATASELECTED}|{IMAGESELSOUND};{ENDITERATESELECTED}");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_FALSE(f.Written("a.wav"));
    EXPECT_EQ(f.Page("index.htm"), QStringLiteral("<B>A</B><UL></UL>|;<B>b</B><UL></UL>|;\r\n"));

    f.web.includeSound = true;
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(ReadAll(f.Picture("a.wav")), "RIFF note");
    EXPECT_EQ(f.Page("index.htm"), QStringLiteral("<B>A</B><UL></UL><audio controls preload=\"none\" src=\"a.wav\"></audio>"
                                                  "|a.wav;<B>b</B><UL></UL>|;\r\n"));
}

// Cameras name their notes in capitals; the movie and the presentation find them, so the site does.
TEST(WebPictures, ANoteNamedAsCamerasNameItIsOnTheSiteToo) {
    WebSiteFixture f;
    f.AddCard(QStringLiteral("DSCN0001.JPG")).m_strName = QStringLiteral("A");
    f.dir.Write(QStringLiteral("DSCN0001.WAV"), "RIFF note");
    f.web.includeCardDate = f.web.includeDescription = false;
    f.web.includeSound = true;
    f.Template(QStringLiteral("index.htm"), "{BEGINITERATESELECTED}|{IMAGESELSOUND};{ENDITERATESELECTED}");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(ReadAll(f.Picture("DSCN0001.wav")), "RIFF note");
    EXPECT_EQ(f.Page("index.htm"), QStringLiteral("|DSCN0001.wav;\r\n"));
}

TEST(WebPictures, PagesLinkTheirNeighboursAroundTheAlbum) {
    WebSiteFixture f;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) f.AddCard(QString::fromLatin1(name));
    f.Template(QStringLiteral("page{CNT0001}.htm"), "{PREVPAGE}<{IMAGESELPAGE}>{NEXTPAGE} {ITERIMAGE}");
    f.Template(QStringLiteral("view{CNT0001}.htm"), "{PREVPAGE}<{IMAGESELPAGE}>{NEXTPAGE}");
    f.Template(QStringLiteral("index.htm"),
               "{FIRSTPAGE}..{LASTPAGE} {BEGINITERATESELECTED}{IMAGESELPAGE} {ENDITERATESELECTED}|"
               "{BEGINITERATESELECTED}{ITERIMAGE}{ENDITERATESELECTED}");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page("page0001.htm"), QStringLiteral("page0003.htm<page0001.htm>page0002.htm a\r\n"));
    EXPECT_EQ(f.Page("page0003.htm"), QStringLiteral("page0002.htm<page0003.htm>page0001.htm c\r\n"));
    EXPECT_EQ(f.Page("view0002.htm"), QStringLiteral("view0001.htm<view0002.htm>view0003.htm\r\n"));
    EXPECT_EQ(f.Page("index.htm"), QStringLiteral("page0001.htm..page0003.htm page0001.htm page0002.htm page0003.htm |abc\r\n"));
}

namespace {

// The tags exiftool finds in PATH, "Name: value" a line.
QString TagsOf(const QString& path) {
    return QString::fromUtf8(RunTool("exiftool", {"-s", "-s", "-a", "-G0", "-EXIF:all", "-XMP:all", path}));
}

// The bytes from the picture's first scan on: what an edit of the notes never touches.
QByteArray Scans(const QByteArray& jpeg) { return jpeg.mid(jpeg.indexOf("\xFF\xDA")); }

}  // namespace

// A published picture tells no one where it was taken or whose camera it was, unless the user
// keeps that; the rest of its notes and its pixels stay as they were.
TEST(WebPictures, PublishedCopiesLeaveOutLocationAndOwnerUnlessKept) {
    WebSiteFixture f;
    if (!HaveOrientationTools()) GTEST_SKIP() << "needs ImageMagick and exiftool";
    const QStringList oriented = MakeOrientedJpegs(f.dir.Path());
    const QStringList notes = {"-overwrite_original", "-q", "-GPSLatitude=48.8584", "-GPSLatitudeRef=N",
                               "-GPSLongitude=2.2945", "-GPSLongitudeRef=E", "-SerialNumber=SN-12345678",
                               "-OwnerName=Jane Secret", "-Artist=Jane Secret", "-Copyright=Jane Secret 2024",
                               "-Model=TestCam", "-DateTimeOriginal=2024:05:06 07:08:09", "-XMP:City=Paris"};
    for (const char* name : {"o1.jpg", "o6.jpg"}) {
        const QString file = f.dir.Path() + "/" + name;
        ASSERT_FALSE(RunTool("exiftool", notes + QStringList{file}).isNull());
        f.AddCard(QString::fromLatin1(name), ReadAll(file));
    }
    ASSERT_EQ(oriented.size(), 8);
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    for (const char* name : {"o1.jpg", "o6.jpg"}) {
        const QByteArray bytes = ReadAll(f.Picture(name));
        const QString tags = TagsOf(f.Picture(name));
        for (const char* gone : {"GPS", "SerialNumber", "OwnerName", "Artist", "Copyright", "City"})
            EXPECT_FALSE(tags.contains(QLatin1String(gone))) << name << ": " << gone << "\n" << tags.toStdString();
        // Not merely unlinked: the values are gone from the file.
        EXPECT_FALSE(bytes.contains("SN-12345678")) << name;
        EXPECT_FALSE(bytes.contains("Jane Secret")) << name;
        EXPECT_TRUE(tags.contains(QStringLiteral("Model: TestCam"))) << name << "\n" << tags.toStdString();
        EXPECT_TRUE(tags.contains(QStringLiteral("DateTimeOriginal: 2024:05:06 07:08:09"))) << name;
        EXPECT_EQ(RunTool("exiftool", {"-s3", "-n", "-Orientation", f.Picture(name)}).trimmed(), "1") << name;
    }
    EXPECT_EQ(Scans(ReadAll(f.Picture("o1.jpg"))), Scans(ReadAll(f.dir.Path("o1.jpg"))));

    f.web.keepLocationAndOwner = true;
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(ReadAll(f.Picture("o1.jpg")), ReadAll(f.dir.Path("o1.jpg")));
    const QString kept = TagsOf(f.Picture("o6.jpg"));
    for (const char* stays : {"GPSLatitude", "SerialNumber: SN-12345678", "OwnerName: Jane Secret"})
        EXPECT_TRUE(kept.contains(QLatin1String(stays))) << stays << "\n" << kept.toStdString();
}

// Notes whose directory points outside their block cannot be edited safely: they go whole, and
// the picture is still published.
TEST(WebPictures, DamagedCameraNotesAreLeftOutWhole) {
    WebSiteFixture f;
    QByteArray jpeg = SmallPicture(QStringLiteral("jpg"));
    // An EXIF block whose first directory lies far past its end, with a serial number in it.
    const QByteArray tiff = QByteArray("MM\x00\x2A\x7F\xFF\xFF\xF0", 8) + "SN-12345678";
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const QByteArray segment = QByteArray("\xFF\xE1", 2) + char((payload.size() + 2) >> 8) + char((payload.size() + 2) & 0xFF) + payload;
    jpeg.insert(2, segment);
    f.AddCard(QStringLiteral("bad.jpg"), jpeg);
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    const QByteArray published = ReadAll(f.Picture("bad.jpg"));
    EXPECT_FALSE(published.contains("SN-12345678"));
    EXPECT_EQ(published, SmallPicture(QStringLiteral("jpg")));

    // Notes are found wherever they stand before the picture's scan, not only first.
    const QByteArray artist = QByteArray("MM\x00\x2A\x00\x00\x00\x08\x00\x01\x01\x3B\x00\x02\x00\x00\x00\x0C"
                                         "\x00\x00\x00\x1A\x00\x00\x00\x00", 26) + QByteArray("Jane Secret", 12);
    const QByteArray notes = QByteArray("Exif\0\0", 6) + artist;
    QByteArray late = SmallPicture(QStringLiteral("jpg"));
    const qsizetype tables = late.indexOf("\xFF\xDB");
    ASSERT_GT(tables, 0);
    const qsizetype afterTables = tables + 2 + (std::uint8_t(late[tables + 2]) << 8 | std::uint8_t(late[tables + 3]));
    late.insert(afterTables, QByteArray("\xFF\xE1", 2) + char((notes.size() + 2) >> 8) + char((notes.size() + 2) & 0xFF) + notes);
    f.AddCard(QStringLiteral("late.jpg"), late);
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    const QByteArray lateOut = ReadAll(f.Picture("late.jpg"));
    EXPECT_FALSE(lateOut.contains("Jane Secret"));
    EXPECT_TRUE(lateOut.contains("Exif"));
    EXPECT_EQ(lateOut.size(), late.size());
}

// A transparent PNG or GIF made into a JPEG shows the page's background where it was see-through,
// not black nor the colour its transparent index hid.
TEST(WebPictures, TransparentPicturesLieOnThePageBackground) {
    WebSiteFixture f;
    QImage png(16, 16, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) png.setPixel(x, y, qRgba(255, 0, 0, 255));
    ASSERT_TRUE(png.save(f.dir.Path("clear.png")));
    f.AddCard(QStringLiteral("clear.png"), ReadAll(f.dir.Path("clear.png")));
    CImageObject gif = MakeIndexed(16, 16, 2);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) gif.SetPixelIndex(x, y, x < 8 ? 0 : 1);
    ASSERT_TRUE(gif.Save(f.dir.Path("clear.gif")));
    // The library writes GIF87a; a control block before the picture makes index 1 transparent.
    QByteArray transparentGif = ReadAll(f.dir.Path("clear.gif"));
    ASSERT_EQ(transparentGif.at(13 + 768), '\x2C');
    transparentGif.replace(3, 3, "89a");
    transparentGif.insert(13 + 768, QByteArray("\x21\xF9\x04\x01\x00\x00\x01\x00", 8));
    f.AddCard(QStringLiteral("clear.gif"), transparentGif);

    const auto near = [](QRgb pixel, QColor want) {
        return std::abs(qRed(pixel) - want.red()) < 12 && std::abs(qGreen(pixel) - want.green()) < 12 &&
               std::abs(qBlue(pixel) - want.blue()) < 12;
    };
    for (const QColor background : {QColor(Qt::white), QColor(20, 40, 120)}) {
        f.web.pageBackground = background;
        ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
        for (const char* name : {"clear.jpg", "clear-2.jpg", "thumbs/clear.jpg", "thumbs/clear-2.jpg"}) {
            const QImage made(f.Picture(QString::fromLatin1(name)));
            ASSERT_FALSE(made.isNull()) << name;
            EXPECT_TRUE(near(made.pixel(made.width() - 1, made.height() / 2), background))
                << name << " " << std::hex << made.pixel(made.width() - 1, made.height() / 2);
            EXPECT_FALSE(near(made.pixel(0, made.height() / 2), background)) << name;
        }
    }
}
