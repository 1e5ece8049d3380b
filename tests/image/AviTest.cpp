#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "image/CBmpImage.h"
#include "image/CJpegImage.h"
#include "image/DibFormat.h"
#include "image/ImageInfo.h"

#include <QFile>

#include <algorithm>
#include <gtest/gtest.h>

namespace {

QByteArray Chunk(const char* id, const QByteArray& body) {
    QByteArray out(id, 4);
    QByteArray size(4, '\0');
    Dib::Put32(reinterpret_cast<std::uint8_t*>(size.data()), std::uint32_t(body.size()));
    out += size + body;
    if (body.size() & 1) out.append('\0');
    return out;
}

QByteArray List(const char* type, const QByteArray& body) { return Chunk("LIST", QByteArray(type, 4) + body); }

// An AVI with an audio stream first and a video stream second (stream 01), whose "movi" list
// holds MOVI.
QByteArray MakeAviOf(const QByteArray& format, const QByteArray& movi) {
    const QByteArray audio = List("strl", Chunk("strh", QByteArray("auds") + QByteArray(52, '\0')) +
                                              Chunk("strf", QByteArray(18, '\0')));
    const QByteArray video = List("strl", Chunk("strh", QByteArray("vids") + QByteArray(52, '\0')) +
                                              Chunk("strf", format));
    const QByteArray hdrl = List("hdrl", Chunk("avih", QByteArray(56, '\0')) + audio + video);
    return Chunk("RIFF", QByteArray("AVI ") + hdrl + List("movi", movi));
}

QByteArray MakeAvi(const QByteArray& format, const QByteArray& frame, const char* frameId = "01dc") {
    return MakeAviOf(format, Chunk("00wb", "sound") + Chunk(frameId, {}) + List("rec ", Chunk(frameId, frame)));
}

// CHUNK inside DEPTH "rec " lists, each the only content of the one around it.
QByteArray NestedInRecLists(int depth, const QByteArray& chunk) {
    QByteArray out(qsizetype(depth) * 12, '\0');
    for (int level = 0; level < depth; ++level) {
        auto* at = reinterpret_cast<std::uint8_t*>(out.data()) + std::size_t(level) * 12;
        std::copy_n("LIST", 4, at);
        Dib::Put32(at + 4, std::uint32_t(out.size() - level * 12 - 8 + chunk.size()));
        std::copy_n("rec ", 4, at + 8);
    }
    return out + chunk;
}

// The header and colour table of a frame of IMAGE, as a stream format.
QByteArray FormatOf(const CImageObject& image) {
    const QByteArray bmp = CBmpImage::Encode(*image.GetImplementation());
    return bmp.mid(14, Dib::Get32(reinterpret_cast<const std::uint8_t*>(bmp.constData()) + 10) - 14);
}

QByteArray PixelsOf(const CImageObject& image) {
    return QByteArray(reinterpret_cast<const char*>(image.GetBits()),
                      image.GetRowBytes() * image.GetHeight());
}

}  // namespace

TEST(Avi, ReadsTheFirstUncompressedFrameWithItsPalette) {
    ScopedTestDir dir;
    CImageObject sources[] = {MakeIndexed(10, 6, 50), MakeColour(9, 7)};
    for (const CImageObject& source : sources) {
        dir.Write("a.avi", MakeAvi(FormatOf(source), PixelsOf(source)));
        const CImageObject frame(dir.Path("a.avi"));
        ASSERT_TRUE(frame.IsValid());
        EXPECT_EQ(frame.Type(), IMAGE_AVI);
        EXPECT_EQ(frame.GetBitsPerPixel(), source.GetBitsPerPixel());
        EXPECT_TRUE(SameColours(frame, source));
    }
}

TEST(Avi, ReadsMotionJpegFramesEvenWithoutHuffmanTables) {
    ScopedTestDir dir;
    CImageObject source = MakeColour(32, 24);
    const QByteArray jpeg = CJpegImage::Encode(*source.GetImplementation(), 90);
    QByteArray format(40, '\0');
    Dib::InfoHeader h;
    h.width = 32;
    h.height = 24;
    h.bitCount = 24;
    h.compression = 0x47504A4D;  // "MJPG"
    h.Store(reinterpret_cast<std::uint8_t*>(format.data()));
    dir.Write("m.avi", MakeAvi(format, jpeg, "01db"));
    const CImageObject frame(dir.Path("m.avi"));
    ASSERT_TRUE(frame.IsValid());
    EXPECT_LT(MeanDifference(frame, source), 4.0);

    // Camera frames often leave out the standard tables (the DHT segment).
    QByteArray stripped = jpeg;
    const qsizetype dht = stripped.indexOf(Hex("FFC4"));
    ASSERT_GT(dht, 0);
    const int length = (std::uint8_t(stripped[dht + 2]) << 8) | std::uint8_t(stripped[dht + 3]);
    stripped.remove(dht, length + 2);
    while (stripped.indexOf(Hex("FFC4")) > 0) {
        const qsizetype at = stripped.indexOf(Hex("FFC4"));
        stripped.remove(at, ((std::uint8_t(stripped[at + 2]) << 8) | std::uint8_t(stripped[at + 3])) + 2);
    }
    dir.Write("s.avi", MakeAvi(format, stripped, "01db"));
    const CImageObject bare(dir.Path("s.avi"));
    ASSERT_TRUE(bare.IsValid());
    EXPECT_TRUE(SameColours(bare, frame));
}

TEST(Avi, MoviesLargerThanAnyPictureAreReadByTheirHeadersAndFirstFrame) {
    ScopedTestDir dir;
    CImageObject source = MakeColour(9, 7);
    QByteArray avi = MakeAvi(FormatOf(source), PixelsOf(source));
    // Five gigabytes of movie after the first frame: the RIFF size wraps at 32 bits, the file
    // holds a hole.
    const qint64 movieBytes = qint64(5) << 30;
    Dib::Put32(reinterpret_cast<std::uint8_t*>(avi.data()) + 4, std::uint32_t(movieBytes - 8));
    dir.Write("big.avi", avi);
    ASSERT_TRUE(QFile::resize(dir.Path("big.avi"), movieBytes));
    const CImageObject frame(dir.Path("big.avi"));
    ASSERT_TRUE(frame.IsValid()) << frame.ReadError().toStdString();
    EXPECT_TRUE(SameColours(frame, source));
    QString reason;
    const auto info = ReadImageInfo(dir.Path("big.avi"), -1, &reason);
    ASSERT_TRUE(info) << reason.toStdString();
    EXPECT_EQ(info->width, 9);
    EXPECT_EQ(info->height, 7);
}

TEST(Avi, AForgedFrameSizeAllocatesNothing) {
    ScopedTestDir dir;
    QByteArray format(40, '\0');
    Dib::InfoHeader h;
    h.width = 1 << 20;
    h.height = 1 << 20;
    h.bitCount = 24;
    h.Store(reinterpret_cast<std::uint8_t*>(format.data()));
    dir.Write("forged.avi", MakeAvi(format, QByteArray(64, 'x')));
    CImageObject frame;
    EXPECT_FALSE(frame.Load(dir.Path("forged.avi")));
    EXPECT_TRUE(frame.ReadError().contains(QStringLiteral("limit"))) << frame.ReadError().toStdString();
}

TEST(Avi, DamagedFilesFailAndNothingIsWritten) {
    ScopedTestDir dir;
    CImageObject source = MakeColour(8, 8);
    const QByteArray good = MakeAvi(FormatOf(source), PixelsOf(source));
    for (int cut : {0, 12, 40, 200, int(good.size()) - 10}) {
        dir.Write("c.avi", good.left(cut));
        CImageObject frame;
        EXPECT_FALSE(frame.Load(dir.Path("c.avi"))) << cut;
    }
    CImageObject frame(dir.Path("c.avi"));
    EXPECT_FALSE(frame.Save(dir.Path("out.avi")));
}

TEST(Avi, ListsNestedDeeperThanAnyWriterMakesAreRefusedWithoutRecursion) {
    ScopedTestDir dir;
    CImageObject source = MakeColour(6, 4);
    const QByteArray frame = Chunk("01dc", PixelsOf(source));
    dir.Write("three.avi", MakeAviOf(FormatOf(source), NestedInRecLists(3, frame)));
    EXPECT_TRUE(SameColours(CImageObject(dir.Path("three.avi")), source));
    // Each level once took a frame of the reader's stack.
    dir.Write("deep.avi", MakeAviOf(FormatOf(source), NestedInRecLists(200000, frame)));
    CImageObject deep;
    EXPECT_FALSE(deep.Load(dir.Path("deep.avi")));
    EXPECT_EQ(deep.ReadError(), QStringLiteral("lists nested too deep in AVI"));
}

TEST(Avi, CompressedVideoItCannotDecodeIsNamed) {
    ScopedTestDir dir;
    QByteArray format(40, '\0');
    Dib::InfoHeader h;
    h.width = 32;
    h.height = 24;
    h.bitCount = 24;
    for (const auto& [codec, reason] : {std::pair("XVID", "MPEG-4 video in AVI"), std::pair("avc1", "H.264 video in AVI"),
                                        std::pair("cvid", "\"cvid\" video in AVI")}) {
        h.compression = Dib::Get32(reinterpret_cast<const std::uint8_t*>(codec));
        h.Store(reinterpret_cast<std::uint8_t*>(format.data()));
        dir.Write("v.avi", MakeAvi(format, QByteArray(100, 'x'), "01dc"));
        CImageObject frame;
        EXPECT_FALSE(frame.Load(dir.Path("v.avi")));
        EXPECT_EQ(frame.ReadError(), QString::fromLatin1(reason));
    }
}
