// albora-cli capture overlay: the overlay device driven by the window's own command strings,
// offscreen, on GStreamer's test source.
#include "OverlayFixture.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

class OverlayCli : public ::testing::Test {
protected:
    void SetUp() override { qputenv("ALBORA_VIDEO_SOURCE", kSmpte.toUtf8()); }
    void TearDown() override { qunsetenv("ALBORA_VIDEO_SOURCE"); }
    ScopedTestDir dir;
};

TEST_F(OverlayCli, SavesThePictureAndTheWindowAndLogsEveryCommand) {
    const ProgramRun run = Cli({"capture", "overlay", "shot.bmp", "--format", "BMP type DIB 24-bit", "--size", "350x250",
                                "--lock", "--log", "--window-png", "window.png"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QStringList lines = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
    const QString at = QStringLiteral(" at 0 0 350 250");
    ASSERT_EQ(lines.size(), 12) << run.out.toStdString();
    EXPECT_EQ(lines[0], "open overlay alias alboovr");
    EXPECT_TRUE(lines[1].startsWith("window alboovr handle "));
    EXPECT_EQ(lines.mid(2, 3), (QStringList{"put alboovr frame" + at, "put alboovr source" + at, "put alboovr destination" + at}));
    EXPECT_EQ(lines.mid(5, 3), lines.mid(2, 3));  // the paint sends them again
    EXPECT_EQ(lines.mid(8), (QStringList{"save alboovr \"shot.bmp\" BMP type DIB 24-bit", "unfreeze alboovr",
                                         "set alboovr video off", "close alboovr"}));
    const QImage shot(dir.Path("shot.bmp"));
    const QImage shown(dir.Path("window.png"));
    ASSERT_EQ(shot.size(), QSize(320, 240));  // the frame as far as it reaches into the window
    ASSERT_EQ(shown.size(), QSize(350, 250));
    EXPECT_EQ(shown.pixel(100, 5), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(175, 120), shot.pixel(175, 120));  // keyed in, unscaled
    EXPECT_EQ(shown.pixel(345, 245), qRgb(255, 0, 255));     // beyond the video the key stays
}

TEST_F(OverlayCli, ANameWithBlanksIsKeptWhole) {
    ASSERT_TRUE(QDir().mkdir("my pictures"));
    const ProgramRun run = Cli({"capture", "overlay", "my pictures/shot one.gif", "--format", "GIF type GIF 8-bit gray"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QImage shot(dir.Path("my pictures/shot one.gif"));
    EXPECT_EQ(shot.size(), QSize(320, 240));
    EXPECT_TRUE(shot.isGrayscale());
    EXPECT_FALSE(QFile::exists(dir.Path("my")));
}

TEST_F(OverlayCli, AFailureSaysWhyAndLeavesNoFile) {
    ProgramRun run = Cli({"capture", "overlay", "shot.tga", "--format", "TGA type Targa 24-bit", "--window-png", "w.png"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("Error:\nSaving file.")) << run.err.toStdString();
    qputenv("ALBORA_VIDEO_SOURCE", "v4l2src device=/dev/no-such-camera");
    run = Cli({"capture", "overlay", "shot.bmp"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("Error:\nCan't open the video device.")) << run.err.toStdString();
    EXPECT_EQ(Cli({"capture", "overlay", "shot.bmp", "--size", "big"}).code, 2);
    EXPECT_EQ(Cli({"capture", "overlay", "shot.bmp", "--size", "5000x100"}).code, 2);
    EXPECT_EQ(Cli({"capture", "overlay", "say \"cheese\".bmp"}).code, 1);
    EXPECT_TRUE(QDir(dir.Path()).entryList(QDir::Files).isEmpty());
}

TEST_F(OverlayCli, AMissingPlaneIsToldOnceAndThePictureStillTaken) {
    const ProgramRun run = Cli({"capture", "overlay", "shot.bmp", "--plane", "gone.emf", "--window-png", "w.png"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.err.count("Error:\nLoading plane"), 1) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.Path("shot.bmp")));
}

TEST_F(OverlayCli, TheDetectionReportSeesTheOverlayWhereAVideoSourceIs) {
    qputenv("SANE_CONFIG_DIR", ALBORA_TESTS_DIR "/capture/sane");
    const QJsonObject report = QJsonDocument::fromJson(Cli({"capture", "devices", "--json"}).out).object();
    EXPECT_TRUE(report["overlay"].toBool());
    EXPECT_TRUE(report["video"].toBool());
    // The sources are named by their driver numbers, as the capture options choose them.
    const QString source = report["videoSources"].toArray().at(0).toString();
    EXPECT_TRUE(source.startsWith(QStringLiteral("0: "))) << source.toStdString();
    EXPECT_TRUE(QString::fromUtf8(Cli({"capture", "devices"}).out).contains(QStringLiteral("Video sources:\n  ") + source));
}

}  // namespace
