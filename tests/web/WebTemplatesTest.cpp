// The shipped templates, made into sites by the batch program and checked as a browser and a
// validator would see them.
#include "TestFiles.h"
#include "image/ImageTestSupport.h"

#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString kChecker = QStringLiteral(ALBORA_TESTS_DIR "/web/check_site.py");

// An album of a landscape picture with a sound note, a portrait one and one whose card texts
// are markup, in a folder whose name has a blank.
QString MakeAlbum(const ScopedTestDir& dir) {
    const QString folder = dir.Path(QStringLiteral("my photos"));
    QDir().mkpath(folder);
    EXPECT_TRUE(MakeColour(64, 48).Save(folder + "/wide.jpg"));
    EXPECT_TRUE(MakeColour(30, 60).Save(folder + "/tall.png"));
    EXPECT_TRUE(MakeIndexed(20, 20, 16).Save(folder + "/odd name.gif"));
    dir.Write(QStringLiteral("my photos/wide.wav"), "RIFF");
    const QString album = dir.Path(QStringLiteral("a.crp"));
    EXPECT_EQ(Cli({"album", "new", album, "--name", "Trip <&> \"2024\""}).code, 0);
    EXPECT_EQ(Cli({"album", "add", album, folder + "/wide.jpg", "--description", "line one\nline two"}).code, 0);
    EXPECT_EQ(Cli({"album", "add", album, folder + "/tall.png", "--name", "<b>tall</b>"}).code, 0);
    EXPECT_EQ(Cli({"album", "add", album, folder + "/odd name.gif"}).code, 0);
    return album;
}

}  // namespace

TEST(WebTemplates, EveryFormatStyleAndButtonSetMakesAValidSelfContainedSite) {
    if (QStandardPaths::findExecutable(QStringLiteral("tidy")).isEmpty()) GTEST_SKIP() << "needs tidy";
    ScopedTestDir dir;
    const QString album = MakeAlbum(dir);
    for (const char* format : {"normal", "frames", "onepage", "minmax"})
        for (const char* style : {"Classic", "Albora", "Formal"})
            for (const char* buttons : {"Classic", "Rounded", "Albora"}) {
                const QString site = dir.Path(QStringLiteral("%1-%2-%3").arg(format, style, buttons));
                const ProgramRun run = Cli({"web", album, site, "--format", format, "--style", style, "--buttons", buttons,
                                            "--picture", "40x40", "--card-info", "name,date,description,filename,sound",
                                            "--email", "me@example.org"});
                ASSERT_EQ(run.code, 0) << run.err.toStdString();
                const ProgramRun check = RunProgram(QStringLiteral("/usr/bin/python3"), {kChecker, site});
                EXPECT_EQ(check.code, 0) << site.toStdString() << "\n" << check.out.constData();
            }
}

TEST(WebTemplates, TheBatchProgramTellsWhatFailedAndRefusesBadOptions) {
    ScopedTestDir dir;
    const QString album = MakeAlbum(dir);
    QFile::remove(dir.Path(QStringLiteral("my photos/tall.png")));
    const ProgramRun run = Cli({"web", album, dir.Path("site"), "--image-format", "gif", "--thumb", "50x50"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("tall.png: the file is missing"))) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.Path("site/wide.gif")));
    EXPECT_TRUE(QFileInfo::exists(dir.Path("site/tall.gif")));  // the stand-in

    for (const QStringList& bad : {QStringList{"--format", "tabs"}, QStringList{"--picture", "big"},
                                   QStringList{"--thumb", "original"}, QStringList{"--quality", "0"},
                                   QStringList{"--card-info", "name,colour"}, QStringList{"--image-format", "TIFF"}}) {
        const ProgramRun refused = Cli(QStringList{"web", album, dir.Path("other")} + bad);
        EXPECT_EQ(refused.code, 2) << bad.join(' ').toStdString();
        EXPECT_FALSE(QFileInfo::exists(dir.Path("other")));
    }
}

// The batch program publishes the camera's private notes only when told to.
TEST(WebTemplates, TheBatchProgramKeepsLocationAndOwnerOnlyWhenTold) {
    if (QStandardPaths::findExecutable(QStringLiteral("exiftool")).isEmpty()) GTEST_SKIP() << "needs exiftool";
    ScopedTestDir dir;
    const QString album = MakeAlbum(dir);
    const QString wide = dir.Path(QStringLiteral("my photos/wide.jpg"));
    ASSERT_FALSE(RunTool("exiftool", {"-q", "-overwrite_original", "-SerialNumber=SN-987", wide}).isNull());
    ASSERT_EQ(Cli({"web", album, dir.Path("plain")}).code, 0);
    EXPECT_FALSE(ReadAll(dir.Path("plain/wide.jpg")).contains("SN-987"));
    ASSERT_EQ(Cli({"web", album, dir.Path("kept"), "--keep-location-and-owner"}).code, 0);
    EXPECT_EQ(ReadAll(dir.Path("kept/wide.jpg")), ReadAll(wide));
}
