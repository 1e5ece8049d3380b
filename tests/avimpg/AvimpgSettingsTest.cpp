// The decisions avimpg makes from its command line and the input, without encoding anything.
#include <gtest/gtest.h>

#include "AvimpgOptions.h"
#include "EncoderSettings.h"
#include "FrameRate.h"
#include "ParameterFile.h"
#include "PictureLayout.h"
#include "TestFiles.h"

#include <sys/stat.h>

namespace {

ParsedArguments Parse(std::vector<std::string> args) { return ParseArguments(args); }

InputFacts Input(int width, int height, Rational rate, bool sound = true) {
    InputFacts facts;
    facts.size = {width, height};
    facts.frameRate = rate;
    facts.hasAudio = sound;
    return facts;
}

}  // namespace

TEST(AvimpgFrameRate, KeepsTheInputTimingWithAWholeNumberOfOutputFramesPerInputFrame) {
    const struct {
        Rational input;
        Rational expected;
    } cases[] = {
        {{15, 1}, {30, 1}},  // the album program's movies
        {{25, 2}, {25, 1}},  // 12.5
        {{10, 1}, {30, 1}},  // 23.976, 24 and 25 are no multiples of 10
        {{8, 1}, {24, 1}},
        {{5, 1}, {25, 1}},
        {{15000, 1001}, {30000, 1001}},  // 14.985
        {{12000, 1001}, {24000, 1001}},
        {{25, 1}, {25, 1}},
        {{50, 1}, {50, 1}},  // MPEG-1 has it
        {{60000, 1001}, {60000, 1001}},
        {{20, 1}, {24000, 1001}},  // no multiple: the nearest
        {{100, 1}, {30, 1}},
        {{7, 1}, {24000, 1001}},
    };
    for (const auto& c : cases) {
        const Rational chosen = ChooseFrameRate(c.input);
        EXPECT_EQ(chosen, c.expected)
            << c.input.num << "/" << c.input.den << " gave " << chosen.num << "/" << chosen.den;
    }
    EXPECT_EQ(*ForcedFrameRate(1), (Rational{24000, 1001}));
    EXPECT_EQ(*ForcedFrameRate(4), (Rational{30000, 1001}));
    EXPECT_FALSE(ForcedFrameRate(0));
    EXPECT_FALSE(ForcedFrameRate(6));
}

TEST(AvimpgLayout, MakesEvenSidesByCuttingOnePixelAndCropsAroundTheCentre) {
    PictureLayout odd = PlainLayout({65, 49}, {0, 1}, std::nullopt);
    EXPECT_EQ(odd.frame.width, 64);
    EXPECT_EQ(odd.frame.height, 48);
    EXPECT_EQ(odd.source.width, 64);
    EXPECT_EQ(odd.source.x, 0);
    EXPECT_EQ(odd.sampleAspect, (Rational{1, 1}));

    const PictureLayout cropped = PlainLayout({100, 80}, {1, 1}, PictureSize{41, 30});
    EXPECT_EQ(cropped.source.x, 30);  // (100 - 40) / 2
    EXPECT_EQ(cropped.source.y, 25);
    EXPECT_EQ(cropped.frame.width, 40);
    EXPECT_EQ(cropped.frame.height, 30);

    // 0 and sides beyond the picture keep that side.
    const PictureLayout kept = PlainLayout({100, 80}, {1, 1}, PictureSize{0, 500});
    EXPECT_EQ(kept.frame.width, 100);
    EXPECT_EQ(kept.frame.height, 80);

    const PictureLayout dot = PlainLayout({1, 1}, {1, 1}, std::nullopt);
    EXPECT_EQ(dot.frame.width, 2);
    EXPECT_EQ(dot.frame.height, 2);
    EXPECT_EQ(dot.source.width, 1);

    const PictureLayout wide = PlainLayout({9000, 4501}, {1, 1}, std::nullopt);
    EXPECT_EQ(wide.frame.width, 4094);
    EXPECT_NEAR(wide.frame.height, 2047, 1);
    EXPECT_EQ(wide.frame.height % 2, 0);
    EXPECT_EQ(wide.source.width, 9000);
    EXPECT_EQ(wide.source.height, 4500);
}

TEST(AvimpgLayout, FitsVideoCdFramesAtFourToThreeOnBlack) {
    const PictureLayout letterbox = FittedLayout({64, 36}, {0, 1}, {352, 240});
    EXPECT_EQ(letterbox.picture.width, 352);
    EXPECT_EQ(letterbox.picture.height, 180);
    EXPECT_EQ(letterbox.picture.y, 30);
    EXPECT_EQ(letterbox.sampleAspect, (Rational{10, 11}));

    const PictureLayout pillarbox = FittedLayout({100, 100}, {1, 1}, {352, 288});
    EXPECT_EQ(pillarbox.picture.width, 264);
    EXPECT_EQ(pillarbox.picture.height, 288);
    EXPECT_EQ(pillarbox.picture.x, 44);
    EXPECT_EQ(pillarbox.sampleAspect, (Rational{12, 11}));

    // Wide pixels make a 4:3 picture of a square pixel grid.
    const PictureLayout anamorphic = FittedLayout({90, 90}, {4, 3}, {352, 240});
    EXPECT_EQ(anamorphic.picture.width, 352);
    EXPECT_EQ(anamorphic.picture.height, 240);
}

TEST(AvimpgOptions, ReadsTheAlbumProgramsCommandLine) {
    const ParsedArguments parsed =
        Parse({"-e", "-p", "my params.par", "-j", "-m", "3", "-s", "2000", "-y", "40", "-c", "320",
               "240", "-l", "2", "-a", "224", "in put.avi", "out put.mpg"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const AvimpgOptions& o = *parsed.options;
    EXPECT_TRUE(o.ignoreErrors);
    EXPECT_EQ(o.parameterFile, "my params.par");
    EXPECT_TRUE(o.jointStereo);
    EXPECT_EQ(o.motionSearch, 3);
    EXPECT_EQ(o.systemKbps, 2000);
    EXPECT_EQ(o.vbvUnits, 40);
    EXPECT_EQ(o.cropWidth, 320);
    EXPECT_EQ(o.cropHeight, 240);
    EXPECT_EQ(o.audioKbps, 224);
    EXPECT_EQ(o.input, "in put.avi");
    EXPECT_EQ(o.output, "out put.mpg");
    EXPECT_TRUE(parsed.notes.empty());

    const ParsedArguments defaults =
        Parse({"-e", "-m", "0", "-s", "1200", "-y", "20", "-n", "a.avi", "b.mpg"});
    ASSERT_TRUE(defaults.options);
    EXPECT_TRUE(defaults.options->videoOnly);
    EXPECT_FALSE(defaults.options->frameRateIndex);
}

TEST(AvimpgOptions, TakesLayerOneBitratesAsTheNearestLayerTwoOneWithANote) {
    const struct {
        int layer1;
        int layer2;
    } cases[] = {{32, 32}, {64, 64}, {96, 96}, {288, 256}, {352, 320}, {416, 384}, {448, 384}};
    for (const auto& c : cases) {
        const ParsedArguments parsed =
            Parse({"-l", "1", "-a", std::to_string(c.layer1), "a.avi", "b.mpg"});
        ASSERT_TRUE(parsed.options) << parsed.error;
        EXPECT_EQ(parsed.options->audioKbps, c.layer2) << c.layer1;
        ASSERT_EQ(parsed.notes.size(), 1u);
        EXPECT_NE(parsed.notes[0].find("Layer II"), std::string::npos);
    }
    // Without sound there is nothing to note.
    EXPECT_TRUE(Parse({"-n", "-l", "1", "a.avi", "b.mpg"}).notes.empty());
}

TEST(AvimpgOptions, RefusesWhatTheEncoderCannotTake) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"a.avi"},
        {"a.avi", "b.mpg", "c.mpg"},
        {"-x", "a.avi", "b.mpg"},
        {"-m", "5", "a.avi", "b.mpg"},
        {"-m", "two", "a.avi", "b.mpg"},
        {"-s", "79", "a.avi", "b.mpg"},
        {"-s", "4001", "a.avi", "b.mpg"},
        {"-y", "1001", "a.avi", "b.mpg"},
        {"-c", "320", "a.avi", "b.mpg"},  // the height is missing: "a.avi" is no number
        {"-f", "6", "a.avi", "b.mpg"},
        {"-l", "3", "a.avi", "b.mpg"},
        {"-a", "288", "a.avi", "b.mpg"},            // Layer I only
        {"-l", "1", "-a", "48", "a.avi", "b.mpg"},  // Layer II only
        {"a.avi", "b.mpg", "-p"},
    };
    for (const auto& args : bad) {
        const ParsedArguments parsed = Parse(args);
        EXPECT_FALSE(parsed.options) << (args.empty() ? "(none)" : args[0]);
        EXPECT_FALSE(parsed.error.empty());
    }
    EXPECT_TRUE(Parse({"-V"}).options);
    EXPECT_TRUE(Parse({"--", "-odd name.avi", "b.mpg"}).options);
}

TEST(AvimpgSettings, SharesTheSystemBitrateBetweenVideoSoundAndHeaders) {
    AvimpgOptions options;
    options.systemKbps = 600;
    ResolvedSettings resolved = ResolveSettings(options, Input(64, 48, {15, 1}), "libtwolame");
    ASSERT_TRUE(resolved.error.empty());
    EXPECT_EQ(resolved.settings.muxrate, 600000);
    EXPECT_EQ(resolved.settings.videoBitrate, 582000 - 128000);
    EXPECT_EQ(resolved.settings.videoMaxrate, resolved.settings.videoBitrate);
    EXPECT_EQ(resolved.settings.vbvBits, 20 * 16384);

    // A movie without sound gives the video all the room.
    resolved = ResolveSettings(options, Input(64, 48, {15, 1}, false), "libtwolame");
    EXPECT_FALSE(resolved.settings.audio);
    EXPECT_EQ(resolved.settings.videoBitrate, 582000);

    options.systemKbps = 120;
    EXPECT_FALSE(ResolveSettings(options, Input(64, 48, {15, 1}), "libtwolame").error.empty());
    EXPECT_TRUE(
        ResolveSettings(options, Input(64, 48, {15, 1}, false), "libtwolame").error.empty());

    options.systemKbps = 1200;
    options.vbvUnits = 0;
    resolved = ResolveSettings(options, Input(64, 48, {15, 1}), "libtwolame");
    EXPECT_EQ(resolved.settings.vbvBits, 0);
    EXPECT_EQ(resolved.settings.videoMaxrate, 0);
}

TEST(AvimpgSettings, RaisesAVbvBufferTooSmallForOnePicture) {
    AvimpgOptions options;
    options.vbvUnits = 1;
    options.videoOnly = true;
    const ResolvedSettings resolved =
        ResolveSettings(options, Input(64, 48, {15, 1}), "libtwolame");
    // 1164 kbit/s at 30 pictures a second: 38800 bits, three units.
    EXPECT_EQ(resolved.settings.vbvBits, 3 * 16384);
    EXPECT_EQ(resolved.notes.size(), 1u);
}

TEST(AvimpgSettings, UsesOneChannelForTheMonoOnlyBitratesAndJointStereoOnlyWithTwo) {
    AvimpgOptions options;
    options.jointStereo = true;
    for (int kbps : {32, 48, 56, 80, 64, 384}) {
        options.audioKbps = kbps;
        const EncoderSettings s =
            ResolveSettings(options, Input(64, 48, {15, 1}), "libtwolame").settings;
        const bool mono = kbps == 32 || kbps == 48 || kbps == 56 || kbps == 80;
        EXPECT_EQ(s.audioChannels, mono ? 1 : 2) << kbps;
        EXPECT_EQ(s.jointStereo, !mono) << kbps;
    }
}

TEST(AvimpgSettings, VideoCdIgnoresTheOtherStreamOptions) {
    AvimpgOptions options;
    options.videoCd = true;
    options.systemKbps = 100;
    options.cropWidth = 10;
    options.cropHeight = 10;
    options.frameRateIndex = 2;
    options.audioKbps = 64;
    EncoderSettings ntsc =
        ResolveSettings(options, Input(640, 480, {15, 1}), "libtwolame").settings;
    EXPECT_EQ(ntsc.muxer, "vcd");
    EXPECT_EQ(*ntsc.frameRate, (Rational{30000, 1001}));
    EXPECT_EQ(ntsc.layout->frame.width, 352);
    EXPECT_EQ(ntsc.layout->frame.height, 240);
    EXPECT_EQ(ntsc.videoBitrate, 1150000);
    EXPECT_EQ(ntsc.audioBitrate, 224000);
    EXPECT_EQ(ntsc.audioChannels, 2);
    EXPECT_EQ(ntsc.muxrate, 1411200);
    EXPECT_EQ(ntsc.packetSize, 2324);
    for (Rational pal : {Rational{25, 1}, Rational{50, 1}}) {
        const EncoderSettings s =
            ResolveSettings(options, Input(640, 480, pal), "libtwolame").settings;
        EXPECT_EQ(*s.frameRate, (Rational{25, 1}));
        EXPECT_EQ(s.layout->frame.height, 288);
    }
}

TEST(AvimpgParameterFile, ReadsNameValueLinesAndNamesTheBadOne) {
    ScopedTestDir dir;
    dir.Write("good.par", "# motion\n\n  g = 3 \nbf=0\r\nmpv_flags = +strict_gop\n");
    const ParameterFile good = ReadParameterFile(dir.Path("good.par").toStdString());
    ASSERT_TRUE(good.error.empty()) << good.error;
    ASSERT_EQ(good.parameters.size(), 3u);
    EXPECT_EQ(good.parameters[0].name, "g");
    EXPECT_EQ(good.parameters[0].value, "3");
    EXPECT_EQ(good.parameters[0].line, 3);
    EXPECT_EQ(good.parameters[1].value, "0");
    EXPECT_EQ(good.parameters[2].value, "+strict_gop");

    dir.Write("bad.par", "g = 3\n\nqmax 8\n");
    const ParameterFile bad = ReadParameterFile("bad.par");
    EXPECT_EQ(bad.error, "bad.par:3: expected \"name = value\"");
    dir.Write("noname.par", "= 3\n");
    EXPECT_EQ(ReadParameterFile("noname.par").error, "noname.par:1: expected \"name = value\"");
    EXPECT_FALSE(ReadParameterFile("missing.par").error.empty());
}

// A parameter file or an input that is a pipe or a device is refused, not waited on or read
// without end.
TEST(AvimpgInputs, OnlyRegularFilesAreRead) {
    ScopedTestDir dir;
    ASSERT_EQ(::mkfifo("pipe", 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), "zero"));
    for (const char* name : {"pipe", "zero"}) {
        EXPECT_EQ(ReadParameterFile(name).error, std::string(name) + ": not a regular file");
        const ProgramRun run = RunProgram(QStringLiteral(AVIMPG_PATH), {QString::fromLatin1(name), "out.mpg"});
        EXPECT_EQ(run.code, 1) << name;
        EXPECT_TRUE(run.err.contains("not a regular file")) << run.err.toStdString();
    }
    EXPECT_EQ(ReadParameterFile("missing").error, "missing: No such file or directory");
    EXPECT_FALSE(QFile::exists("out.mpg"));
}
