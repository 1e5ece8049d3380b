#include "TestDoubles.h"
#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/CommandIds.h"
#include "platform/HeadlessUi.h"
#include "platform/ProgramPaths.h"

#include <gtest/gtest.h>

namespace {


class DrawLog : public DrawAnnotationLink {
public:
    void LoadForCurrentCard() override { ++loads; }
    void Discard() override { ++discards; }
    bool HasUnsavedChanges() const override { return false; }
    bool AskToSave() override { return true; }
    int loads = 0, discards = 0;
};

struct DocFixture {
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};

    void AddCards(int n) {
        for (int i = 0; i < n; ++i) {
            auto card = std::make_shared<CFotoObj>();
            card->m_strName = QString::number(i);
            doc.Db().InsertSorted(card);
        }
    }
    bool Enabled(int id) const { return doc.Update(id).enabled; }
};

}  // namespace

TEST(AlboraDoc, AnEmptyAlbumDisablesNavigation) {
    DocFixture f;
    for (int id : {Cmd::GoTop, Cmd::GoBottom, Cmd::RunImages, Cmd::GoNext, Cmd::GoPrev})
        EXPECT_FALSE(f.Enabled(id)) << id;
    EXPECT_TRUE(f.Enabled(Cmd::AlbumInformation));
    EXPECT_FALSE(f.Enabled(Cmd::FileSave));  // nothing changed yet
}

TEST(AlboraDoc, PrevFromTheFirstCardLeavesNoCurrentCard) {
    DocFixture f;
    f.AddCards(2);
    HintLog view;
    DrawLog draw;
    f.doc.AddView(&view);
    f.doc.SetDrawAnnotationLink(&draw);
    f.doc.Execute(Cmd::GoTop);
    EXPECT_EQ(f.doc.m_nCurrent, 0);
    EXPECT_TRUE(f.Enabled(Cmd::GoPrev));
    f.doc.Execute(Cmd::GoPrev);
    EXPECT_EQ(f.doc.m_nCurrent, -1);
    EXPECT_FALSE(f.Enabled(Cmd::GoPrev));
    f.doc.Execute(Cmd::GoBottom);
    EXPECT_EQ(f.doc.m_nCurrent, 1);
    EXPECT_FALSE(f.Enabled(Cmd::GoNext));
    EXPECT_EQ(view.hints, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(draw.loads, 3);
}

TEST(AlboraDoc, RunShowsEveryCardInTurnAndWraps) {
    DocFixture f;
    f.AddCards(3);
    EXPECT_FALSE(f.Enabled(Cmd::StopRunImages));
    f.doc.Execute(Cmd::RunImages);
    EXPECT_EQ(f.doc.m_bRunning, 1);
    std::vector<int> shown{f.doc.m_nCurrent};
    for (int tick = 0; tick < 5; ++tick) {
        f.doc.OnRunTick();
        shown.push_back(f.doc.m_nCurrent);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0, 1, 2}));
    EXPECT_TRUE(f.Enabled(Cmd::StopRunImages));
    f.doc.Execute(Cmd::StopRunImages);
    f.doc.OnRunTick();
    EXPECT_EQ(f.doc.m_nCurrent, 2);
}

TEST(AlboraDoc, NewAlbumsProposeNumberedFoldersBelowTheProgramDirectory) {
    ScopedTestDir dir;
    ProgramPaths::CaptureProgramDirectory();
    QDir().mkdir("Album_0001");
    DocFixture f;
    std::vector<AlbumInfoFields> proposed;
    f.doc.editAlbumInfo = [&](AlbumInfoFields& fields) {
        proposed.push_back(fields);
        fields.author = QStringLiteral("Ana");
        return true;
    };
    ASSERT_TRUE(f.doc.FileNew());
    ASSERT_EQ(proposed.size(), 1u);
    EXPECT_EQ(proposed[0].name, QStringLiteral("Album_0000"));
    EXPECT_EQ(proposed[0].directory, dir.Path("Album_0000"));
    EXPECT_EQ(f.doc.Db().List().m_strAuthor, QStringLiteral("Ana"));
    // The folder waits for the first save, which records it in the album.
    EXPECT_FALSE(QFileInfo::exists(dir.Path("Album_0000")));
    f.doc.SetPathName(dir.Path("trip.crp"));
    ASSERT_TRUE(f.doc.FileSave());
    EXPECT_EQ(f.doc.Db().List().m_strDirectory, dir.Path("Album_0000"));
    EXPECT_TRUE(QFileInfo(dir.Path("Album_0000")).isDir());
    EXPECT_EQ(QDir::currentPath(), dir.Path("Album_0000"));
    ASSERT_TRUE(f.doc.FileOpen(dir.Path("trip.crp")));
    EXPECT_EQ(f.doc.Db().List().m_strDirectory, dir.Path("Album_0000"));

    ASSERT_TRUE(f.doc.FileNew());
    EXPECT_EQ(proposed.back().name, QStringLiteral("Album_0002"));  // 0001 exists
    // A New left untouched leaves no folder behind; the first picture needs one.
    f.doc.SetModifiedFlag(false);
    ASSERT_TRUE(f.doc.FileNew());
    EXPECT_FALSE(QFileInfo::exists(dir.Path("Album_0002")));
    EXPECT_EQ(proposed.back().name, QStringLiteral("Album_0003"));
    EXPECT_FALSE(f.doc.NextImageFileName().isEmpty());
    EXPECT_EQ(QDir::currentPath(), dir.Path("Album_0003"));
    EXPECT_EQ(f.doc.Db().List().m_strDirectory, dir.Path("Album_0003"));
}

// The album the program starts with is nobody's choice: it is not asked about, and it leaves
// nothing on the disk unless it is used.
TEST(AlboraDoc, TheStartingAlbumIsNotAskedAboutAndMakesNoFolderUntilSaved) {
    ScopedTestDir dir;
    ProgramPaths::CaptureProgramDirectory();
    DocFixture f;
    bool asked = false;
    f.doc.editAlbumInfo = [&](AlbumInfoFields&) { return asked = true; };
    ASSERT_TRUE(f.doc.FileNewUnasked());
    EXPECT_FALSE(asked);
    EXPECT_EQ(f.doc.Db().List().m_strName, QStringLiteral("Album_0000"));
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_FALSE(QFileInfo::exists(dir.Path("Album_0000")));
    // The information shows the folder it will have; the next New is asked about again.
    AlbumInfoFields shown;
    f.doc.editAlbumInfo = [&](AlbumInfoFields& fields) {
        shown = fields;
        return true;
    };
    f.doc.Execute(Cmd::AlbumInformation);
    EXPECT_EQ(shown.directory, dir.Path("Album_0000"));
    EXPECT_FALSE(QFileInfo::exists(dir.Path("Album_0000")));
    f.doc.SetPathName(dir.Path("start.crp"));
    ASSERT_TRUE(f.doc.FileSave());
    EXPECT_TRUE(QFileInfo(dir.Path("Album_0000")).isDir());
    asked = false;
    f.doc.editAlbumInfo = [&](AlbumInfoFields&) { return asked = true; };
    ASSERT_TRUE(f.doc.FileNew());
    EXPECT_TRUE(asked);
}

TEST(AlboraDoc, CancellingTheNewAlbumDialogKeepsTheNameAndNoDirectoryAndNothingToSave) {
    ScopedTestDir dir;
    ProgramPaths::CaptureProgramDirectory();
    DocFixture f;
    f.doc.editAlbumInfo = [](AlbumInfoFields&) { return false; };
    ASSERT_TRUE(f.doc.FileNew());
    EXPECT_EQ(f.doc.Db().List().m_strName, QStringLiteral("Album_0000"));
    EXPECT_TRUE(f.doc.Db().List().m_strDirectory.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.Path("Album_0000")));
    // Nobody changed this album: closing it asks nothing. Typed information is kept until saved.
    EXPECT_FALSE(f.doc.IsModified());
    f.doc.editAlbumInfo = [](AlbumInfoFields& fields) {
        fields.description = QStringLiteral("Summer");
        return true;
    };
    ASSERT_TRUE(f.doc.FileNew());
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(AlboraDoc, WithoutFolderCreationTheAlbumDirectoryStaysEmpty) {
    ScopedTestDir dir;
    ProgramPaths::CaptureProgramDirectory();
    DocFixture f;
    f.settings.flgCreaDir = 0;
    AlbumInfoFields seen;
    f.doc.editAlbumInfo = [&](AlbumInfoFields& fields) {
        seen = fields;
        return true;
    };
    ASSERT_TRUE(f.doc.FileNew());
    EXPECT_EQ(seen.directory, dir.Path() + "/");
    EXPECT_TRUE(f.doc.Db().List().m_strName.isEmpty());
    EXPECT_TRUE(f.doc.Db().List().m_strDirectory.isEmpty());
}

TEST(AlboraDoc, AlbumFromFolderTakesTheMaskedFilesSortedWithTheirSizes) {
    ScopedTestDir dir;
    QDir().mkdir("pics");
    dir.Write("pics/b.jpg", QByteArray(12345, 'x'));
    dir.Write("pics/A.GIF", "gif");
    dir.Write("pics/c.jpeg", "");
    dir.Write("pics/d.png", "png");
    QDir().mkdir("pics/e.jpg");  // a folder is no image
    DocFixture f;
    f.settings.addPathBrowser = 0;
    ASSERT_TRUE(f.doc.NewAlbumFromFolder(dir.Path("pics")));
    const CFotoObjList& album = f.doc.Db().List();
    ASSERT_EQ(album.GetCount(), 3);
    EXPECT_EQ(album.GetAt(0)->m_strName, QStringLiteral("A.GIF"));
    EXPECT_EQ(album.GetAt(1)->m_strGraphic, QStringLiteral("b.jpg"));
    EXPECT_EQ(album.GetAt(1)->m_strDescription, QStringLiteral("00012345 bytes"));
    EXPECT_EQ(album.GetAt(2)->m_strName, QStringLiteral("c.jpeg"));
    EXPECT_EQ(album.m_strDirectory, dir.Path("pics"));
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_TRUE(f.ui.Messages().empty());

    f.settings.addPathBrowser = 1;
    f.settings.browserMask = QStringLiteral("All images (*.jpg; *.jpeg; *.gif;*.bmp; *.dib; *png; *.avi)");
    f.ui.QueueAnswer(MsgAnswer::No);  // do not save the first album
    ASSERT_TRUE(f.doc.NewAlbumFromFolder(dir.Path("pics")));
    EXPECT_EQ(f.doc.Db().GetCount(), 4);
    EXPECT_EQ(f.doc.Db().GetAt(3)->m_strName, dir.Path("pics/d.png"));
}

TEST(AlboraDoc, AFileOfFourGigabytesOrMoreIsDescribedWithItsRealSize) {
    ScopedTestDir dir;
    QFile big(dir.Path("big.jpg"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(5368709120LL));  // sparse: takes no room on disk
    big.close();
    DocFixture f;
    ASSERT_TRUE(f.doc.NewAlbumFromFolder(dir.Path()));
    EXPECT_EQ(f.doc.Db().GetAt(0)->m_strDescription, QStringLiteral("5368709120 bytes"));
}

TEST(AlboraDoc, AlbumFromAFolderWithoutMatchesSaysSo) {
    ScopedTestDir dir;
    DocFixture f;
    ASSERT_TRUE(f.doc.NewAlbumFromFolder(dir.Path()));
    EXPECT_EQ(f.ui.LastMessage(),
              QStringLiteral("Message:\nNo files found type:\nInternet images (*.jpg; *.jpeg; *.gif)"));
    EXPECT_EQ(f.ui.Messages().back().icon, MsgIcon::Information);
}

TEST(AlboraDoc, CancellingTheSavePromptOfAnAlbumFromFolderClearsItsFlag) {
    ScopedTestDir dir;
    ProgramPaths::CaptureProgramDirectory();
    DocFixture f;
    f.doc.SetModifiedFlag();
    f.ui.QueueAnswer(MsgAnswer::Cancel);
    EXPECT_FALSE(f.doc.NewAlbumFromFolder(dir.Path()));
    // The next new album shows its dialog again.
    bool asked = false;
    f.doc.editAlbumInfo = [&](AlbumInfoFields&) { return asked = true; };
    f.ui.QueueAnswer(MsgAnswer::No);
    ASSERT_TRUE(f.doc.FileNew());
    EXPECT_TRUE(asked);
}

TEST(AlboraDoc, NewImageNamesFollowThePatternAndSkipExistingFiles) {
    ScopedTestDir dir;
    DocFixture f;
    EXPECT_EQ(f.doc.NextImageFileName(), QStringLiteral("IMG_0000.bmp"));
    dir.Write("IMG_0001.bmp", "x");
    EXPECT_EQ(f.doc.NextImageFileName(), QStringLiteral("IMG_0002.bmp"));
    f.settings.flgJPG = 1;
    EXPECT_EQ(f.doc.NextImageFileName(), QStringLiteral("IMG_0003.jpg"));
    // The other counters run on their own.
    EXPECT_EQ(f.doc.NextImageFileName(CAlboraDoc::ImageCounter::CaptureDialog),
              QStringLiteral("IMG_0000.jpg"));
    EXPECT_EQ(f.doc.NextImageFileName(CAlboraDoc::ImageCounter::Video),
              QStringLiteral("IMG_0000.avi"));
}

TEST(AlboraDoc, AddFileAsCardInsertsByNameAndAnnounces) {
    DocFixture f;
    HintLog view;
    f.doc.AddView(&view);
    EXPECT_EQ(f.doc.AddFileAsCard("/p/b.jpg"), 0);
    EXPECT_EQ(f.doc.AddFileAsCard("/p/a.jpg"), 0);
    EXPECT_EQ(f.doc.Db().GetAt(1)->m_strGraphic, QStringLiteral("/p/b.jpg"));
    EXPECT_EQ(f.doc.Db().GetAt(1)->m_strDescription, QStringLiteral("No description"));
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_EQ(view.hints, (std::vector<int>{0, 0}));
}

TEST(AlboraDoc, AlbumInformationWritesBackOnlyOnOk) {
    DocFixture f;
    f.AddCards(2);
    AlbumInfoFields seen;
    f.doc.editAlbumInfo = [&](AlbumInfoFields& fields) {
        seen = fields;
        fields.name = QStringLiteral("Trip");
        return false;
    };
    f.doc.Execute(Cmd::AlbumInformation);
    EXPECT_EQ(seen.total, 2);
    EXPECT_TRUE(f.doc.Db().List().m_strName.isEmpty());
    EXPECT_FALSE(f.doc.IsModified());
    f.doc.editAlbumInfo = [](AlbumInfoFields& fields) {
        fields.name = QStringLiteral("Trip");
        return true;
    };
    f.doc.Execute(Cmd::AlbumInformation);
    EXPECT_EQ(f.doc.Db().List().m_strName, QStringLiteral("Trip"));
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(AlboraDoc, NewAndOpenTellEveryViewToRebuild) {
    ScopedTestDir dir;
    DocFixture f;
    f.settings.flgCreaDir = 0;
    HintLog log;
    f.doc.AddView(&log);
    ASSERT_TRUE(f.doc.FileNew());
    EXPECT_EQ(log.hints, std::vector<int>{Hint::Rebuild});
    f.AddCards(2);
    f.doc.SetPathName(dir.Path("a.crp"));
    ASSERT_TRUE(f.doc.FileSave());
    log.hints.clear();
    ASSERT_TRUE(f.doc.FileOpen(dir.Path("a.crp")));
    ASSERT_FALSE(log.hints.empty());
    EXPECT_EQ(log.hints.back(), Hint::Rebuild);
    EXPECT_EQ(f.doc.Db().GetCount(), 2);
}

TEST(AlboraDoc, AnAlbumThatCannotBeReadLeavesTheOpenAlbumAsItWas) {
    ScopedTestDir dir;
    DocFixture f;
    f.AddCards(3);
    f.doc.SetPathName(dir.Path("good.crp"));
    f.doc.SetModifiedFlag();
    f.doc.m_nCurrent = 2;
    dir.Write("damaged.crp", Hex("FF FF 00 00 0C 00 43 46 6F 74 6F 4F 62 6A"));
    HintLog log;
    f.doc.AddView(&log);
    f.ui.QueueAnswer(MsgAnswer::No);  // leave the changes unsaved for now
    EXPECT_FALSE(f.doc.FileOpen(dir.Path("damaged.crp")));
    EXPECT_EQ(f.ui.Messages().back().text, QStringLiteral("Fatal Error:\nIn file!"));
    EXPECT_EQ(f.doc.Db().GetCount(), 3);
    EXPECT_EQ(f.doc.m_nCurrent, 2);
    EXPECT_EQ(f.doc.GetPathName(), dir.Path("good.crp"));
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_TRUE(log.hints.empty());

    f.ui.QueueAnswer(MsgAnswer::No);
    EXPECT_FALSE(f.doc.FileOpen(dir.Path("missing.crp")));
    EXPECT_EQ(f.doc.Db().GetCount(), 3);
}
