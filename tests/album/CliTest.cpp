#include "TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(Cli, MakesFillsShowsAndSearchesAnAlbum) {
    ScopedTestDir dir;
    ASSERT_EQ(Cli({"album", "new", "a.crp", "--name", "Trip", "--author", "Ana", "--created",
                   "946684800"}).code, 0);
    ASSERT_EQ(Cli({"album", "add", "a.crp", "b.jpg", "--description", "Beach"}).code, 0);
    ASSERT_EQ(Cli({"album", "add", "a.crp", "/pics/Dog.jpg", "--name", "Dog"}).code, 0);

    const ProgramRun show = Cli({"album", "show", "a.crp", "--json"});
    ASSERT_EQ(show.code, 0) << show.err.toStdString();
    const QJsonObject album = QJsonDocument::fromJson(show.out).object();
    EXPECT_EQ(album["name"].toString(), QStringLiteral("Trip"));
    EXPECT_EQ(album["created"].toInteger(), 946684800);
    const QJsonArray cards = album["cards"].toArray();
    ASSERT_EQ(cards.size(), 2);
    EXPECT_EQ(cards[0].toObject()["name"].toString(), QStringLiteral("b.jpg"));  // "b.jpg" < "dog" folded
    EXPECT_EQ(cards[1].toObject()["description"].toString(), QStringLiteral("No description"));

    const ProgramRun search = Cli({"album", "search", "a.crp", "--by", "Description", "--text", "Bea", "--json"});
    ASSERT_EQ(search.code, 0);
    EXPECT_EQ(QJsonDocument::fromJson(search.out).object()["cards"].toArray().size(), 1);

    const ProgramRun stream = Cli({"album", "stream", "a.crp"});
    EXPECT_TRUE(stream.out.startsWith(Hex("FFFF 0000 0C00") + "CFotoObjList" + Hex("0200")));
}

TEST(Cli, MakesAnAlbumFromAFolder) {
    ScopedTestDir dir;
    QDir().mkdir("pics");
    dir.Write("pics/x.png", "p");
    dir.Write("pics/y.jpg", "j");
    ASSERT_EQ(Cli({"album", "from-folder", "pics", "out.crp", "--mask", "*.png", "--no-path"}).code, 0);
    const QJsonObject album =
        QJsonDocument::fromJson(Cli({"album", "show", "out.crp", "--json"}).out).object();
    ASSERT_EQ(album["cards"].toArray().size(), 1);
    EXPECT_EQ(album["cards"][0]["graphic"].toString(), QStringLiteral("x.png"));
    EXPECT_EQ(album["directory"].toString(), dir.Path("pics"));
}

TEST(Cli, ReportsFailuresAndUsageErrorsByExitCode) {
    ScopedTestDir dir;
    dir.Write("bad.crp", "not an album at all");
    const ProgramRun bad = Cli({"album", "show", "bad.crp"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains("Fatal Error:\nIn file!")) << bad.err.toStdString();
    EXPECT_EQ(Cli({"album", "show", "missing.crp"}).code, 1);
    // A pipe is neither waited on nor a device read without end.
    ASSERT_EQ(::mkfifo("pipe.crp", 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), "zero.crp"));
    for (const char* name : {"pipe.crp", "zero.crp"})
        for (const char* command : {"show", "stream"}) {
            const ProgramRun refused = Cli({"album", command, name});
            EXPECT_EQ(refused.code, 1) << name << ' ' << command;
            EXPECT_TRUE(refused.err.contains("not a regular file")) << refused.err.toStdString();
        }
    EXPECT_EQ(Cli({"album", "bogus"}).code, 2);
    EXPECT_EQ(Cli({"album", "new"}).code, 2);
    EXPECT_EQ(Cli({"album", "new", "x.crp", "--created", "-5"}).code, 2);
    EXPECT_EQ(Cli({"album", "search", "bad.crp", "--by", "Colour", "--text", "x"}).code, 2);
    EXPECT_FALSE(QFile::exists(dir.Path("x.crp")));
}

TEST(Cli, RendersTheAlbumAsPagesOfThumbnails) {
    ScopedTestDir dir;
    // A red 64x48 picture as a bare 24-bit bitmap: the album tests link no image library.
    QByteArray bmp = Hex("424D 00000000 00000000 36000000 28000000 40000000 30000000 0100 1800 00000000");
    bmp += QByteArray(24, '\0');
    for (int i = 0; i < 64 * 48; ++i) bmp += Hex("1E1EC8");
    dir.Write("red.bmp", bmp);
    ASSERT_EQ(Cli({"album", "new", "a.crp"}).code, 0);
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(Cli({"album", "add", "a.crp", dir.Path(i == 4 ? "missing.jpg" : "red.bmp"), "--name", QString::number(i)}).code, 0);
    const ProgramRun run = Cli({"contact", "a.crp", "sheet.png", "--columns", "2", "--info"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    // Two columns and two rows a page: five cards make two pages.
    EXPECT_TRUE(QFile::exists(dir.Path("sheet-1.png")));
    EXPECT_TRUE(QFile::exists(dir.Path("sheet-2.png")));
    EXPECT_FALSE(QFile::exists(dir.Path("sheet-3.png")));
    // The first page is two cells wide, each 80 pixels and a gap of 10, after a margin of 10.
    const QByteArray png = ReadAll(dir.Path("sheet-1.png"));
    ASSERT_TRUE(png.startsWith("\x89PNG"));
    EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 16), 10u + 2 * 90);
    EXPECT_EQ(Cli({"contact", "a.crp", "x.png", "--size", "9"}).code, 2);
    EXPECT_EQ(Cli({"contact", "missing.crp", "x.png"}).code, 1);
}

TEST(Cli, AnAlbumMadeOnWindowsFindsItsCardsBesideTheAlbumFile) {
    ScopedTestDir dir;
    QDir().mkpath("copied/Sub");
    dir.Write("copied/img_0001.jpg", "1");
    dir.Write("copied/Sub/B.JPG", "2");
    ASSERT_EQ(Cli({"album", "new", "copied/win.crp", "--directory", "C:\\ALBORA\\Album_0000"}).code, 0);
    ASSERT_EQ(Cli({"album", "add", "copied/win.crp", "C:\\ALBORA\\Album_0000\\IMG_0001.JPG"}).code, 0);
    ASSERT_EQ(Cli({"album", "add", "copied/win.crp", "C:\\ALBORA\\Album_0000\\sub\\b.jpg"}).code, 0);
    ASSERT_EQ(Cli({"album", "add", "copied/win.crp", "GONE.JPG"}).code, 0);
    QDir::setCurrent(QDir::rootPath());  // the shell's folder plays no part
    const ProgramRun show = Cli({"album", "show", dir.Path("copied/win.crp"), "--json", "--resolved"});
    ASSERT_EQ(show.code, 0) << show.err.toStdString();
    const QJsonArray cards = QJsonDocument::fromJson(show.out)["cards"].toArray();
    ASSERT_EQ(cards.size(), 3);
    EXPECT_EQ(cards[0]["graphic"].toString(), QStringLiteral("C:\\ALBORA\\Album_0000\\IMG_0001.JPG"));
    EXPECT_EQ(cards[0]["resolved"].toString(), dir.Path("copied/img_0001.jpg"));
    EXPECT_EQ(cards[1]["resolved"].toString(), dir.Path("copied/Sub/B.JPG"));
    EXPECT_EQ(cards[2]["resolved"].toString(), dir.Path("copied/GONE.JPG"));
    const ProgramRun text = Cli({"album", "show", dir.Path("copied/win.crp"), "--resolved"});
    EXPECT_TRUE(text.out.contains("\t" + dir.Path("copied/img_0001.jpg").toUtf8() + "\n"));
}

TEST(Cli, ASaveOnAFullDiskSaysWhyAndKeepsTheAlbum) {
    ScopedTestDir dir;
    QDir().mkdir("seed");
    QDir().mkdir("after");
    ASSERT_EQ(Cli({"album", "new", "seed/a.crp", "--name", "Kept"}).code, 0);
    const QByteArray before = ReadAll(dir.Path("seed/a.crp"));
    const auto run = RunOnFullDisk(dir.Path("seed"), dir.Path("after"), QStringLiteral(ALBORA_CLI_PATH),
                                   {"album", "add", "a.crp", "x.jpg"});
    if (!run) GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(run->code, 1);
    EXPECT_TRUE(run->err.contains("No space left on device")) << run->err.toStdString();
    EXPECT_EQ(ReadAll(dir.Path("after/a.crp")), before);
    EXPECT_EQ(QDir(dir.Path("after")).entryList(QDir::Files | QDir::Hidden), QStringList{"a.crp"});
}

TEST(Cli, ABatchCommandThatSucceedsPrintsNothingOnStandardError) {
    ScopedTestDir dir;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("XDG_RUNTIME_DIR");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ALBORA_CLI_PATH), {"album", "new", "a.crp"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError(), QByteArray());
    // A compound file cut short is refused in the program's own words, without library noise.
    const QByteArray album = ReadAll(dir.Path("a.crp"));
    dir.Write("cut.crp", album.left(album.size() / 2 + 100));
    const ProgramRun cut = Cli({"album", "show", "cut.crp"});
    EXPECT_EQ(cut.code, 1);
    EXPECT_FALSE(cut.err.contains("CRITICAL")) << cut.err.toStdString();
    EXPECT_FALSE(cut.err.contains("WARNING")) << cut.err.toStdString();
}

// Options named like Qt's own reach the command: Qt never sees the user's command line.
TEST(Cli, OptionsNamedLikeQtsOwnReachTheCommand) {
    ScopedTestDir dir;
    ASSERT_EQ(Cli({"album", "new", "a.crp"}).code, 0);
    const struct {
        const char* name;
        bool takesValue;
    } qtOptions[] = {{"style", true},      {"stylesheet", true},    {"platform", true},     {"platformpluginpath", true},
                     {"platformtheme", true}, {"display", true},    {"geometry", true},     {"qwindowgeometry", true},
                     {"qwindowtitle", true}, {"qwindowicon", true}, {"title", true},        {"icon", true},
                     {"name", true},       {"session", true},       {"plugin", true},       {"graphicssystem", true},
                     {"reverse", false},   {"widgetcount", false},  {"qmljsdebugger", false}, {"nograb", false},
                     {"dograb", false},    {"sync", false},         {"testability", false}};
    for (const auto& option : qtOptions)
        for (const char* dashes : {"-", "--"}) {
            QStringList args{"album", "show", "a.crp", dashes + QString::fromLatin1(option.name)};
            if (option.takesValue) args << "offscreen";
            const ProgramRun run = Cli(args);
            EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
            EXPECT_TRUE(run.err.contains("albora-cli: ")) << run.err.toStdString();
        }
    // The value reaches the command too.
    const ProgramRun formal = Cli({"web", "a.crp", "formal", "--style", "Formal"});
    ASSERT_EQ(formal.code, 0) << formal.err.toStdString();
    EXPECT_EQ(ReadAll(dir.Path("formal/style.css")), ReadAll(QStringLiteral(ALBORA_TESTS_DIR "/../data/HTMLWIZ/STYLES/Formal/style.css")));
    const ProgramRun unknown = Cli({"web", "a.crp", "site", "--style", "NoSuchStyle"});
    EXPECT_NE(unknown.code, 0);
    EXPECT_FALSE(QFile::exists(dir.Path("site/index.htm")) || QFile::exists(dir.Path("site/index.html")));
}
