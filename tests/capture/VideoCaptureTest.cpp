// Video capture on GStreamer's test sources: grabbed frames against GStreamer's own picture of
// the same source, recorded sequences read back by ffprobe, and albora-cli capture video.
#include "TestFiles.h"

#include "capture/video/SequenceRecorder.h"
#include "capture/video/VideoCapture.h"
#include "capture/video/VideoModes.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QThread>

namespace {

const QString kSmpte = QStringLiteral("videotestsrc is-live=true pattern=smpte");

// What ffprobe makes of a file: its streams and its tags.
QJsonObject Probe(const QString& path) {
    const ProgramRun run = RunProgram(QStringLiteral("ffprobe"), {"-v", "error", "-print_format", "json", "-show_streams",
                                                                  "-show_format", path});
    return QJsonDocument::fromJson(run.out).object();
}

TEST(VideoCapture, TheNewestFrameIsGStreamersOwnPictureOfTheSource) {
    ScopedTestDir dir;
    VideoCapture camera;
    QString error;
    ASSERT_TRUE(camera.Connect(kSmpte, {QSize(320, 240), 0, {}}, &error)) << error.toStdString();
    const QImage grabbed = camera.NewestFrame().MakeBitmap().convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(camera.FrameSize(), QSize(320, 240));
    camera.Disconnect();
    EXPECT_TRUE(camera.NewestFrame(0).MakeBitmap().isNull());

    ASSERT_EQ(RunProgram("gst-launch-1.0", {"-q", "videotestsrc", "num-buffers=1", "pattern=smpte", "!",
                                            "video/x-raw,width=320,height=240", "!", "videoconvert", "!",
                                            "video/x-raw,format=BGR", "!", "videoconvert", "!", "pngenc", "!",
                                            "filesink", "location=" + dir.Path("smpte.png")})
                  .code,
              0);
    const QImage expected = QImage(dir.Path("smpte.png")).convertToFormat(QImage::Format_RGB888);
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(grabbed, expected);
}

TEST(VideoCapture, ASourceThatCannotStartSaysWhy) {
    VideoCapture camera;
    QString error;
    EXPECT_FALSE(camera.Connect(QStringLiteral("v4l2src device=/dev/no-such-camera"), {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(camera.Connect(QStringLiteral("no-such-element"), {}, &error));
    EXPECT_FALSE(camera.IsConnected());
}

// A camera unplugged or a stream closed: its last frame is no new one, and it says why.
TEST(VideoCapture, ASourceThatEndsSendsNoNewFrameAndSaysSo) {
    VideoCapture camera;
    QString error;
    ASSERT_TRUE(camera.Connect(QStringLiteral("videotestsrc is-live=true num-buffers=3"), {QSize(64, 48), 0, {}}, &error))
        << error.toStdString();
    quint64 number = 0;
    ASSERT_TRUE(camera.NewFrame(number, 5000).IsValid());
    EXPECT_GT(number, 0u);
    QString why;
    EXPECT_TRUE(WaitFor([&] { return !(why = camera.PendingError()).isEmpty(); }));
    EXPECT_EQ(why, "the source stopped sending pictures");
    EXPECT_TRUE(camera.PendingError().isEmpty());  // said once
    const quint64 last = number;
    while (camera.NewFrame(number, 0).IsValid()) {}  // the frames that came before the end
    EXPECT_LE(number - last, 2u);
    EXPECT_FALSE(camera.NewFrame(number, 2000).IsValid());
    EXPECT_TRUE(camera.NewestFrame().IsValid());  // still there for whoever wants the last one

    // Connected again, it numbers on from where it was: a tick's number never sees old frames anew.
    ASSERT_TRUE(camera.Connect(kSmpte, {QSize(64, 48), 0, {}}));
    const quint64 before = number;
    EXPECT_TRUE(camera.NewFrame(number, 5000).IsValid());
    EXPECT_GT(number, before);
}

// A camera that sends only one format offers exactly it; a test source's ranges are offered at
// the usual sizes and rates.
TEST(VideoCapture, TheFormatsOfferedAreTheSourcesOwn) {
    QString error;
    const std::vector<VideoFormat> fixed =
        SourceModes(QStringLiteral("videotestsrc ! video/x-raw,format=YUY2,width=352,height=288,framerate=25/1"), &error);
    ASSERT_EQ(fixed.size(), 1u) << error.toStdString();
    EXPECT_EQ(fixed[0].size, QSize(352, 288));
    EXPECT_EQ(fixed[0].framesPerSecond, 25);
    EXPECT_EQ(EncodingName(fixed[0].encoding), "YUY2");

    const std::vector<VideoFormat> ranged = SourceModes(kSmpte);
    const auto offers = [&](const QString& name, QSize size, double rate) {
        return std::any_of(ranged.begin(), ranged.end(), [&](const VideoFormat& m) {
            return EncodingName(m.encoding) == name && m.size == size && m.framesPerSecond == rate;
        });
    };
    EXPECT_TRUE(offers("YUY2", QSize(640, 480), 30));
    EXPECT_TRUE(offers("I420", QSize(320, 240), 15));
    EXPECT_TRUE(SourceModes(QStringLiteral("no-such-element"), &error).empty());
    EXPECT_FALSE(error.isEmpty());
}

TEST(VideoCapture, AChosenFormatIsWhatTheCameraSendsAndTheControlsChangeThePicture) {
    VideoCapture camera;
    QString error;
    ASSERT_TRUE(camera.Connect(QStringLiteral("videotestsrc is-live=true pattern=white"),
                               {QSize(176, 144), 15, QStringLiteral("video/x-raw,format=I420")}, &error))
        << error.toStdString();
    EXPECT_EQ(camera.NewestFrame().MakeBitmap().size(), QSize(176, 144));
    const std::vector<BalanceChannel> channels = camera.Balance();
    const auto brightness = std::find_if(channels.begin(), channels.end(), [](const BalanceChannel& c) { return c.label == "brightness"; });
    ASSERT_NE(brightness, channels.end());
    camera.SetBalance("brightness", brightness->minimum);
    const auto darkened = [&] { return qGray(camera.NewestFrame().MakeBitmap().pixel(80, 70)) < 64; };
    for (int i = 0; i < 50 && !darkened(); ++i) QThread::msleep(20);
    EXPECT_TRUE(darkened());
    EXPECT_EQ(camera.Balance()[std::size_t(brightness - channels.begin())].value, brightness->minimum);
    // A format the camera cannot send is refused.
    EXPECT_FALSE(camera.Connect(kSmpte, {QSize(100, 100), 0, QStringLiteral("video/x-raw,format=NOPE")}));
}

TEST(SequenceRecorder, AnMjpegSequenceWithSoundAndItsCopyrightIsAWholeAvi) {
    ScopedTestDir dir;
    SequenceSettings settings;
    settings.format = {QSize(160, 120), 15, {}};
    settings.audio = true;
    settings.audioSource = QStringLiteral("audiotestsrc is-live=true");
    settings.copyright = QStringLiteral("Albora");
    SequenceRecorder recorder;
    const QString path = dir.Path("with blank.avi");
    QString error;
    ASSERT_TRUE(recorder.Start(kSmpte, settings, path, &error)) << error.toStdString();
    QThread::msleep(1200);
    ASSERT_TRUE(recorder.Stop(&error)) << error.toStdString();
    EXPECT_GE(recorder.Frames(), 10);

    const QJsonObject probe = Probe(path);
    const QJsonArray streams = probe["streams"].toArray();
    ASSERT_EQ(streams.size(), 2);
    EXPECT_EQ(streams[0]["codec_name"].toString(), "mjpeg");
    EXPECT_EQ(streams[0]["width"].toInt(), 160);
    EXPECT_EQ(streams[0]["r_frame_rate"].toString(), "15/1");
    EXPECT_EQ(streams[1]["codec_name"].toString(), "pcm_s16le");
    EXPECT_EQ(streams[1]["sample_rate"].toString(), "11025");
    EXPECT_EQ(probe["format"]["tags"]["copyright"].toString(), "Albora");  // the ICOP entry
    EXPECT_NE(ReadAll(path).indexOf("ICOP"), -1);
}

TEST(SequenceRecorder, UncompressedFramesAreKeptAsTheyCame) {
    ScopedTestDir dir;
    SequenceSettings settings;
    settings.format = {QSize(64, 48), 10, {}};
    settings.mjpeg = false;
    SequenceRecorder recorder;
    ASSERT_TRUE(recorder.Start(kSmpte, settings, dir.Path("raw.avi")));
    QThread::msleep(500);
    ASSERT_TRUE(recorder.Stop());
    const QJsonArray streams = Probe(dir.Path("raw.avi"))["streams"].toArray();
    ASSERT_EQ(streams.size(), 1);
    EXPECT_EQ(streams[0]["codec_name"].toString(), "rawvideo");
    EXPECT_EQ(streams[0]["height"].toInt(), 48);
}

class VideoCli : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("ALBORA_VIDEO_SOURCE", kSmpte.toUtf8());
        qputenv("ALBORA_AUDIO_SOURCE", "audiotestsrc is-live=true");
        ASSERT_EQ(Cli({"album", "new", "a.crp"}).code, 0);
    }
    void TearDown() override {
        qunsetenv("ALBORA_VIDEO_SOURCE");
        qunsetenv("ALBORA_AUDIO_SOURCE");
    }
    ScopedTestDir dir;
};

TEST_F(VideoCli, AFrameAndASequenceBecomeCardsNamedAsTheProgramNamesThem) {
    ProgramRun run = Cli({"capture", "video", "a.crp", "--frame", "--size", "320x240", "--jpg"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    run = Cli({"capture", "video", "a.crp", "--sequence", "1", "--size", "160x120", "--fps", "15", "--audio"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(CliCardNames("a.crp"), (QStringList{"IMG_0000.avi", "IMG_0000.jpg"}));
    EXPECT_EQ(QImage(dir.Path("IMG_0000.jpg")).size(), QSize(320, 240));
    EXPECT_EQ(Probe(dir.Path("IMG_0000.avi"))["streams"].toArray().size(), 2);
    EXPECT_FALSE(QFile::exists(dir.Path("~IMG_0000.avi")));
}

// A source that ends at 2 s of the 4 asked: what was recorded is kept, and said to be short.
TEST_F(VideoCli, ASequenceCutShortByItsSourceIsKeptAndSaidShort) {
    qputenv("ALBORA_VIDEO_SOURCE", "videotestsrc is-live=true num-buffers=60 ! video/x-raw,framerate=30/1");  // 2 s
    const ProgramRun run = Cli({"capture", "video", "a.crp", "--sequence", "4", "--size", "160x120"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QRegularExpression("The source ended after (1\\.9|2\\.0|2\\.1) s of the 4 s asked")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("IMG_0000.avi")) << run.err.toStdString();
    EXPECT_EQ(CliCardNames("a.crp"), QStringList(QStringLiteral("IMG_0000.avi")));
    EXPECT_NEAR(Probe(dir.Path("IMG_0000.avi"))["format"].toObject()["duration"].toString().toDouble(), 2.0, 0.2);
}

TEST_F(VideoCli, NoDeviceABrokenOneOrAFullDiskGiveNoCard) {
    ProgramRun run = Cli({"capture", "video", "a.crp", "--frame", "--device", "5"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("no capture driver 5")) << run.err.toStdString();
    qputenv("ALBORA_VIDEO_SOURCE", "v4l2src device=/dev/no-such-camera");
    run = Cli({"capture", "video", "a.crp", "--sequence", "1"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("cannot start")) << run.err.toStdString();
    EXPECT_EQ(Cli({"capture", "video", "a.crp", "--frame", "--fps", "0"}).code, 2);
    EXPECT_TRUE(CliCardNames("a.crp").isEmpty());

    qputenv("ALBORA_VIDEO_SOURCE", kSmpte.toUtf8());
    QTemporaryDir result;
    const auto full = RunOnFullDisk(dir.Path(), result.path(), ALBORA_CLI_PATH,
                                    {"capture", "video", "a.crp", "--sequence", "2", "--size", "640x480"});
    if (!full) GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(full->code, 1);
    EXPECT_TRUE(full->err.contains("could not be recorded")) << full->err.toStdString();
    EXPECT_TRUE(QDir(result.path()).entryList({"*.avi"}, QDir::Files).isEmpty());
    EXPECT_TRUE(CliCardNames(result.path() + "/a.crp").isEmpty());
}

}  // namespace
