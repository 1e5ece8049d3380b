#include "WebSiteFixture.h"

#include "image/ImageTestSupport.h"
#include "platform/FolderLock.h"
#include "web/SiteManifest.h"

#include <gtest/gtest.h>

namespace {

// An album whose site is made in the photos' own folder.
struct SiteAmongThePhotos : WebSiteFixture {
    SiteAmongThePhotos() {
        out = web.outputDirectory = dir.Path();
        AddCard(QStringLiteral("a.jpg"), Bytes(MakeColour(64, 48), QStringLiteral("jpg")));
        AddCard(QStringLiteral("b.png"), Bytes(MakeColour(64, 48), QStringLiteral("png")));
        dir.Write(QStringLiteral("a.wav"), "the note");
        web.includeSound = true;
        web.pictureBox = QSize(16, 12);
        Template(QStringLiteral("index.htm"), "{BEGINITERATESELECTED}{IMAGESELARCH} {ENDITERATESELECTED}");
    }
    static QByteArray Bytes(const CImageObject& picture, const QString& extension) {
        ScopedTestDir scratch;
        EXPECT_TRUE(picture.Clone().Save(scratch.Path(QStringLiteral("p.") + extension)));
        return ReadAll(scratch.Path(QStringLiteral("p.") + extension));
    }
};

}  // namespace

TEST(WebGuard, ASiteInThePhotosFolderTakesOtherNamesAndLeavesEveryOriginal) {
    SiteAmongThePhotos f;
    // Photos of the user's that are no cards, and a card whose file is away for now.
    f.dir.Write("b.jpg", "another photo");
    QDir().mkpath(f.dir.Path("thumbs"));
    f.dir.Write("thumbs/b.jpg", "a thumbnail of the user's");
    f.AddCard(QStringLiteral("c.png"));
    f.doc.Db().List().GetAt(2)->m_strGraphic = QStringLiteral("gone.jpg");
    const QByteArray a = ReadAll(f.dir.Path("a.jpg")), b = ReadAll(f.dir.Path("b.png"));
    ASSERT_EQ(f.Generate(), WebSiteResult::Incomplete) << f.ui.LastMessage().toStdString();
    EXPECT_EQ(ReadAll(f.dir.Path("a.jpg")), a);
    EXPECT_EQ(ReadAll(f.dir.Path("b.png")), b);
    EXPECT_EQ(ReadAll(f.dir.Path("a.wav")), "the note");
    EXPECT_EQ(ReadAll(f.dir.Path("b.jpg")), "another photo");
    EXPECT_EQ(ReadAll(f.dir.Path("thumbs/b.jpg")), "a thumbnail of the user's");
    EXPECT_FALSE(QFileInfo::exists(f.dir.Path("gone.jpg")));
    EXPECT_EQ(f.Page(QStringLiteral("index.htm")), QStringLiteral("a-2.jpg b-2.jpg gone-2.jpg \r\n"));
    CImageObject copy;
    ASSERT_TRUE(copy.Load(f.dir.Path("a-2.jpg")));
    EXPECT_EQ(copy.GetWidth(), 16);
    EXPECT_EQ(ReadAll(f.dir.Path("a-2.wav")), "the note");

    // Run again, and again after a card went: the site keeps its names and removes its own copy.
    ASSERT_EQ(f.Generate(), WebSiteResult::Incomplete);
    EXPECT_EQ(f.Page(QStringLiteral("index.htm")), QStringLiteral("a-2.jpg b-2.jpg gone-2.jpg \r\n"));
    f.doc.Db().List().RemoveAt(1);
    ASSERT_EQ(f.Generate(), WebSiteResult::Incomplete);
    EXPECT_EQ(ReadAll(f.dir.Path("a.jpg")), a);
    EXPECT_EQ(ReadAll(f.dir.Path("b.png")), b);
    EXPECT_FALSE(QFileInfo::exists(f.dir.Path("b-2.jpg")));
    EXPECT_EQ(ReadAll(f.dir.Path("b.jpg")), "another photo");
}

TEST(WebGuard, TwoRunsNeverMakeOneSiteAtOnce) {
    WebSiteFixture f;
    f.AddCard(QStringLiteral("a.jpg"));
    f.Template(QStringLiteral("index.htm"), "{TOTALCNT}");
    QDir().mkpath(f.out);
    {
        const FolderLock other(f.out);
        ASSERT_TRUE(other.Held());
        EXPECT_EQ(f.Generate(), WebSiteResult::NotMade);
        EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nThe web site in %1 is being made by another run.").arg(f.out));
        EXPECT_FALSE(f.Written(QStringLiteral("index.htm")));
    }
    EXPECT_EQ(f.Generate(), WebSiteResult::Complete);
}

TEST(WebGuard, ARecordRemovesOnlyWhatThisUsersRunsWroteAndStillHoldAsWritten) {
    SiteAmongThePhotos f;
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    const QString manifest = f.dir.Path(SiteManifest::kFileName);
    const QByteArray signedRecord = ReadAll(manifest);

    // A planted record, even with the right sizes and contents, is not ours.
    f.dir.Write("notes.txt", "mine");
    QByteArray json = signedRecord;
    json.replace("\"outputs\":{", "\"outputs\":{\"notes.txt\":{\"key\":\"k\",\"size\":4,\"content\":\"" +
                                      SiteManifest::ContentKeyOf(f.dir.Path("notes.txt")).toLatin1() + "\"},");
    f.dir.Write(SiteManifest::kFileName, json);
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(ReadAll(f.dir.Path("notes.txt")), "mine");

    // Our own record naming a card's file (made when it was not one) does not remove it either,
    // nor an output changed since it was written.
    SiteManifest ours = SiteManifest::Load(f.out);
    ours.Record(f.out, QStringLiteral("b.png"), QStringLiteral("k"));
    ours.Record(f.out, QStringLiteral("notes.txt"), QStringLiteral("k"));
    ASSERT_TRUE(ours.Save(f.out));
    f.dir.Write("notes.txt", "mine, edited");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_TRUE(QFileInfo::exists(f.dir.Path("b.png")));
    EXPECT_EQ(ReadAll(f.dir.Path("notes.txt")), "mine, edited");
}

TEST(WebGuard, AThumbsFolderThatLeadsElsewhereIsRefusedBeforeAnythingIsWritten) {
    WebSiteFixture f;
    f.AddCard(QStringLiteral("a.jpg"));
    f.Template(QStringLiteral("index.htm"), "{TOTALCNT}");
    ScopedTestDir elsewhere;
    elsewhere.Write("a.jpg", "someone's picture");
    QDir().mkpath(f.out);
    ASSERT_TRUE(QFile::link(elsewhere.Path(), f.out + QStringLiteral("/thumbs")));
    EXPECT_EQ(f.Generate(), WebSiteResult::NotMade);
    EXPECT_EQ(f.ui.LastMessage(),
              QStringLiteral("Error:\n%1/thumbs is a symbolic link: it is left as it is.").arg(f.out));
    EXPECT_EQ(ReadAll(elsewhere.Path("a.jpg")), "someone's picture");
    EXPECT_FALSE(f.Written(QStringLiteral("index.htm")));
}

TEST(WebGuard, AFullDiskStopsTheSiteBeforeAnyPageChangesWithOneMessage) {
    ScopedTestDir seed, result;
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(MakeColour(200, 150).Save(seed.Path(QStringLiteral("p%1.png").arg(i))));
    ASSERT_EQ(Cli({"album", "new", seed.Path("a.crp")}).code, 0);
    for (int i = 0; i < 6; ++i)
        ASSERT_EQ(Cli({"album", "add", seed.Path("a.crp"), QStringLiteral("p%1.png").arg(i)}).code, 0);
    ASSERT_EQ(Cli({"web", seed.Path("a.crp"), seed.Path("site"), "--picture", "40x30"}).code, 0);
    const QByteArray page = ReadAll(seed.Path("site/index.htm"));
    ASSERT_FALSE(page.isEmpty());
    const auto run = RunOnFullDisk(seed.Path(), result.Path(), QStringLiteral(ALBORA_CLI_PATH),
                                   {"web", "a.crp", "site", "--picture", "original"});
    if (!run) GTEST_SKIP() << "needs a private mount namespace";
    EXPECT_EQ(run->code, 1);
    EXPECT_EQ(run->err.count(QStringLiteral("Error:")), 1) << run->err.toStdString();
    EXPECT_TRUE(run->err.contains(QStringLiteral("No space left on device"))) << run->err.toStdString();
    EXPECT_EQ(ReadAll(result.Path("site/index.htm")), page);
    EXPECT_FALSE(ReadAll(result.Path("site/index.htm")).contains("\"-1\""));
}
