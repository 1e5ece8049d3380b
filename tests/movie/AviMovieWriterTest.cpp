#include "MovieFrames.h"
#include "RiffReader.h"

#include "TestFiles.h"
#include "image/CAviFrameImage.h"
#include "image/ImageTestSupport.h"
#include "movie/AviMovieWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

// What ffprobe says of the video stream of FILE.
QJsonObject Probe(const QString& file) {
    const QByteArray json = RunTool("ffprobe", {"-v", "error", "-count_packets", "-show_streams", "-of", "json", file});
    const QJsonArray streams = QJsonDocument::fromJson(json).object().value("streams").toArray();
    return streams.isEmpty() ? QJsonObject() : streams.first().toObject();
}

}  // namespace

TEST(AviMovieWriter, EachPictureStandsTenPeriodsOfFifteenASecond) {
    ScopedTestDir dir;
    const QString movie = dir.Path("movie.avi");
    {
        AviMovieWriter writer(movie);
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(writer.AddFrame(MakeColour(321, 240)));
        ASSERT_TRUE(writer.Finish());
        EXPECT_EQ(writer.frameCount, 3);
    }
    const RiffChunk riff = ReadRiff(ReadAll(movie));
    ASSERT_EQ(riff.children.size(), 1u);
    EXPECT_EQ(riff.children[0].type, QStringLiteral("AVI "));
    const RiffChunk* avih = riff.Find("avih");
    const RiffChunk* strh = riff.Find("strh");
    const RiffChunk* strf = riff.Find("strf");
    const RiffChunk* idx1 = riff.Find("idx1");
    ASSERT_TRUE(avih && strh && strf && idx1);
    EXPECT_EQ(avih->U32(16), 30u);                   // frames
    EXPECT_EQ(strh->data.left(4), "vids");
    EXPECT_EQ(strh->U32(20), 1u);                    // scale
    EXPECT_EQ(strh->U32(24), 15u);                   // rate
    EXPECT_EQ(strh->U32(32), 30u);                   // length: the last picture lasts its ten periods too
    EXPECT_EQ(strf->U32(4), 321u);
    EXPECT_EQ(strf->U16(14), 24u);
    EXPECT_EQ(strf->U32(20), 964u * 240);            // rows padded to four bytes
    ASSERT_EQ(idx1->data.size(), 30 * 16);
    for (int entry = 0; entry < 30; ++entry) {
        const bool picture = entry % 10 == 0;
        EXPECT_EQ(idx1->U32(entry * 16 + 4), picture ? 0x10u : 0u) << entry;
        EXPECT_EQ(idx1->U32(entry * 16 + 12), picture ? 964u * 240 : 0u) << entry;
    }
    EXPECT_EQ(riff.Count("00db"), 30);

    if (!HaveFfmpeg()) GTEST_SKIP() << "needs ffmpeg";
    const QJsonObject stream = Probe(movie);
    EXPECT_EQ(stream.value("codec_name").toString(), "rawvideo");
    EXPECT_EQ(stream.value("width").toInt(), 321);
    EXPECT_EQ(stream.value("r_frame_rate").toString(), "15/1");
    EXPECT_DOUBLE_EQ(stream.value("duration").toString().toDouble(), 2.0);
    const Ppm first = FrameOf(movie, 0);
    ASSERT_EQ(first.width, 321);
    EXPECT_LT(MeanDifference(MakeColour(321, 240), first), 0.01);
}

TEST(AviMovieWriter, PicturesOfAnotherFormatAreRefusedAndTheMovieGoesOn) {
    ScopedTestDir dir;
    AviMovieWriter writer(dir.Path("movie.avi"));
    ASSERT_TRUE(writer.AddFrame(MakeColour(64, 48)));
    EXPECT_FALSE(writer.AddFrame(MakeColour(64, 50)));
    EXPECT_FALSE(writer.AddFrame(MakeIndexed(64, 48)));
    EXPECT_TRUE(writer.usable);
    EXPECT_TRUE(writer.AddFrame(MakeColour(64, 48)));
    ASSERT_TRUE(writer.Finish());
    EXPECT_EQ(writer.frameCount, 2);

    // Palette pictures keep their palette, in its colours, and another palette is another format.
    AviMovieWriter paletted(dir.Path("paletted.avi"));
    ASSERT_TRUE(paletted.AddFrame(MakeIndexed(33, 20, 16)));
    EXPECT_FALSE(paletted.AddFrame(MakeIndexed(33, 20, 17)));
    ASSERT_TRUE(paletted.Finish());
    EXPECT_EQ(ReadRiff(ReadAll(dir.Path("paletted.avi"))).Find("strf")->data.size(),
              40 + 4 * MakeIndexed(33, 20, 16).GetImplementation()->TableEntries());
    CImageObject ours;
    ASSERT_TRUE(ours.Load(dir.Path("paletted.avi"), IMAGE_AVI));
    EXPECT_TRUE(SameColours(ours, MakeIndexed(33, 20, 16)));
    if (HaveFfmpeg()) {
        EXPECT_GE(Psnr(MakeIndexed(33, 20, 16), FrameOf(dir.Path("paletted.avi"), 0)), 30);
    }
}

// A movie is put in place only when it is whole: the older file stays until then.
TEST(AviMovieWriter, AnUnfinishedMovieLeavesTheOlderFile) {
    ScopedTestDir dir;
    dir.Write("movie.avi", "older");
    {
        AviMovieWriter writer(dir.Path("movie.avi"));
        ASSERT_TRUE(writer.AddFrame(MakeColour(16, 16)));
    }
    EXPECT_EQ(ReadAll(dir.Path("movie.avi")), "older");
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files).size(), 1);
    AviMovieWriter nothing(dir.Path("movie.avi"));
    EXPECT_FALSE(nothing.Finish());
    EXPECT_EQ(ReadAll(dir.Path("movie.avi")), "older");
    AviMovieWriter nowhere(dir.Path("no/such/folder/movie.avi"));
    EXPECT_FALSE(nowhere.AddFrame(MakeColour(16, 16)));
    EXPECT_FALSE(nowhere.usable);
    EXPECT_FALSE(nowhere.ErrorString().isEmpty());
}

TEST(AviMovieWriter, LongMoviesGoOnInOpenDmlParts) {
    ScopedTestDir dir;
    const QString movie = dir.Path("long.avi");
    AviMovieWriter::Options options;
    options.riffLimit = 300 * 1024;  // a part holds one 320x240 picture
    AviMovieWriter writer(movie, options);
    for (int i = 0; i < 6; ++i) {
        CImageObject picture = MakeColour(320, 240);
        for (int x = 0; x < 40; ++x) picture.SetPixelColor(x + 40 * i, 100, 0, 255, 0);  // tell them apart
        ASSERT_TRUE(writer.AddFrame(picture));
    }
    ASSERT_TRUE(writer.Finish());
    const RiffChunk riff = ReadRiff(ReadAll(movie));
    ASSERT_GE(riff.children.size(), 3u);
    for (const RiffChunk& part : riff.children) EXPECT_LE(part.data.size() + qsizetype(8), options.riffLimit);
    EXPECT_EQ(riff.children[1].type, QStringLiteral("AVIX"));
    EXPECT_TRUE(riff.Find("indx") && riff.Find("dmlh"));
    EXPECT_EQ(riff.Find("dmlh")->U32(0), 60u);
    EXPECT_EQ(riff.Count("ix00"), int(riff.children.size()));

    // Our own reader takes the first picture of it.
    CImageObject first;
    ASSERT_TRUE(first.Load(movie, IMAGE_AVI));
    EXPECT_EQ(first.GetWidth(), 320);

    if (!HaveFfmpeg()) GTEST_SKIP() << "needs ffmpeg";
    EXPECT_DOUBLE_EQ(Probe(movie).value("duration").toString().toDouble(), 4.0);
    const Ppm last = FrameOf(movie, 50);
    ASSERT_EQ(last.width, 320);
    EXPECT_EQ(last.At(5 * 40 + 1, 239 - 100), (Rgb{0, 255, 0}));
}
