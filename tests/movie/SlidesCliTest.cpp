#include <gtest/gtest.h>

#include <QImage>

#include "TestFiles.h"
#include "image/CImageObject.h"

namespace {

// A W x H picture in one colour, saved as NAME in the current folder.
void SavePicture(const QString& name, int width, int height, Qt::GlobalColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(ImageFromQImage(image).Save(name));
}

// An album of the cards NAME=FILE, in that order.
void MakeAlbum(const QString& album, const std::vector<std::pair<QString, QString>>& cards) {
    ASSERT_EQ(Cli({"album", "new", album}).code, 0);
    for (const auto& [name, file] : cards)
        ASSERT_EQ(
            Cli({"album", "add", album, file, "--name", name, "--description", name + " described"})
                .code,
            0);
}

QImage Slide(const QString& dir, int n) {
    return QImage(QStringLiteral("%1/slide-%2.png").arg(dir).arg(n, 3, 10, QChar('0')));
}

}  // namespace

// Each card as the window paints it: pictures fitted or at their own size, the error slide for a
// file that cannot be read (and exit status 1), the previous picture for a type the show skips.
TEST(SlidesCli, WritesEveryCardAsThePresentationShowsIt) {
    ScopedTestDir dir;
    SavePicture("wide.png", 80, 40, Qt::red);
    SavePicture("tall.PNG", 20, 40, Qt::green);
    dir.Write("broken.jpg", "not a picture");
    dir.Write("notes.txt", "text");
    MakeAlbum("a.crp",
              {{"a", "wide.png"}, {"b", "notes.txt"}, {"c", "broken.jpg"}, {"d", "tall.PNG"}});

    const ProgramRun fitted = Cli({"slides", "a.crp", "out", "--size", "64x48", "--fit"});
    EXPECT_EQ(fitted.code, 1);
    EXPECT_TRUE(fitted.err.contains("broken.jpg")) << fitted.err.toStdString();
    EXPECT_TRUE(fitted.err.contains("notes.txt")) << fitted.err.toStdString();
    const QImage wide = Slide("out", 1), skipped = Slide("out", 2), broken = Slide("out", 3),
                 tall = Slide("out", 4);
    for (const QImage& slide : {wide, skipped, broken, tall})
        EXPECT_EQ(slide.size(), QSize(64, 48));
    EXPECT_FALSE(QFile::exists("out/slide-005.png"));
    EXPECT_EQ(wide.pixelColor(32, 4), QColor(Qt::black));  // 64x32 between bars above and below
    EXPECT_EQ(wide.pixelColor(32, 24), QColor(Qt::red));
    EXPECT_EQ(skipped, wide);
    EXPECT_EQ(broken.pixelColor(60, 0), QColor(0, 0, 255));
    EXPECT_EQ(tall.pixelColor(4, 24), QColor(Qt::black));  // 24x48 between bars left and right
    EXPECT_EQ(tall.pixelColor(32, 24), QColor(Qt::green));

    // At its own size and with the card's name written over it; the default size is 1024x768.
    const ProgramRun natural = Cli({"slides", "a.crp", "own", "--info"});
    EXPECT_EQ(natural.code, 1);
    const QImage own = Slide("own", 1);
    EXPECT_EQ(own.size(), QSize(1024, 768));
    EXPECT_EQ(own.pixelColor(472, 364), QColor(Qt::red));
    EXPECT_EQ(own.pixelColor(471, 364), QColor(Qt::black));
    int light = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) light += own.pixelColor(x, y).lightness() > 200;
    EXPECT_GT(light, 20);

    MakeAlbum("good.crp", {{"a", "wide.png"}, {"d", "tall.PNG"}});
    EXPECT_EQ(Cli({"slides", "good.crp", "good", "--size", "32x32"}).code, 0);
    EXPECT_EQ(Slide("good", 2).size(), QSize(32, 32));
}

TEST(SlidesCli, RefusesBadArgumentsAndReportsWhatItCannotDo) {
    ScopedTestDir dir;
    SavePicture("wide.png", 8, 4, Qt::red);
    MakeAlbum("a.crp", {{"a", "wide.png"}});
    EXPECT_EQ(Cli({"slides", "a.crp"}).code, 2);
    for (const char* size : {"0x10", "10", "axb", "10x20000", "-5x5"})
        EXPECT_EQ(Cli({"slides", "a.crp", "out", "--size", size}).code, 2) << size;
    EXPECT_EQ(Cli({"slides", "a.crp", "out", "--colour"}).code, 2);
    EXPECT_EQ(Cli({"slides", "missing.crp", "out"}).code, 1);
    dir.Write("file", "in the way");
    EXPECT_EQ(Cli({"slides", "a.crp", "file"}).code, 1);
    EXPECT_FALSE(QFile::exists("out"));
}

// Slides, contact sheets and movies made beside the photos take no name the album holds.
TEST(SlidesCli, OutputsNeverReplaceTheAlbumOrItsCards) {
    ScopedTestDir dir;
    SavePicture("slide-002.png", 20, 10, Qt::red);
    SavePicture("sheet.png", 20, 10, Qt::green);
    MakeAlbum(dir.Path("a.crp"), {{"One", "sheet.png"}, {"Two", "slide-002.png"}});
    const QByteArray album = ReadAll("a.crp"), card = ReadAll("slide-002.png"), sheet = ReadAll("sheet.png");
    const struct {
        QStringList args;
        QString refused;
    } runs[] = {{{"slides", "a.crp", "."}, dir.Path("slide-002.png")},
                {{"contact", "a.crp", "sheet.png"}, dir.Path("sheet.png")},
                {{"movie", "a.crp", "a.crp"}, QStringLiteral("a.crp")},
                {{"movie", "a.crp", "./sheet.png"}, QStringLiteral("./sheet.png")}};
    for (const auto& run : runs) {
        const ProgramRun result = Cli(run.args);
        EXPECT_EQ(result.code, 1) << run.args.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(run.refused + QStringLiteral(" is the ")))
            << result.err.toStdString();
    }
    EXPECT_EQ(ReadAll("a.crp"), album);
    EXPECT_EQ(ReadAll("slide-002.png"), card);
    EXPECT_EQ(ReadAll("sheet.png"), sheet);
    EXPECT_FALSE(QFileInfo::exists("slide-001.png"));
}
