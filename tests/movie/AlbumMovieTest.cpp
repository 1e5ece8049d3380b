#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "image/ImageTestSupport.h"
#include "movie/AlbumMovie.h"
#include "platform/HeadlessUi.h"

#include <gtest/gtest.h>

namespace {

// An album of pictures in a folder of its own.
struct MovieAlbum {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};

    void Add(const QString& name, const CImageObject& picture) {
        ASSERT_TRUE(picture.Clone().Save(dir.Path(name)));
        auto card = std::make_shared<CFotoObj>();
        card->m_strGraphic = dir.Path(name);
        doc.Db().List().AddTail(card);
    }
    AlbumMovieResult Make(const AlbumMovieOptions& options = {}) {
        return MakeMovieFromAlbum(doc, ui, dir.Path("movie.avi"), options);
    }
};

}  // namespace

TEST(AlbumMovie, EveryCardBecomesAPictureAndTheBoxComesWhenTheMovieIsWhole) {
    MovieAlbum a;
    for (int i = 0; i < 5; ++i) a.Add(QStringLiteral("p%1.png").arg(i), MakeColour(40, 30));
    EXPECT_EQ(a.Make(), AlbumMovieResult::Complete);
    EXPECT_EQ(a.ui.LastMessage(), QStringLiteral("Message:\nAVI movie created!"));
    EXPECT_EQ(a.ui.ProgressSteps(), 5);
    CImageObject first;
    EXPECT_TRUE(first.Load(a.dir.Path("movie.avi"), IMAGE_AVI));
}

TEST(AlbumMovie, AnUnreadableOrMismatchedCardEndsTheLoopAndTheEarlierOnesMakeTheMovie) {
    MovieAlbum a;
    a.Add("a.png", MakeColour(40, 30));
    a.Add("b.png", MakeColour(40, 31));
    a.Add("c.png", MakeColour(40, 30));
    EXPECT_EQ(a.Make(), AlbumMovieResult::Partial);
    ASSERT_EQ(a.ui.Messages().size(), 2u);
    EXPECT_EQ(a.ui.Messages()[0].text, QStringLiteral("Error:\nCan't add frame: ") + a.dir.Path("b.png"));
    EXPECT_EQ(a.ui.Messages()[1].text, QStringLiteral("Message:\nAVI movie created!"));

    MovieAlbum missing;
    missing.Add("a.png", MakeColour(40, 30));
    missing.doc.Db().List().GetAt(0)->m_strGraphic = missing.dir.Path("gone.png");
    EXPECT_EQ(missing.Make(), AlbumMovieResult::NotMade);
    EXPECT_EQ(missing.ui.Messages()[0].text, QStringLiteral("Error:\nReading file: ") + missing.dir.Path("gone.png"));
    EXPECT_EQ(missing.ui.LastMessage(), QStringLiteral("Error:\nCan't create AVI movie!"));
    EXPECT_FALSE(QFileInfo::exists(missing.dir.Path("movie.avi")));
}

TEST(AlbumMovie, FitScalesEveryPictureIntoTheFrameOnBlack) {
    MovieAlbum a;
    a.Add("wide.png", MakeColour(80, 30));
    a.Add("tall.jpg", MakeColour(20, 60));
    a.Add("few.gif", MakeIndexed(30, 30, 16));
    AlbumMovieOptions options;
    options.fit = QSize(64, 48);
    EXPECT_EQ(a.Make(options), AlbumMovieResult::Complete);
    const std::optional<CImageObject> tall = MovieFrame(a.dir.Path("tall.jpg"), options);
    ASSERT_TRUE(tall);
    EXPECT_EQ(QSize(tall->GetWidth(), tall->GetHeight()), QSize(64, 48));
    EXPECT_EQ(tall->GetBitsPerPixel(), 24);
    EXPECT_EQ(TopDownPixel(*tall, 2, 24), (Rgb{0, 0, 0}));  // a bar left of the picture
    EXPECT_NE(TopDownPixel(*tall, 32, 24), (Rgb{0, 0, 0}));
}

TEST(AlbumMovie, EscWritesNothingAndLeavesTheOlderMovie) {
    MovieAlbum a;
    for (int i = 0; i < 8; ++i) a.Add(QStringLiteral("p%1.png").arg(i), MakeColour(40, 30));
    a.dir.Write("movie.avi", "older");
    a.ui.CancelAfterSteps(2);
    EXPECT_EQ(a.Make(), AlbumMovieResult::NotMade);
    EXPECT_EQ(ReadAll(a.dir.Path("movie.avi")), "older");
    EXPECT_TRUE(a.ui.Messages().empty());
}

TEST(AlbumMovie, AFullDiskIsToldAndTheOlderMovieStays) {
    ScopedTestDir seed, result;
    ASSERT_TRUE(MakeColour(200, 150).Save(seed.Path("p.png")));
    seed.Write("movie.avi", "older");
    ASSERT_EQ(Cli({"album", "new", seed.Path("a.crp")}).code, 0);
    for (int i = 0; i < 40; ++i) ASSERT_EQ(Cli({"album", "add", seed.Path("a.crp"), "p.png"}).code, 0);
    const auto run = RunOnFullDisk(seed.Path(), result.Path(), QStringLiteral(ALBORA_CLI_PATH),
                                   {"movie", "a.crp", "movie.avi"});
    if (!run) GTEST_SKIP() << "needs a private mount namespace";
    EXPECT_EQ(run->code, 1);
    EXPECT_TRUE(run->err.contains(QStringLiteral("Error:\nCan't create AVI movie!"))) << run->err.toStdString();
    EXPECT_EQ(ReadAll(result.Path("movie.avi")), "older");
    EXPECT_EQ(QDir(result.Path()).entryList({"movie.avi*"}, QDir::Files | QDir::Hidden).size(), 1);
}
