// Palettes made from camera frames, pictures mapped to them, and palette files as Windows writes
// them.
#include "ImageTestSupport.h"

#include "image/ColourReduction.h"
#include "image/PaletteFile.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

CImageObject Filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    CImageObject image;
    image.Create(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.SetPixelColor(x, y, r, g, b);
    return image;
}

bool Holds(const ImagePalette& palette, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    for (const PaletteEntry& e : palette.Entries())
        if (std::abs(e.red - r) <= 4 && std::abs(e.green - g) <= 4 && std::abs(e.blue - b) <= 4) return true;
    return false;
}

}  // namespace

TEST(Palette, AMedianCutOverSeveralFramesHoldsTheColoursOfEach) {
    ColourReduction::PaletteCounter frames;
    frames.Add(Filled(8, 8, 200, 10, 10));
    frames.Add(Filled(8, 8, 10, 10, 200));
    frames.Add(CImageObject());  // a frame that never came
    const ImagePalette palette = frames.MedianCut(16);
    EXPECT_LE(palette.Count(), 16);
    EXPECT_TRUE(Holds(palette, 200, 10, 10));
    EXPECT_TRUE(Holds(palette, 10, 10, 200));
    // A photograph's gradients ask for more colours than are allowed: the count is kept to.
    ColourReduction::PaletteCounter photo;
    photo.Add(MakeColour(64, 64));
    EXPECT_EQ(photo.MedianCut(5).Count(), 5);
    EXPECT_EQ(ColourReduction::PaletteCounter().MedianCut(256).Count(), 0);  // nothing seen, no colours
}

TEST(Palette, MappingAPictureUsesOnlyThePalettesColours) {
    const ImagePalette palette({{255, 0, 0, 0}, {0, 0, 255, 0}});
    CImageObject picture = Filled(4, 2, 250, 5, 5);
    picture.SetPixelColor(3, 1, 5, 5, 240);  // rows count from the bottom: the top row
    const CImageObject mapped = ColourReduction::MapToPalette(picture, palette);
    ASSERT_EQ(mapped.GetBitsPerPixel(), 8);
    const Rgb red = TopDownPixel(mapped, 0, 0);
    const Rgb blue = TopDownPixel(mapped, 3, 0);
    EXPECT_EQ(std::tie(red.r, red.g, red.b), std::make_tuple(255, 0, 0));
    EXPECT_EQ(std::tie(blue.r, blue.g, blue.b), std::make_tuple(0, 0, 255));
    EXPECT_TRUE(SameColours(ColourReduction::MapToPalette(picture, ImagePalette()), picture));
}

TEST(PaletteFile, APaletteWritesAsARiffFormAndReadsBack) {
    const ImagePalette palette({{1, 2, 3, 0}, {250, 251, 252, 4}});
    const QByteArray bytes = PaletteFile::Bytes(palette);
    ASSERT_EQ(bytes.size(), 24 + 8);
    EXPECT_EQ(bytes.left(4), "RIFF");
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(bytes.size() - 8));
    EXPECT_EQ(bytes.mid(8, 8), "PAL data");
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 20), 0x300);
    EXPECT_EQ(PaletteFile::Parse(bytes), palette);
}

TEST(PaletteFile, DamagedFilesAreRefusedWithAReason) {
    const QByteArray good = PaletteFile::Bytes(ImagePalette({{1, 2, 3, 0}, {4, 5, 6, 0}}));
    QString reason;
    EXPECT_FALSE(PaletteFile::Parse(QByteArray("RIFF\0\0\0\0WAVE", 12), &reason));
    EXPECT_EQ(reason, "not a palette file");
    EXPECT_FALSE(PaletteFile::Parse(good.left(28), &reason));
    EXPECT_EQ(reason, "the palette file is cut short");
    QByteArray tooMany = good;
    qToLittleEndian<quint16>(300, tooMany.data() + 22);
    EXPECT_FALSE(PaletteFile::Parse(tooMany, &reason));
    EXPECT_EQ(reason, "the palette's colour count is wrong");
    QByteArray otherVersion = good;
    otherVersion[21] = 2;
    EXPECT_FALSE(PaletteFile::Parse(otherVersion, &reason));
    // A chunk of another kind before the palette is stepped over, within the form's size.
    QByteArray withList = good.left(12) + QByteArray("LIST\3\0\0\0abc\0", 12) + good.mid(12);
    qToLittleEndian<quint32>(4, withList.data() + 4);
    EXPECT_FALSE(PaletteFile::Parse(withList));
    qToLittleEndian<quint32>(quint32(withList.size() - 8), withList.data() + 4);
    EXPECT_TRUE(PaletteFile::Parse(withList));
}
