#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "image/DibHelpers.h"
#include "image/CJpegImage.h"
#include "image/DibFormat.h"
#include "platform/HeadlessUi.h"

#include <QPainter>
#include <QProcess>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(ImageObject, TypeFollowsTheExtensionWhateverItsCase) {
    EXPECT_EQ(ImageTypeFromFileName("a.JPG"), IMAGE_JPEG);
    EXPECT_EQ(ImageTypeFromFileName("dir.x/a.jpeg"), IMAGE_JPEG);
    EXPECT_EQ(ImageTypeFromFileName("a.Dib"), IMAGE_BMP);
    EXPECT_EQ(ImageTypeFromFileName("a.png"), IMAGE_PNG);
    EXPECT_EQ(ImageTypeFromFileName("a.avi"), IMAGE_AVI);
    EXPECT_EQ(ImageTypeFromFileName("a.xpm"), IMAGE_XPM);
    EXPECT_EQ(ImageTypeFromFileName("a."), IMAGE_NONE);
    EXPECT_EQ(ImageTypeFromFileName("a.tiff"), IMAGE_NONE);
    EXPECT_EQ(ImageTypeFromFileName("noextension"), IMAGE_NONE);
    CImageObject image;
    EXPECT_FALSE(image.CreateImplementation("a.xpm", IMAGE_XPM));
    EXPECT_FALSE(image.Load("a.xpm"));
    EXPECT_FALSE(image.IsValid());
}

TEST(ImageObject, CreateLaysOutThePackedDib) {
    CImageObject image;
    ASSERT_TRUE(image.Create(5, 3, 8, -1));
    EXPECT_EQ(image.GetColorType(), 0);
    EXPECT_EQ(image.GetRowBytes(), 8);
    const std::vector<std::uint8_t>& dib = image.GetImplementation()->DibBlock();
    const Dib::InfoHeader header = Dib::InfoHeader::Parse(dib.data());
    EXPECT_EQ(header.size, 40u);
    EXPECT_EQ(header.clrUsed, 256u);
    EXPECT_EQ(header.sizeImage, 24u);
    EXPECT_EQ(dib.size(), 1064u + 24u);
    EXPECT_EQ(image.GetBits(), dib.data() + 40 + 1024);
    // The table repeats the sixteen colours: entry 1 is dark red, entry 17 too.
    EXPECT_EQ(dib[40 + 4 * 1 + 2], 128);
    EXPECT_EQ(dib[40 + 4 * 17 + 2], 128);
    EXPECT_EQ(dib[40 + 4 * 15], 255);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(image.GetPixelIndex(x, y), 0);

    ASSERT_TRUE(image.Create(5, 3, 24, -1));
    EXPECT_EQ(image.GetColorType(), 2);
    EXPECT_EQ(image.GetRowBytes(), 16);
    EXPECT_EQ(image.GetPixelIndex(0, 0), -1);
    EXPECT_FALSE(image.Create(0, 3, 24, -1));
    EXPECT_FALSE(image.Create(100000, 100000, 24, -1));  // above 2^28 pixels
    EXPECT_FALSE(image.IsValid());
}

TEST(ImageObject, PixelAccessFollowsThePaletteRules) {
    CImageObject image;
    image.Create(4, 4, 8, 3);
    EXPECT_FALSE(image.SetPixelColor(0, 0, 1, 2, 3));  // indexed but no palette yet
    const std::uint8_t rgb[] = {0, 0, 0, 250, 10, 10, 10, 250, 10};
    image.SetPaletteFromTriples(3, rgb);
    EXPECT_TRUE(image.SetPixelColor(1, 1, 255, 0, 0));
    EXPECT_EQ(image.GetPixelIndex(1, 1), 1);
    std::uint8_t r, g, b;
    ASSERT_TRUE(image.GetPixelColor(1, 1, r, g, b));
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{250, 10, 10}));
    image.SetPixelIndex(2, 2, 9);  // no such entry
    EXPECT_FALSE(image.GetPixelColor(2, 2, r, g, b));
    EXPECT_FALSE(image.GetPixelColor(4, 0, r, g, b));
    // In index mode the colour table holds the palette's indices as 16-bit numbers.
    const std::uint8_t* table = image.GetImplementation()->DibBlock().data() + 40;
    EXPECT_EQ(Dib::Get16(table + 2), 1);
    EXPECT_EQ(Dib::Get16(table + 4), 2);
}

TEST(ImageObject, PixelsOfOneAndFourBitsAreTheirOwnBits) {
    for (int bpp : {1, 4}) {
        CImageObject image;
        ASSERT_TRUE(image.Create(9, 2, bpp, -1));
        std::vector<std::uint8_t> rgb;
        for (int i = 0; i < (1 << bpp); ++i) rgb.insert(rgb.end(), {std::uint8_t(i * 16), 0, 7});
        image.SetPaletteFromTriples(1 << bpp, rgb.data());
        // High bits first: 0xB4 holds 1,0,1,1,0,1,0,0 at 1 bit and 11,4 at 4 bits.
        std::fill_n(image.GetImplementation()->Row(1), image.GetRowBytes(), std::uint8_t(0xB4));
        EXPECT_EQ(image.GetPixelIndex(0, 1), bpp == 1 ? 1 : 11) << bpp;
        EXPECT_EQ(image.GetPixelIndex(1, 1), bpp == 1 ? 0 : 4) << bpp;
        std::uint8_t r, g, b;
        ASSERT_TRUE(image.GetPixelColor(1, 1, r, g, b));
        EXPECT_EQ(r, bpp == 1 ? 0 : 64);
        // Setting a pixel leaves its neighbours in the same byte alone.
        ASSERT_TRUE(image.SetPixelIndex(1, 0, 1));
        EXPECT_EQ(image.GetPixelIndex(0, 0), 0);
        EXPECT_EQ(image.GetPixelIndex(1, 0), 1);
        EXPECT_EQ(image.GetPixelIndex(2, 0), 0);
        EXPECT_EQ(image.GetImplementation()->Row(0)[0], bpp == 1 ? 0x40 : 0x01);
    }
}

TEST(ImageObject, ASecondPaletteIsReportedAndStillReplacesTheFirst) {
    HeadlessUi ui;
    ImageLibrary::SetUi(&ui);
    CImageObject image;
    image.Create(2, 2, 8, -1);
    const std::uint8_t first[] = {1, 2, 3}, second[] = {4, 5, 6, 7, 8, 9};
    image.SetPaletteFromTriples(1, first);
    image.SetPaletteFromTriples(2, second);
    ImageLibrary::SetUi(nullptr);
    EXPECT_EQ(ui.LastMessage(), QStringLiteral("CImageImpl::imagePalette already exists!"));
    EXPECT_EQ(image.GetPalette()->Count(), 2);
    // From arrays leaves an existing palette alone.
    const std::uint8_t grey[] = {9};
    image.SetPaletteFromArrays(1, grey);
    EXPECT_EQ(image.GetPalette()->Count(), 2);
}

TEST(ImageObject, GreyPaletteSpreadsOverTheRange) {
    CImageObject image;
    image.Create(1, 1, 8, -1);
    image.GetImplementation()->MakeGreyPalette(4);
    const auto& entries = image.GetPalette()->Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[1], (PaletteEntry{64, 64, 64, 0}));
    EXPECT_EQ(entries[3], (PaletteEntry{192, 192, 192, 0}));
    EXPECT_EQ(image.GetColorType() & 3, 3);
}

TEST(ImageObject, SavingUnderAnotherExtensionConvertsAndKeepsThePixels) {
    ScopedTestDir dir;
    CImageObject image = MakeColour(40, 30);
    ASSERT_TRUE(image.Save(dir.Path("a.jpg")));
    CImageObject jpeg(dir.Path("a.jpg"));
    ASSERT_TRUE(jpeg.IsValid());
    EXPECT_EQ(jpeg.Type(), IMAGE_JPEG);
    const CImageObject before = CImageObject(dir.Path("a.jpg"));
    ASSERT_TRUE(jpeg.Save(dir.Path("a.bmp")));
    EXPECT_EQ(jpeg.Type(), IMAGE_BMP);
    EXPECT_TRUE(SameColours(jpeg, before));
    CImageObject bmp(dir.Path("a.bmp"));
    EXPECT_TRUE(SameColours(bmp, before));
    EXPECT_FALSE(jpeg.Save(dir.Path("a.xpm")));  // no writer: the picture stays as it was
    EXPECT_EQ(jpeg.Type(), IMAGE_BMP);
    EXPECT_TRUE(jpeg.IsValid());
}

TEST(ImageObject, BlankLikeCopiesEverythingButThePixels) {
    CImageObject image = MakeIndexed(7, 5, 20);
    const CImageObject blank = CImageObject::BlankLike(image);
    EXPECT_EQ(blank.GetWidth(), 7);
    EXPECT_EQ(blank.GetBitsPerPixel(), 8);
    EXPECT_EQ(*blank.GetPalette(), *image.GetPalette());
    EXPECT_EQ(blank.GetPixelIndex(1, 0), 0);
}

TEST(ImageObject, TransferMovesThePictureAndLeavesTheSourceEmpty) {
    CImageObject source = MakeIndexed(3, 3, 4);
    CJpegImage target;
    target.Transfer(*source.GetImplementation());
    EXPECT_FALSE(source.IsValid());
    EXPECT_EQ(source.GetPalette(), nullptr);
    EXPECT_EQ(target.GetWidth(), 3);
    EXPECT_EQ(target.GetPalette()->Count(), 4);
}

TEST(ImageObject, StretchLeavesTransparentPixelsAndThePictureAlone) {
    CImageObject image = MakeIndexed(4, 4, 4);
    image.GetImplementation()->SetTransparentIndex(0);
    const std::vector<std::uint8_t> before = image.GetImplementation()->DibBlock();
    QImage canvas(8, 8, QImage::Format_RGB32);
    canvas.fill(qRgb(1, 2, 3));
    {
        QPainter painter(&canvas);
        ASSERT_TRUE(image.Stretch(&painter, 0, 0, 8, 8));
    }
    EXPECT_EQ(image.GetImplementation()->DibBlock(), before);
    // Top-left source pixel has index 0: transparent, the canvas shows through; its neighbour not.
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(1, 2, 3));
    const PaletteEntry one = image.GetPalette()->Entries()[1];
    EXPECT_EQ(canvas.pixel(2, 0), qRgb(one.red, one.green, one.blue));
    EXPECT_TRUE(image.Draw(nullptr, 0, 0));
    EXPECT_FALSE(CImageObject().Draw(nullptr, 0, 0));
}

TEST(ImageObject, MakeBitmapShowsThePictureTopRowFirst) {
    CImageObject image = MakeColour(10, 8);
    const QImage bitmap = image.MakeBitmap();
    EXPECT_EQ(bitmap.size(), QSize(10, 8));
    EXPECT_EQ(bitmap.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_NE(bitmap.pixel(0, 7), qRgb(255, 0, 0));
}

TEST(DibHelpers, CountsColoursAndSavesWithErrorCodes) {
    ScopedTestDir dir;
    CImageObject image = MakeIndexed(3, 2, 256);
    const DibHelpers::Block dib = DibHelpers::CopyDib(image.GetImplementation()->DibBlock());
    EXPECT_EQ(DibHelpers::DibNumColors(dib), 256);
    EXPECT_EQ(DibHelpers::PaletteSize(dib), 1024);
    EXPECT_EQ(DibHelpers::SaveDibToFile({}, dir.Path("x.bmp")), DibHelpers::DibNoBlock);
    EXPECT_EQ(DibHelpers::SaveDibToFile(dib, dir.Path("no/such/dir/x.bmp")), DibHelpers::DibCannotCreateFile);
    ASSERT_EQ(DibHelpers::SaveDibToFile(dib, dir.Path("x.bmp")), DibHelpers::DibOk);
    CImageObject back(dir.Path("x.bmp"));
    EXPECT_EQ(back.GetWidth(), 3);
    EXPECT_EQ(back.GetPixelIndex(1, 1), image.GetPixelIndex(1, 1));
    DibHelpers::Block core(12, 0);
    core[0] = 12;
    core[10] = 4;
    EXPECT_EQ(DibHelpers::DibNumColors(core), 16);
    EXPECT_EQ(DibHelpers::PaletteSize(core), 48);
    EXPECT_EQ(DibHelpers::SaveDibToFile(core, dir.Path("core.bmp")), DibHelpers::DibBadHeader);
}

TEST(ImageObject, ReadsOnlyRegularFiles) {
    ScopedTestDir dir;
    // A device, a pipe and a folder, each named like a picture: refused at once, none is read.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.Path("zero.jpg")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.Path("pipe.png")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.Path()).mkdir(QStringLiteral("folder.bmp")));
    for (const char* name : {"zero.jpg", "pipe.png", "folder.bmp"}) {
        auto loading = std::async(std::launch::async, [&] { return CImageObject(dir.Path(name)).IsValid(); });
        if (loading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            // Opening the pipe for writing lets a reader that waits for a writer go on.
            QFile writer(dir.Path(name));
            writer.open(QIODevice::WriteOnly);
            ADD_FAILURE() << name << " was still being read after 10 s";
        }
        EXPECT_FALSE(loading.get()) << name;
    }
    CImageObject picture = MakeColour(6, 4);
    ASSERT_TRUE(picture.Save(dir.Path("real.png")));
    ASSERT_TRUE(QFile::link(dir.Path("real.png"), dir.Path("link.png")));
    EXPECT_TRUE(SameColours(CImageObject(dir.Path("link.png")), picture));
}

TEST(ImageObject, ARefusedPictureSaysWhy) {
    ScopedTestDir dir;
    CImageObject picture = MakeColour(8, 4);
    ASSERT_TRUE(picture.Save(dir.Path("whole.bmp")));
    QByteArray bmp = ReadAll(dir.Path("whole.bmp"));
    dir.Write("cut.bmp", bmp.left(bmp.size() - 20));
    bmp[28] = 2;  // biBitCount
    dir.Write("two.bmp", bmp);
    dir.Write("empty.png", "");
    const struct {
        const char* file;
        const char* reason;
    } refusals[] = {{"two.bmp", "2-bit BMP"}, {"cut.bmp", "truncated file"}, {"empty.png", "not a PNG file"},
                    {"missing.gif", "cannot open the file: No such file or directory"}};
    for (const auto& [file, reason] : refusals) {
        CImageObject image;
        EXPECT_FALSE(image.Load(dir.Path(file)) && image.IsValid()) << file;
        EXPECT_EQ(image.ReadError(), QString::fromLatin1(reason)) << file;
    }
    // A successful read forgets the last reason.
    CImageObject image;
    image.Load(dir.Path("two.bmp"));
    ASSERT_TRUE(image.Load(dir.Path("whole.bmp")));
    EXPECT_TRUE(image.ReadError().isEmpty());

    // The batch program names the reason beside its message.
    QProcess cli;
    cli.start(QStringLiteral(ALBORA_CLI_PATH), {"image", "info", dir.Path("two.bmp")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_NE(cli.exitCode(), 0);
    EXPECT_TRUE(cli.readAllStandardError().contains(
        QStringLiteral("Can't read the picture %1 (2-bit BMP)!").arg(dir.Path("two.bmp")).toUtf8()));
}
