#include "TestFiles.h"
#include "movie/MpegEncoderOptions.h"

#include <QProcessEnvironment>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

MpegEncoderOptions WithFiles(const QString& input = "/m/in put.avi", const QString& output = "/m/out;rm x.mpg") {
    MpegEncoderOptions o;
    o.inputPath = input;
    o.outputPath = output;
    return o;
}

}  // namespace

TEST(MpegOptions, TheEncodersArgumentsFollowTheDialog) {
    MpegEncoderOptions o = WithFiles();
    // Paths with blanks or a ";" are single arguments: nothing reads them as a command.
    EXPECT_EQ(AvimpgArguments(o), (QStringList{"-e", "-m", "0", "-s", "1200", "-y", "20", "-n", "/m/in put.avi", "/m/out;rm x.mpg"}));
    o.videoOnly = false;
    EXPECT_EQ(AvimpgArguments(o).mid(7, 4), (QStringList{"-l", "2", "-a", "128"}));
    o.audioLayerIndex = 0;
    o.audioBitrateIndex = 13;
    o.jointStereo = true;
    o.crop = true;
    o.cropWidth = 320;
    o.cropHeight = 200;
    o.useParameterFile = true;
    o.parameterFile = "/p/my.par";
    EXPECT_EQ(AvimpgArguments(o), (QStringList{"-e", "-p", "/p/my.par", "-j", "-m", "0", "-s", "1200", "-y", "20", "-c", "320",
                                               "200", "-l", "1", "-a", "448", "/m/in put.avi", "/m/out;rm x.mpg"}));
    // VIDEO-CD: only the options before it.
    o.videoCd = true;
    o.ignoreAviErrors = false;
    EXPECT_EQ(AvimpgArguments(o), (QStringList{"-p", "/p/my.par", "-j", "-m", "0", "-v", "/m/in put.avi", "/m/out;rm x.mpg"}));
    MpegEncoderOptions rate = WithFiles();
    rate.forceFrameRate = true;
    rate.frameRateIndex = 3;
    EXPECT_EQ(AvimpgArguments(rate).mid(7, 3), (QStringList{"-n", "-f", "4"}));
    EXPECT_FALSE(MpegEncoderOptions::Defaults().videoOnly);
}

TEST(MpegOptions, ChecksComeInTheDialogsOrder) {
    for (const int bitrate : {80, 4000}) {
        MpegEncoderOptions o = WithFiles();
        o.systemBitrate = bitrate;
        EXPECT_FALSE(MpegOptionsProblem(o)) << bitrate;
    }
    for (const bool videoCd : {false, true})
        for (const int bitrate : {79, 4001}) {
            MpegEncoderOptions o = WithFiles({}, {});
            o.systemBitrate = bitrate;
            o.videoCd = videoCd;
            EXPECT_EQ(MpegOptionsProblem(o), QStringLiteral("Bitrate bust be in range 80 - 4000.")) << bitrate;
        }
    MpegEncoderOptions empty = WithFiles({}, {});
    EXPECT_EQ(MpegOptionsProblem(empty), QStringLiteral("Input AVI filename must be specified."));
    MpegEncoderOptions derived = WithFiles("/c/clips.old/movie", {});
    EXPECT_FALSE(MpegOptionsProblem(derived));
    EXPECT_EQ(derived.outputPath, QStringLiteral("/c/clips.old/movie.mpg"));
    MpegEncoderOptions same = WithFiles("/c/a.avi", "/c/../c/a.avi");
    EXPECT_EQ(MpegOptionsProblem(same), QStringLiteral("Error:\nOutput and input are the same file!"));
    // Existing files are compared as files: a hard link is the input too, and the open album's
    // files are never an output.
    ScopedTestDir dir;
    dir.Write("a.avi", "movie");
    dir.Write("IMG_0001.jpg", "photo");
    ASSERT_EQ(::link(QFile::encodeName(dir.Path("a.avi")).constData(), QFile::encodeName(dir.Path("b.mpg")).constData()), 0);
    MpegEncoderOptions hard = WithFiles(dir.Path("a.avi"), dir.Path("b.mpg"));
    EXPECT_EQ(MpegOptionsProblem(hard), QStringLiteral("Error:\nOutput and input are the same file!"));
    OutputGuard album;
    album.Protect(dir.Path("IMG_0001.jpg"), QStringLiteral("the file of card \"One\""));
    MpegEncoderOptions card = WithFiles(dir.Path("a.avi"), dir.Path("IMG_0001.jpg"));
    EXPECT_EQ(MpegOptionsProblem(card, album),
              QStringLiteral("Error:\n%1 is the file of card \"One\": it is left as it is.").arg(dir.Path("IMG_0001.jpg")));
    EXPECT_EQ(MpegOutputFor("rel/a.b.avi"), QStringLiteral("rel/a.b.mpg"));
}

TEST(MpegOptions, TheBatchProgramRunsTheEncoderOrSaysWhyNot) {
    ScopedTestDir dir;
    const ProgramRun dry = Cli({"mpeg", dir.Path("in put.avi"), "--audio", "--layer", "1", "--audio-bitrate", "384", "--dry-run"});
    EXPECT_EQ(dry.code, 0);
    EXPECT_EQ(dry.out, QStringLiteral("avimpg -e -m 0 -s 1200 -y 20 -l 1 -a 384 '%1' '%2'\n")
                           .arg(dir.Path("in put.avi"), dir.Path("in put.mpg"))
                           .toUtf8());
    EXPECT_EQ(Cli({"mpeg", "a.avi", "--audio-bitrate", "100"}).code, 2);
    EXPECT_EQ(Cli({"mpeg", "a.avi", "--system-bitrate", "79"}).code, 1);

    QProcess missing;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ALBORA_AVIMPG", dir.Path("no-such-avimpg"));
    missing.setProcessEnvironment(environment);
    missing.start(QStringLiteral(ALBORA_CLI_PATH), {"mpeg", dir.Path("a.avi")});
    missing.waitForFinished();
    EXPECT_EQ(missing.exitCode(), 1);
    EXPECT_TRUE(missing.readAllStandardError().contains("The encoding executable \"avimpg\" not found."));
}
