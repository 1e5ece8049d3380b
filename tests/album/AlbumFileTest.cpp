#include "TestFiles.h"
#include "album/AlbumFile.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/HeadlessUi.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

constexpr std::uint32_t kStamp = 0x386D4380;

QByteArray EmptyAlbumStream() {
    return Hex("FFFF 0000 0C00") + "CFotoObjList" + Hex("0000 00 00 80436D38 00 06") + "KORVAT" +
           Hex("00 0000");
}

std::shared_ptr<CFotoObj> Card(const QString& name, const QString& graphic = "IMG_0000.jpg") {
    auto card = std::make_shared<CFotoObj>();
    card->m_strName = name;
    card->m_strDescription = QStringLiteral("No description");
    card->m_strGraphic = graphic;
    card->m_time = kStamp;
    return card;
}

struct DocFixture {
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};
};

}  // namespace

TEST(AlbumFile, EmptyAlbumAndOneCardComeOutByteForByte) {
    CFotoDB db;
    db.List().m_timeCreated = kStamp;
    EXPECT_EQ(db.Serialize(false), EmptyAlbumStream());

    db.InsertSorted(Card("A"));
    const QByteArray card = Hex("FFFF 0000 0800") + "CFotoObj" + Hex("0141 0E") + "No description" +
                            Hex("0C") + "IMG_0000.jpg" + Hex("80436D38 0000000000");
    QByteArray expected = EmptyAlbumStream();
    expected.replace(18, 2, Hex("0100") + card);
    EXPECT_EQ(db.Serialize(false), expected);
}

TEST(AlbumFile, LaterCardsAreClassReferences) {
    CFotoDB db;
    for (const char* name : {"A", "B", "C"}) db.InsertSorted(Card(name));
    const QByteArray body = db.Serialize(false);
    EXPECT_EQ(body.count("CFotoObj\x01"), 1);
    EXPECT_EQ(body.count(Hex("0380 0142")), 1);  // card B
    EXPECT_EQ(body.count(Hex("0380 0143")), 1);  // card C
}

TEST(AlbumFile, SavedAlbumIsACompoundFileThatReadsBack) {
    ScopedTestDir dir;
    DocFixture f;
    CFotoObjList& album = f.doc.Db().List();
    album.m_strName = QStringLiteral("Holidays \u2603");  // a snowman needs the wide form
    album.m_strAuthor = QStringLiteral("Ana");
    album.m_strDirectory = QStringLiteral("/photos");
    f.doc.Db().InsertSorted(Card(QString(255, 'n')));
    f.doc.SetPathName(dir.Path("a.crp"));
    ASSERT_TRUE(f.doc.FileSave());
    EXPECT_TRUE(ReadAll(dir.Path("a.crp")).startsWith(Hex("D0CF11E0A1B11AE1")));

    DocFixture g;
    ASSERT_TRUE(g.doc.FileOpen(dir.Path("a.crp")));
    EXPECT_EQ(g.doc.Db().List().m_strName, album.m_strName);
    EXPECT_EQ(g.doc.Db().List().m_strAuthor, QStringLiteral("Ana"));
    EXPECT_EQ(g.doc.Db().List().m_strDirectory, QStringLiteral("/photos"));
    ASSERT_EQ(g.doc.Db().GetCount(), 1);
    EXPECT_EQ(g.doc.Db().GetAt(0)->m_strName.size(), 255);
    EXPECT_EQ(g.doc.m_nCurrent, 0);
    EXPECT_TRUE(g.ui.Messages().empty());
}

TEST(AlbumFile, AFileThatIsNoCompoundFileIsReadWholeAsTheStream) {
    ScopedTestDir dir;
    dir.Write("raw.crp", EmptyAlbumStream());
    DocFixture f;
    ASSERT_TRUE(f.doc.FileOpen(dir.Path("raw.crp")));
    EXPECT_EQ(f.doc.Db().List().m_timeCreated, kStamp);
    EXPECT_EQ(f.doc.m_nCurrent, -1);
}

TEST(AlbumFile, ABadFileGivesTheFatalErrorAndKeepsTheOpenAlbum) {
    ScopedTestDir dir;
    QByteArray schemaOne = EmptyAlbumStream();
    schemaOne[2] = 1;
    QByteArray truncated = EmptyAlbumStream();
    truncated.chop(3);
    QByteArray hugeCount = EmptyAlbumStream();
    hugeCount.replace(18, 2, Hex("FFFF FFFFFF7F"));
    const QByteArray notACard = Hex("FFFF 0000 0C00") + "CFotoObjList" + Hex("0100 0200");
    const QByteArray zeros(4096, '\0');

    int i = 0;
    for (const QByteArray& bytes : {schemaOne, truncated, hugeCount, notACard, zeros}) {
        const QString name = QStringLiteral("bad%1.crp").arg(i++);
        // Wrapped in a real compound file too, to go through the same path as a saved album.
        dir.Write(name, *AlbumFile::MakeCompoundFile(bytes));
        DocFixture f;
        f.doc.Db().InsertSorted(Card("left over"));
        EXPECT_FALSE(f.doc.FileOpen(dir.Path(name))) << name.toStdString();
        EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Fatal Error:\nIn file!"));
        EXPECT_EQ(f.ui.Messages().back().icon, MsgIcon::Exclamation);
        EXPECT_EQ(f.doc.Db().GetCount(), 1);  // the open album stays
        EXPECT_TRUE(f.doc.GetPathName().isEmpty());
        EXPECT_EQ(f.doc.m_nCurrent, -1);
    }
}

// A name from outside may point at a pipe, which would be waited on for ever, or at a device
// that never ends: neither is read, and the message says why.
TEST(AlbumFile, WhatIsNoRegularFileIsRefusedWithoutBeingRead) {
    ScopedTestDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.Path("pipe.crp")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.Path("zero.crp")));
    QDir().mkdir(dir.Path("folder.crp"));
    for (const char* name : {"pipe.crp", "zero.crp", "folder.crp"}) {
        DocFixture f;
        f.doc.Db().InsertSorted(Card("left over"));
        EXPECT_FALSE(f.doc.FileOpen(dir.Path(name))) << name;
        EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Failed to open document.\n%1\n(not a regular file)").arg(dir.Path(name)));
        EXPECT_EQ(f.doc.Db().GetCount(), 1);
    }
    QString reason;
    EXPECT_FALSE(AlbumFile::ReadContents(dir.Path("missing.crp"), &reason));
    EXPECT_EQ(reason, QStringLiteral("cannot open the file: No such file or directory"));
}

TEST(AlbumFile, ASaveThatCannotCompleteLeavesTheOldAlbumAsItWas) {
    ScopedTestDir dir;
    DocFixture f;
    f.doc.Db().InsertSorted(Card("kept"));
    f.doc.SetPathName(dir.Path("a.crp"));
    ASSERT_TRUE(f.doc.FileSave());
    const QByteArray before = ReadAll(dir.Path("a.crp"));

    // A folder in the way of the album's name: the write fails and the folder and the
    // neighbouring album stay untouched, with no temporary file left behind.
    QDir().mkdir(dir.Path("b.crp"));
    f.doc.SetPathName(dir.Path("b.crp"));
    EXPECT_FALSE(f.doc.FileSave());
    EXPECT_TRUE(f.ui.LastMessage().startsWith(QStringLiteral("Failed to save document.")));
    EXPECT_EQ(ReadAll(dir.Path("a.crp")), before);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{"a.crp"});
}

TEST(AlbumFile, SavingASearchWritesOnlyTheFoundCardsWhenAskedTo) {
    ScopedTestDir dir;
    DocFixture f;
    f.doc.Db().List().m_strName = QStringLiteral("Full");
    f.doc.Db().List().m_strAuthor = QStringLiteral("Ana");
    for (const char* name : {"Dog", "Cat", "Doghouse"}) f.doc.Db().InsertSorted(Card(name));
    const QString text = QStringLiteral("dog");
    ASSERT_TRUE(f.doc.Db().Search(&text, CFotoDB::kFieldName));
    f.doc.SetPathName(dir.Path("s.crp"));

    f.ui.QueueAnswer(MsgAnswer::Yes);
    ASSERT_TRUE(f.doc.FileSave());
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Save the actual search ?"));
    EXPECT_EQ(f.ui.Messages().back().icon, MsgIcon::Question);
    EXPECT_EQ(f.doc.Db().List().GetCount(), 3);  // the album in memory is unchanged

    DocFixture g;
    ASSERT_TRUE(g.doc.FileOpen(dir.Path("s.crp")));
    EXPECT_EQ(g.doc.Db().GetCount(), 2);
    EXPECT_TRUE(g.doc.Db().List().m_strName.isEmpty());
    EXPECT_TRUE(g.doc.Db().List().m_strAuthor.isEmpty());
    EXPECT_TRUE(g.doc.Db().List().m_strDirectory.isEmpty());

    f.ui.QueueAnswer(MsgAnswer::No);
    ASSERT_TRUE(f.doc.FileSave());
    ASSERT_TRUE(g.doc.FileOpen(dir.Path("s.crp")));
    EXPECT_EQ(g.doc.Db().GetCount(), 3);
}

TEST(AlbumFile, ACardStoredTwiceByReferenceBecomesTwoCards) {
    const QByteArray body = Hex("FFFF 0000 0C00") + "CFotoObjList" + Hex("0200") +
                            Hex("FFFF 0000 0800") + "CFotoObj" + Hex("0141 00 00 00000000") +
                            Hex("0000000000") + Hex("0400") + Hex("00 00 00000000 00 00 00 00 00");
    CFotoDB db;
    ASSERT_TRUE(db.Deserialize(body));
    ASSERT_EQ(db.GetCount(), 2);
    EXPECT_NE(db.GetAt(0), db.GetAt(1));
    EXPECT_EQ(db.GetAt(1)->m_strName, QStringLiteral("A"));
}

// What a save killed before its rename left beside the album goes with the next save; files of
// other names stay.
TEST(AlbumFile, TheNextSaveRemovesWhatAKilledSaveLeft) {
    ScopedTestDir dir;
    dir.Write("trip.crp.albora-Zq81Kd", "a whole album never renamed");
    dir.Write("trip.crp.QwErTy", "someone else's");
    dir.Write("trip.crp.albora-old", "someone else's too");
    ASSERT_TRUE(AlbumFile::WriteContents(dir.Path("trip.crp"), QByteArray("body")));
    QStringList left = QDir(dir.Path()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{"trip.crp", "trip.crp.QwErTy", "trip.crp.albora-old"}));
}
