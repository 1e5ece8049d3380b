// albora-cli draw: the commands a user runs, checked on the files they write.
#include "TestFiles.h"
#include "draw/DrawPage.h"
#include "image/CImageObject.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

const char kPage[] = R"({"pageWidth": 400, "pageHeight": 300, "createdText": "01/02/26  03:04", "objects": [
 {"class": "CDrawRect", "name": "box", "bounds": [-180, 130, -20, 20], "brush": [0, 255, 0]},
 {"class": "CDrawRect", "name": "label", "shape": 4, "bounds": [0, 100, 180, 0], "text": "Hi"},
 {"class": "CDrawPoly", "name": "tri", "points": [[0, 0], [50, -100], [-50, -100]]},
 {"class": "CDrawGroupObj", "name": "g", "bounds": [0, 0, 1, -1],
  "members": [{"class": "CDrawRect", "name": "inner", "bounds": [0, 0, 1, -1]}]}]})";

QJsonObject Show(const QString& file) { return QJsonDocument::fromJson(Cli({"draw", "show", file, "--json"}).out).object(); }

QStringList Names(const QJsonObject& page) {
    QStringList names;
    for (const QJsonValue& object : page["objects"].toArray()) names << object["name"].toString();
    return names;
}

}  // namespace

TEST(DrawCli, BuildShowsBackWhatItWasGivenAndRendersIt) {
    ScopedTestDir dir;
    dir.Write("p.json", kPage);
    const auto build = Cli({"draw", "build", "p.json", "p.adw"});
    ASSERT_EQ(build.code, 0) << build.err.toStdString();
    const QJsonObject page = Show("p.adw");
    EXPECT_EQ(page["createdText"], "01/02/26  03:04");
    EXPECT_EQ(page["complete"], true);
    EXPECT_EQ(Names(page), (QStringList{"box", "label", "tri", "g"}));
    const QJsonArray objects = page["objects"].toArray();
    EXPECT_EQ(objects[0]["pen"].toArray()[0], 6);
    EXPECT_EQ(objects[2]["bounds"].toArray(), (QJsonArray{-50, 0, 50, -100}));
    EXPECT_EQ(objects[2]["pointCapacity"], 10);
    EXPECT_EQ(objects[3]["members"].toArray()[0].toObject()["name"], "inner");
    // Built again from what show printed: the same file.
    dir.Write("again.json", QJsonDocument(page).toJson());
    ASSERT_EQ(Cli({"draw", "build", "again.json", "again.adw"}).code, 0);
    const QByteArray a = ReadAll(dir.Path("p.adw")), b = ReadAll(dir.Path("again.adw"));
    EXPECT_EQ(a.size(), b.size());

    ASSERT_EQ(Cli({"draw", "render", "p.adw", "p.png", "--dpi", "50"}).code, 0);
    const QImage png(dir.Path("p.png"));
    EXPECT_EQ(png.size(), QSize(200, 150));
    // The box, (-180, 130)-(-20, 20), is red at half scale: x (p.x + 200) / 2, y (150 - p.y) / 2.
    EXPECT_EQ(png.pixel(50, 40), qRgb(255, 0, 0));
    EXPECT_EQ(Cli({"draw", "render", "p.adw", "p.txt"}).code, 1);
}

TEST(DrawCli, EditsRunInOrderAndUndo) {
    ScopedTestDir dir;
    dir.Write("p.json", kPage);
    ASSERT_EQ(Cli({"draw", "build", "p.json", "p.adw"}).code, 0);
    const auto edit = Cli({"draw", "edit", "p.adw", "e.adw", "--select", "box,tri", "--move", "10,-10", "--group",
                           "--select", "label", "--line-color", "#0000ff", "--pen-width", "8", "--undo", "--select",
                           "label", "--move-first", "--paper", "0x00eeee"});
    ASSERT_EQ(edit.code, 0) << edit.err.toStdString();
    const QJsonObject page = Show("e.adw");
    EXPECT_EQ(page["paperColor"], 0x00eeee);
    const QStringList names = Names(page);
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(names.back(), "label");
    const QJsonObject label = page["objects"].toArray()[2].toObject();
    EXPECT_EQ(label["pen"].toArray()[3], 0xFF0000);
    EXPECT_EQ(label["pen"].toArray()[1], 1);
    const QJsonObject group = page["objects"].toArray()[1].toObject();
    EXPECT_EQ(group["class"], "CDrawGroupObj");
    EXPECT_EQ(group["members"].toArray()[0].toObject()["bounds"].toArray(), (QJsonArray{-170, 120, -10, 10}));

    EXPECT_EQ(Cli({"draw", "edit", "p.adw", "x.adw", "--select", "nobody"}).code, 1);
    EXPECT_EQ(Cli({"draw", "edit", "p.adw", "x.adw", "--all", "--to-front"}).code, 2);
    EXPECT_EQ(Cli({"draw", "edit", "p.adw", "x.adw", "--redo"}).code, 1);
    EXPECT_FALSE(QFile::exists("x.adw"));
}

TEST(DrawCli, CopyPasteMergeAndReadOnlyPages) {
    ScopedTestDir dir;
    dir.Write("p.json", kPage);
    ASSERT_EQ(Cli({"draw", "build", "p.json", "p.adw"}).code, 0);
    const auto copy = Cli({"draw", "copy", "p.adw", "tri", "box"});
    ASSERT_EQ(copy.code, 0);
    dir.Write("clip", copy.out);
    ASSERT_EQ(Cli({"draw", "new", "n.adw", "--width", "300", "--height", "200"}).code, 0);
    ASSERT_EQ(Cli({"draw", "paste", "n.adw", "clip"}).code, 0);
    EXPECT_EQ(Names(Show("n.adw")), (QStringList{"tri", "box"}));
    EXPECT_EQ(Show("n.adw")["pageWidth"], 300);
    ASSERT_EQ(Cli({"draw", "merge", "n.adw", "p.adw"}).code, 0);
    EXPECT_EQ(Names(Show("n.adw")).size(), 6);

    dir.Write("ro.json", R"({"pageFlags": 5, "objects": []})");
    ASSERT_EQ(Cli({"draw", "build", "ro.json", "ro.adw"}).code, 0);
    const QByteArray before = ReadAll(dir.Path("ro.adw"));
    EXPECT_EQ(Cli({"draw", "paste", "ro.adw", "clip"}).code, 1);
    EXPECT_EQ(Cli({"draw", "merge", "ro.adw", "p.adw"}).code, 1);
    EXPECT_EQ(Cli({"draw", "edit", "ro.adw", "ro.adw", "--all", "--delete"}).code, 1);
    EXPECT_EQ(ReadAll(dir.Path("ro.adw")), before);
}

TEST(DrawCli, NewTakesThePictureAsBackgroundAndAFileReadInPartFails) {
    ScopedTestDir dir;
    CImageObject picture;
    picture.Create(64, 48, 24, 2);
    ASSERT_TRUE(picture.Save(dir.Path("trip.2024.bmp")));
    const auto made = Cli({"draw", "new", "--image", "trip.2024.bmp", "--fix", "--name", "Trip"});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    const QJsonObject page = Show("trip.adw");
    ASSERT_EQ(page["objects"].toArray().size(), 1);
    const QJsonObject link = page["objects"].toArray()[0].toObject();
    EXPECT_EQ(link["shape"], 7);
    EXPECT_EQ(link["name"], "Trip");
    EXPECT_EQ(link["fixed"], 1);
    EXPECT_EQ(link["bounds"].toArray(), (QJsonArray{-32, 24, 32, -24}));
    // Once there, the drawing that goes with the picture is never replaced by a new one.
    const QByteArray whole = ReadAll(dir.Path("trip.adw"));
    const auto again = Cli({"draw", "new", "--image", "trip.2024.bmp"});
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(again.err, QStringLiteral("albora-cli: Error:\ntrip.adw exists: it is left as it is. Name another OUT.adw.\n"));
    EXPECT_EQ(ReadAll(dir.Path("trip.adw")), whole);

    dir.Write("cut.adw", whole.left(whole.size() - 12));
    const auto cut = Cli({"draw", "show", "cut.adw", "--json"});
    EXPECT_EQ(cut.code, 1);
    const QJsonObject partial = QJsonDocument::fromJson(cut.out).object();
    EXPECT_EQ(partial["complete"], false);
    EXPECT_FALSE(partial["error"].toString().isEmpty());
    EXPECT_EQ(Cli({"draw", "render", "cut.adw", "cut.png"}).code, 1);
}

// A file refused before its objects (no annotation, a later version's) is a failure, not an
// empty page read whole; nothing is written from it.
TEST(DrawCli, ARefusedFileFailsWithItsReason) {
    ScopedTestDir dir;
    dir.Write("p.json", kPage);
    ASSERT_EQ(Cli({"draw", "build", "p.json", "p.adw"}).code, 0);
    QByteArray newer = ReadAll(dir.Path("p.adw"));
    newer[4] = char(0x7F);  // the version after the magic
    dir.Write("newer.adw", newer);
    dir.Write("other.adw", "not an annotation at all");
    const struct {
        const char* file;
        const char* reason;
    } refusals[] = {{"other.adw", "not an AlboDraw file"}, {"newer.adw", "made by a later version"}};
    for (const auto& [file, reason] : refusals) {
        const ProgramRun show = Cli({"draw", "show", file, "--json"});
        EXPECT_EQ(show.code, 1) << file;
        const QJsonObject page = QJsonDocument::fromJson(show.out).object();
        EXPECT_EQ(page["complete"], false) << file;
        EXPECT_TRUE(page["error"].toString().startsWith(reason)) << page["error"].toString().toStdString();
        EXPECT_EQ(Cli({"draw", "show", file}).code, 1) << file;
        EXPECT_EQ(Cli({"draw", "edit", file, "out.adw", "--all", "--delete"}).code, 1) << file;
        EXPECT_EQ(Cli({"draw", "merge", "p.adw", file}).code, 1) << file;
    }
    EXPECT_FALSE(QFile::exists(dir.Path("out.adw")));
    EXPECT_EQ(Names(Show("p.adw")), (QStringList{"box", "label", "tri", "g"}));
}

// Inputs named on the command line that are devices or pipes are refused, not read without end.
TEST(DrawCli, InputsThatAreNoRegularFilesAreRefused) {
    ScopedTestDir dir;
    ASSERT_EQ(Cli({"draw", "new", "n.adw"}).code, 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.Path("zero")));
    for (const QStringList& args : {QStringList{"draw", "paste", "n.adw", "zero"}, QStringList{"draw", "build", "zero", "b.adw"},
                                    QStringList{"draw", "merge", "n.adw", "zero"}}) {
        const ProgramRun run = Cli(args);
        EXPECT_EQ(run.code, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("not a regular file")) << run.err.toStdString();
    }
}

TEST(DrawCli, AFullDiskKeepsTheAnnotation) {
    ScopedTestDir dir;
    QDir().mkdir("seed");
    QDir().mkdir("after");
    dir.Write("seed/p.json", kPage);
    ASSERT_EQ(Cli({"draw", "build", "seed/p.json", "seed/p.adw"}).code, 0);
    const QByteArray before = ReadAll(dir.Path("seed/p.adw"));
    const auto run = RunOnFullDisk(dir.Path("seed"), dir.Path("after"), QStringLiteral(ALBORA_CLI_PATH),
                                   {"draw", "edit", "p.adw", "p.adw", "--all", "--move", "1,1"});
    if (!run) GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(run->code, 1);
    EXPECT_TRUE(run->err.contains("Error:\nCan't save draw anotation!:\np.adw")) << run->err.toStdString();
    EXPECT_EQ(ReadAll(dir.Path("after/p.adw")), before);
}

TEST(DrawCli, RenderTheViewAtEachZoomWithItsSurroundAndHandles) {
    ScopedTestDir dir;
    dir.Write("p.json", kPage);
    ASSERT_EQ(Cli({"draw", "build", "p.json", "p.adw"}).code, 0);
    ASSERT_EQ(Cli({"draw", "render", "p.adw", "v.png", "--view", "--zoom", "2:1", "--dpi", "100"}).code, 0);
    EXPECT_EQ(QImage(dir.Path("v.png")).size(), QSize(1200, 900));
    ASSERT_EQ(Cli({"draw", "render", "p.adw", "v.png", "--view", "--grid", "--select", "box", "--dpi", "100"}).code, 0);
    const QImage view(dir.Path("v.png"));
    EXPECT_EQ(view.size(), QSize(400, 300));
    // At 1:1 the page fills the area; the box's top-left handle is an inverted square around
    // (20, 20), over the red frame.
    EXPECT_EQ(view.pixel(22, 22), qRgb(0, 255, 255));
    ASSERT_EQ(Cli({"draw", "render", "p.adw", "v.png", "--view", "--zoom", "1:2", "--dpi", "100"}).code, 0);
    const QImage half(dir.Path("v.png"));
    // The surround is light grey, the shadow black beside the page's right edge.
    EXPECT_EQ(half.pixel(half.width() - 2, half.height() - 2), qRgb(192, 192, 192));
    EXPECT_EQ(half.pixel(25 + 200 + 2, 5 + 100), qRgb(0, 0, 0));
    EXPECT_EQ(Cli({"draw", "render", "p.adw", "v.png", "--grid"}).code, 2);
}
