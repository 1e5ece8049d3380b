// avimpg run as the album program runs it, its MPEG files read back with ffprobe and ffmpeg.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>

#include "AvimpgTestSupport.h"

namespace {

const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};

double Seconds(const QJsonValue& value) { return value.toString().toDouble(); }
int Count(const QJsonObject& stream) { return stream["nb_read_frames"].toString().toInt(); }

// The colours of a movie's frames against the pictures that should show: each for FRAMES frames.
void ExpectPictures(const QList<Rgb>& colours, const QList<Rgb>& pictures, int frames) {
    ASSERT_EQ(colours.size(), pictures.size() * frames);
    for (qsizetype i = 0; i < colours.size(); ++i) {
        const Rgb& want = pictures[i / frames];
        EXPECT_TRUE(Near(colours[i], want)) << "frame " << i << ": " << colours[i].red << ","
                                            << colours[i].green << "," << colours[i].blue;
    }
}

}  // namespace

TEST(Avimpg, EncodesPictureAndSoundAtTwiceTheRateForTheSameLength) {
    ScopedTestDir dir;
    ASSERT_TRUE(MakeTestMovie("my movie.avi"));
    QDir().mkdir("out dir");
    const QStringList args{"-e", "-m", "0", "-s", "1200", "-y", "20", "-l", "2", "-a",
                           "128", "my movie.avi", "out dir/my movie.mpg"};
    const ProgramRun settings = Avimpg(QStringList{"-V"} + args);
    ASSERT_EQ(settings.code, 0) << settings.err.toStdString();
    EXPECT_TRUE(settings.out.contains("\nframe_rate = 30\n")) << settings.out.toStdString();
    EXPECT_TRUE(settings.out.contains("\nsize = 64x48\n"));
    EXPECT_TRUE(settings.out.contains("\naudio = mp2\n"));
    const ProgramRun run = Avimpg(args);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();

    const QJsonObject probe = Probe("out dir/my movie.mpg");
    const QJsonObject video = StreamOf(probe, "video");
    EXPECT_EQ(video["codec_name"].toString(), "mpeg1video");
    EXPECT_EQ(video["r_frame_rate"].toString(), "30/1");
    EXPECT_EQ(video["width"].toInt(), 64);
    EXPECT_EQ(video["height"].toInt(), 48);
    EXPECT_EQ(video["pix_fmt"].toString(), "yuv420p");
    EXPECT_EQ(Count(video), 60);
    const QJsonObject audio = StreamOf(probe, "audio");
    EXPECT_EQ(audio["codec_name"].toString(), "mp2");
    EXPECT_EQ(audio["sample_rate"].toString(), "44100");
    EXPECT_EQ(audio["channels"].toInt(), 2);
    EXPECT_NEAR(Count(audio) * 1152 / 44100.0, 2.0, 1 / 30.0);
    EXPECT_NEAR(Seconds(probe["format"]["duration"]), 2.0, 1 / 30.0);
    EXPECT_TRUE(PartFiles("out dir").isEmpty());
}

TEST(Avimpg, HoldsEachAlbumPictureForItsEmptyChunksAndTheLastToTheEnd) {
    ScopedTestDir dir;
    // 34 pixels make rows of 102 bytes, padded to 104 in the DIB.
    dir.Write("album.avi", AlbumAvi(34, 22, {{kRed}, {kGreen}, {kBlue}}));
    const ProgramRun run = Avimpg({"-n", "album.avi", "album.mpg"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QJsonObject video = StreamOf(Probe("album.mpg"), "video");
    EXPECT_EQ(video["r_frame_rate"].toString(), "30/1");
    EXPECT_EQ(video["width"].toInt(), 34);
    EXPECT_EQ(video["height"].toInt(), 22);
    EXPECT_EQ(Count(video), 60);  // 30 input frames at 15/s
    ExpectPictures(ColoursAt("album.mpg", 34, 22, 17, 11), {kRed, kGreen, kBlue}, 20);
}

TEST(Avimpg, SkipsADamagedFrameOnlyWhenToldTo) {
    ScopedTestDir dir;
    dir.Write("old.mpg", "older output");
    dir.Write("bad.avi", AlbumAvi(32, 24, {{kRed}, {kGreen, true}, {kBlue}}));
    const ProgramRun strict = Avimpg({"-n", "bad.avi", "old.mpg"});
    EXPECT_EQ(strict.code, 1);
    EXPECT_TRUE(strict.err.startsWith("avimpg: bad.avi: frame 11 is damaged"))
        << strict.err.toStdString();
    EXPECT_EQ(strict.err.count('\n'), 1);
    EXPECT_EQ(ReadAll("old.mpg"), "older output");

    const ProgramRun lenient = Avimpg({"-e", "-n", "bad.avi", "old.mpg"});
    ASSERT_EQ(lenient.code, 0) << lenient.err.toStdString();
    EXPECT_TRUE(lenient.err.contains("1 damaged frame")) << lenient.err.toStdString();
    ExpectPictures(ColoursAt("old.mpg", 32, 24, 16, 12), {kRed, kRed, kBlue}, 20);

    dir.Write("worse.avi", AlbumAvi(32, 24, {{kRed, true}, {kGreen, true}}));
    const ProgramRun nothing = Avimpg({"-e", "-n", "worse.avi", "worse.mpg"});
    EXPECT_EQ(nothing.code, 1);
    EXPECT_TRUE(nothing.err.contains("no picture could be read")) << nothing.err.toStdString();
    EXPECT_FALSE(QFile::exists("worse.mpg"));
}

TEST(Avimpg, MakesVideoCdFramesAtTheirRatesFittedOnBlack) {
    ScopedTestDir dir;
    ASSERT_TRUE(MakeTestMovie("ntsc.avi"));
    ASSERT_EQ(Avimpg({"-v", "ntsc.avi", "ntsc.mpg"}).code, 0);
    const QJsonObject probe = Probe("ntsc.mpg");
    const QJsonObject video = StreamOf(probe, "video");
    EXPECT_EQ(video["width"].toInt(), 352);
    EXPECT_EQ(video["height"].toInt(), 240);
    EXPECT_EQ(video["r_frame_rate"].toString(), "30000/1001");
    EXPECT_EQ(video["bit_rate"].toString(), "1150000");
    EXPECT_EQ(Count(video), 60);  // 2 s at 29.97
    const QJsonObject audio = StreamOf(probe, "audio");
    EXPECT_EQ(audio["bit_rate"].toString(), "224000");
    EXPECT_EQ(audio["sample_rate"].toString(), "44100");
    EXPECT_EQ(audio["channels"].toInt(), 2);
    EXPECT_EQ(MuxRate(ReadAll("ntsc.mpg")), 1411200 / 400);

    // A 16:9 picture at 25 frames/s: PAL, with black bands above and below.
    dir.Write("pal.avi", AlbumAvi(64, 36, {{kWhite}}, 9, 25));
    ASSERT_EQ(Avimpg({"-v", "-n", "pal.avi", "pal.mpg"}).code, 0);
    const QJsonObject pal = StreamOf(Probe("pal.mpg"), "video");
    EXPECT_EQ(pal["width"].toInt(), 352);
    EXPECT_EQ(pal["height"].toInt(), 288);
    EXPECT_EQ(pal["r_frame_rate"].toString(), "25/1");
    ExpectPictures(ColoursAt("pal.mpg", 352, 288, 176, 10), {kBlack}, 10);
    ExpectPictures(ColoursAt("pal.mpg", 352, 288, 176, 144), {kWhite}, 10);
}

TEST(Avimpg, CropsAroundTheCentreAndKeepsOrForcesTheRate) {
    ScopedTestDir dir;
    // A blue box in the middle of red, on an odd picture at 12.5 frames/s.
    ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i",
                        "color=c=red:s=65x49:r=12.5,drawbox=x=16:y=12:w=32:h=24:c=blue:t=fill",
                        "-t", "2", "-c:v", "rawvideo", "-pix_fmt", "bgr24", "-f", "avi"},
                       "box.avi"));
    ASSERT_EQ(Avimpg({"-n", "box.avi", "whole.mpg"}).code, 0);
    const QJsonObject whole = StreamOf(Probe("whole.mpg"), "video");
    EXPECT_EQ(whole["width"].toInt(), 64);
    EXPECT_EQ(whole["height"].toInt(), 48);
    EXPECT_EQ(whole["r_frame_rate"].toString(), "25/1");
    EXPECT_EQ(Count(whole), 50);
    EXPECT_TRUE(Near(ColoursAt("whole.mpg", 64, 48, 2, 2).value(0), kRed));

    ASSERT_EQ(Avimpg({"-n", "-c", "32", "24", "-f", "2", "box.avi", "box.mpg"}).code, 0);
    const QJsonObject box = StreamOf(Probe("box.mpg"), "video");
    EXPECT_EQ(box["width"].toInt(), 32);
    EXPECT_EQ(box["height"].toInt(), 24);
    EXPECT_EQ(box["r_frame_rate"].toString(), "24/1");
    EXPECT_EQ(Count(box), 48);
    for (const auto& [x, y] :
         {std::pair{1, 1}, std::pair{30, 1}, std::pair{1, 22}, std::pair{30, 22}})
        EXPECT_TRUE(Near(ColoursAt("box.mpg", 32, 24, x, y).value(0), kBlue)) << x << "," << y;
}

TEST(Avimpg, SharesTheSystemBitrateBetweenVideoAndSound) {
    ScopedTestDir dir;
    ASSERT_TRUE(MakeTestMovie("a.avi"));
    ASSERT_EQ(Avimpg({"-s", "600", "a.avi", "sound.mpg"}).code, 0);
    EXPECT_EQ(MuxRate(ReadAll("sound.mpg")), 600000 / 400);
    EXPECT_EQ(StreamOf(Probe("sound.mpg"), "video")["bit_rate"].toString(),
              "454000");  // 97% less 128k

    ASSERT_EQ(Avimpg({"-s", "600", "-n", "a.avi", "silent.mpg"}).code, 0);
    const QJsonObject silent = Probe("silent.mpg");
    EXPECT_EQ(StreamOf(silent, "video")["bit_rate"].toString(), "582000");
    EXPECT_TRUE(StreamOf(silent, "audio").isEmpty());
}

TEST(Avimpg, EncodesJointStereoAndTheMonoOnlyBitratesInTheLayerTwoHeader) {
    ScopedTestDir dir;
    // Channels that differ, noise on the left: joint stereo pays off at a low bitrate.
    ASSERT_TRUE(Ffmpeg({"-f", "lavfi", "-i", "testsrc=size=32x24:rate=15", "-f", "lavfi", "-i",
                        "aevalsrc=random(0)*0.5|sin(440*2*PI*t)*0.5:s=22050", "-t", "2", "-c:v",
                        "rawvideo", "-pix_fmt", "bgr24", "-c:a", "pcm_s16le", "-f", "avi"},
                       "a.avi"));
    ASSERT_EQ(Avimpg({"-a", "64", "a.avi", "stereo.mpg"}).code, 0);
    const QMap<int, int> stereo = AudioModes("stereo.mpg");
    EXPECT_EQ(stereo.keys(), QList<int>{0});
    EXPECT_NEAR(stereo[0] * 1152 / 44100.0, 2.0, 1 / 30.0);
    ASSERT_EQ(Avimpg({"-j", "-a", "64", "a.avi", "joint.mpg"}).code, 0);
    EXPECT_GT(AudioModes("joint.mpg").value(1), 0);
    ASSERT_EQ(Avimpg({"-j", "-a", "48", "a.avi", "mono.mpg"}).code, 0);
    EXPECT_EQ(AudioModes("mono.mpg").keys(), QList<int>{3});
    EXPECT_EQ(StreamOf(Probe("mono.mpg"), "audio")["channels"].toInt(), 1);

    const ProgramRun layer1 = Avimpg({"-l", "1", "-a", "288", "a.avi", "layer1.mpg"});
    ASSERT_EQ(layer1.code, 0);
    EXPECT_TRUE(layer1.err.contains("Layer II at 256 kbit/s")) << layer1.err.toStdString();
    EXPECT_EQ(StreamOf(Probe("layer1.mpg"), "audio")["bit_rate"].toString(), "256000");
}

TEST(Avimpg, ParameterFileSetsVideoEncoderOptionsAndNamesItsBadLine) {
    ScopedTestDir dir;
    ASSERT_TRUE(MakeTestMovie("a.avi", false));
    ASSERT_EQ(Avimpg({"a.avi", "plain.mpg"}).code, 0);
    EXPECT_LT(PictureTypes("plain.mpg").count('I'),
              8);  // GOPs of 15, and a scene change may start one

    dir.Write("short gop.par", "# three-picture GOPs without B-pictures\n\ng = 3\nbf = 0\n");
    const ProgramRun settings = Avimpg({"-V", "-p", "short gop.par"});
    EXPECT_EQ(settings.code, 0);
    EXPECT_TRUE(settings.out.contains("\ngop_size = 3\n")) << settings.out.toStdString();
    ASSERT_EQ(Avimpg({"-p", "short gop.par", "a.avi", "short.mpg"}).code, 0);
    EXPECT_TRUE(PictureTypes("short.mpg").startsWith("IPPIPPIPPIPP"))
        << PictureTypes("short.mpg").toStdString();

    dir.Write("bad.par", "g = 3\n# fine so far\nqmax = lots\n");
    const ProgramRun bad = Avimpg({"-p", "bad.par", "a.avi", "bad.mpg"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, "avimpg: bad.par:3: bad value \"lots\" for qmax\n");
    dir.Write("unknown.par", "gop = 3\n");
    EXPECT_EQ(Avimpg({"-p", "unknown.par", "a.avi", "bad.mpg"}).err,
              "avimpg: unknown.par:1: unknown video encoder setting \"gop\"\n");
    dir.Write("size.par", "video_size = 640x480\n");
    EXPECT_EQ(Avimpg({"-p", "size.par", "a.avi", "bad.mpg"}).code, 1);
    EXPECT_FALSE(QFile::exists("bad.mpg"));
}

TEST(Avimpg, PrintsItsSettingsWithoutFiles) {
    const ProgramRun run =
        Avimpg({"-V", "-n", "-m", "2", "-f", "3", "-s", "2000", "-y", "0", "-c", "320", "240"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    const QStringList lines = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith("version = "));
    for (const QString& line : lines) EXPECT_TRUE(line.contains(" = ")) << line.toStdString();
    for (const char* expected : {"video_codec = mpeg1video", "frame_rate = 25", "size = input",
                                 "crop = 320x240", "me_range = 64", "video_bitrate = 1940000",
                                 "video_bufsize = 0", "audio = none", "muxrate = 2000000"})
        EXPECT_TRUE(lines.contains(expected)) << expected;
}

// With files the settings are the input's, and nothing is encoded.
TEST(Avimpg, PrintsTheSettingsForAMovieAndStops) {
    ScopedTestDir dir;
    ASSERT_TRUE(MakeTestMovie("a.avi"));
    const ProgramRun run = Avimpg({"-V", "a.avi", "b.mpg"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(run.out).startsWith("version = "));
    EXPECT_FALSE(QFile::exists("b.mpg"));
}

TEST(Avimpg, RefusesBadCommandLinesWithUsage) {
    ScopedTestDir dir;
    ASSERT_TRUE(MakeTestMovie("a.avi"));
    const QList<QStringList> bad = {
        {},
        {"a.avi"},
        {"-q", "a.avi", "b.mpg"},
        {"-m", "9", "a.avi", "b.mpg"},
        {"-s", "4001", "a.avi", "b.mpg"},
        {"-y", "-1", "a.avi", "b.mpg"},
        {"-l", "2", "-a", "100", "a.avi", "b.mpg"},
        {"-s", "80", "-a", "128", "a.avi", "b.mpg"},  // no room for video beside the sound
    };
    for (const QStringList& args : bad) {
        const ProgramRun run = Avimpg(args);
        EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("usage: avimpg")) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists("b.mpg"));
}

// As every program of the package answers: the help and the version on standard output, exit 0.
TEST(Avimpg, AnswersHelpAndVersion) {
    for (const char* help : {"-h", "--help"}) {
        const ProgramRun run = Avimpg({help});
        EXPECT_EQ(run.code, 0) << help;
        EXPECT_TRUE(run.out.startsWith("usage: avimpg")) << help;
    }
    const ProgramRun version = Avimpg({"--version"});
    EXPECT_EQ(version.code, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QByteArray("avimpg " ALBORA_VERSION "\n"));
}

TEST(Avimpg, FailuresKeepTheOlderOutputAndLeaveNoPartFile) {
    ScopedTestDir dir;
    ASSERT_TRUE(MakeTestMovie("a.avi", false));
    dir.Write("old.mpg", "older output");
    dir.Write("text.avi", "just some text, long enough to be read as a header");
    dir.Write("plain file", "x");

    const struct {
        QStringList args;
        const char* message;
    } failures[] = {
        {{"text.avi", "old.mpg"}, "avimpg: text.avi: not an AVI file\n"},
        {{"missing.avi", "old.mpg"},
         "avimpg: missing.avi: cannot open: No such file or directory\n"},
        {{"a.avi", "no folder/out.mpg"},
         "avimpg: a.avi: cannot write no folder/out.mpg: No such file or directory\n"},
        {{"a.avi", "plain file/out.mpg"},
         "avimpg: a.avi: cannot write plain file/out.mpg: Not a directory\n"},
    };
    for (const auto& failure : failures) {
        const ProgramRun run = Avimpg(failure.args);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, failure.message);
    }
    // Cut in the second of its 30 frames: with -e, the first picture lasts the 2 s declared.
    dir.Write("cut.avi", ReadAll("a.avi").left(20000));
    const ProgramRun cut = Avimpg({"-n", "cut.avi", "old.mpg"});
    EXPECT_EQ(cut.code, 1);
    EXPECT_TRUE(cut.err.contains("cut short")) << cut.err.toStdString();
    EXPECT_EQ(ReadAll("old.mpg"), "older output");
    ASSERT_EQ(Avimpg({"-e", "-n", "cut.avi", "cut.mpg"}).code, 0);
    EXPECT_EQ(Count(StreamOf(Probe("cut.mpg"), "video")), 60);
    EXPECT_TRUE(PartFiles(dir.Path()).isEmpty());

    const std::optional<FullDiskRun> full =
        RunOnFullDisk(dir.Path(), dir.Path(), AVIMPG_PATH, {"a.avi", "old.mpg"});
    if (!full) GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(full->code, 1);
    EXPECT_EQ(full->err, "avimpg: a.avi: cannot write old.mpg: No space left on device\n");
    EXPECT_EQ(ReadAll("old.mpg"), "older output");
    EXPECT_TRUE(PartFiles(dir.Path()).isEmpty());
}

TEST(Avimpg, NeverWritesOverAFileItReadsWhateverNamesIt) {
    ScopedTestDir dir;
    ASSERT_TRUE(MakeTestMovie("m.avi", false));
    const QByteArray movie = ReadAll("m.avi");
    dir.Write("p.par", "");
    QDir().mkpath(dir.Path("sub"));
    ASSERT_TRUE(QFile::link(dir.Path("m.avi"), dir.Path("link.mpg")));
    const struct {
        QStringList args;
        const char* read;
    } runs[] = {{{"m.avi", "m.avi"}, "m.avi"},
                {{"m.avi", "sub/../m.avi"}, "m.avi"},
                {{"m.avi", "link.mpg"}, "m.avi"},
                {{"-p", "p.par", "m.avi", "p.par"}, "p.par"}};
    for (const auto& run : runs) {
        const ProgramRun result = Avimpg(run.args);
        EXPECT_EQ(result.code, 1) << run.args.join(' ').toStdString();
        EXPECT_EQ(result.err, QStringLiteral("avimpg: %1: the output is %2, which is read: nothing was written\n")
                                  .arg(run.args.back(), QString::fromLatin1(run.read))
                                  .toUtf8());
    }
    EXPECT_EQ(ReadAll("m.avi"), movie);
    EXPECT_TRUE(ReadAll("p.par").isEmpty());
    EXPECT_TRUE(PartFiles(dir.Path()).isEmpty());
}
