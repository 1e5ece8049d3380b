#include "album/CFotoDB.h"

#include <QStringList>

#include <gtest/gtest.h>
#include <random>

namespace {

std::shared_ptr<CFotoObj> Card(const QString& name, const QString& description = {},
                               std::uint32_t time = 0x386D4380) {
    auto card = std::make_shared<CFotoObj>();
    card->m_strName = name;
    card->m_strGraphic = name + ".jpg";
    card->m_strDescription = description;
    card->m_time = time;
    return card;
}

QStringList Names(const CFotoObjList& list) {
    QStringList names;
    for (int i = 0; i < list.GetCount(); ++i) names << list.GetAt(i)->m_strName;
    return names;
}

bool Search(CFotoDB& db, const QString& text, const QString& field) {
    return db.Search(&text, field);
}

}  // namespace

TEST(FotoDB, SortedInsertionFoldsOnlyAsciiAndKeepsEqualNamesInArrivalOrder) {
    CFotoDB db;
    EXPECT_EQ(db.InsertSorted(Card("b")), 0);
    EXPECT_EQ(db.InsertSorted(Card("A")), 0);
    EXPECT_EQ(db.InsertSorted(Card("a")), 1);
    EXPECT_EQ(Names(db.List()), (QStringList{"A", "a", "b"}));
    // Letters beyond ASCII are not folded: "\u00C9" (0xC9) sorts after every ASCII letter.
    EXPECT_EQ(db.InsertSorted(Card("\u00C9")), 3);
    // '_' (0x5F) lies between 'A' and 'a'; folded letters put it before all of them.
    EXPECT_EQ(db.InsertSorted(Card("_")), 0);
}

TEST(FotoDB, InsertAfterAndAddHeadPlaceCardsByPosition) {
    CFotoDB db;
    db.AddHead(Card("x"));
    EXPECT_EQ(db.InsertAfter(Card("y"), 0), 1);
    EXPECT_EQ(db.InsertAfter(Card("z"), 10), 2);  // past the end appends
    db.AddHead(Card("w"));
    EXPECT_EQ(Names(db.List()), (QStringList{"w", "x", "y", "z"}));
    db.RemoveAt(1);
    EXPECT_EQ(Names(db.List()), (QStringList{"w", "y", "z"}));
}

TEST(FotoDB, SearchFieldsFollowTheirOwnRules) {
    CFotoDB db;
    db.InsertSorted(Card("Doghouse", "A Dog sleeps"));
    db.InsertSorted(Card("Cat", "the dog barks"));
    EXPECT_TRUE(Search(db, "dog", CFotoDB::kFieldName));
    EXPECT_EQ(Names(*db.Found()), QStringList{"Doghouse"});
    EXPECT_TRUE(Search(db, "dog", CFotoDB::kFieldDescription));
    EXPECT_EQ(Names(*db.Found()), QStringList{"Cat"});  // case-sensitive
    EXPECT_TRUE(Search(db, "CAT.J", CFotoDB::kFieldGraphic));
    EXPECT_EQ(db.GetCount(), 1);
    EXPECT_TRUE(Search(db, "", CFotoDB::kFieldDescription));  // empty text matches all
    EXPECT_EQ(db.GetCount(), 2);
}

TEST(FotoDB, DateSearchMatchesTheCardDateText) {
    setenv("TZ", "UTC", 1);
    tzset();
    CFotoDB db;
    db.InsertSorted(Card("new year", {}, 0x386D4380));  // 01/01/2000 00:00:00
    db.InsertSorted(Card("later", {}, 0x386D4380 + 86400 * 40));
    EXPECT_TRUE(Search(db, "01/01/2000", CFotoDB::kFieldDate));
    EXPECT_EQ(Names(*db.Found()), QStringList{"new year"});
    unsetenv("TZ");
    tzset();
}

TEST(FotoDB, ASearchThatFindsNothingLeavesTheFullAlbumWorking) {
    CFotoDB db;
    db.InsertSorted(Card("one"));
    db.InsertSorted(Card("two"));
    ASSERT_TRUE(Search(db, "tw", CFotoDB::kFieldName));
    EXPECT_FALSE(Search(db, "zzz", CFotoDB::kFieldName));
    EXPECT_EQ(db.Found(), nullptr);
    EXPECT_EQ(db.GetCount(), 2);
    ASSERT_TRUE(Search(db, "tw", CFotoDB::kFieldName));
    EXPECT_FALSE(db.Search(nullptr, CFotoDB::kFieldName));  // "View all cards"
    EXPECT_EQ(db.GetCount(), 2);
}

TEST(FotoDB, ReadsGoThroughTheSearchChangesGoToTheAlbum) {
    CFotoDB db;
    db.InsertSorted(Card("apple"));
    db.InsertSorted(Card("banana"));
    ASSERT_TRUE(Search(db, "ban", CFotoDB::kFieldName));
    EXPECT_EQ(db.GetAt(0)->m_strName, QStringLiteral("banana"));
    CFotoObj values(*db.GetAt(0));
    values.m_strName = QStringLiteral("plantain");
    db.Modify(db.GetAt(0), values);
    EXPECT_EQ(db.List().GetAt(1)->m_strName, QStringLiteral("plantain"));  // not re-sorted
    // Removing a found card from the album takes it out of the search too.
    db.RemoveAt(1);
    EXPECT_EQ(db.Found(), nullptr);
    EXPECT_EQ(db.GetCount(), 1);
}

TEST(FotoDB, CopiesTakeTheFourFieldsButNotTheReservedTexts) {
    CFotoObj card;
    card.m_strName = QStringLiteral("n");
    card.m_strReserved[2] = QStringLiteral("kept in the file only");
    const CFotoObj copy(card);
    EXPECT_EQ(copy.m_strName, QStringLiteral("n"));
    EXPECT_TRUE(copy.m_strReserved[2].isEmpty());
}

TEST(FotoDB, CompanionNamesCutAtTheFirstDotOfTheFileName) {
    EXPECT_EQ(SoundFileName("IMG_0003.jpg"), QStringLiteral("IMG_0003.wav"));
    EXPECT_EQ(DrawFileName("IMG_0003.jpg"), QStringLiteral("IMG_0003.adw"));
    EXPECT_EQ(SoundFileName("C:\\My.Pics\\A.jpg"), QStringLiteral("C:\\My.Pics\\A.wav"));
    EXPECT_EQ(SoundFileName("../pics/a.b.jpg"), QStringLiteral("../pics/a.wav"));
    EXPECT_EQ(SoundFileName("/home/u/2024.05 Trip/IMG_1.jpg"), QStringLiteral("/home/u/2024.05 Trip/IMG_1.wav"));
    EXPECT_EQ(SoundFileName("photos.old/.hidden.jpg"), QStringLiteral("photos.old/.hidden.wav"));
    EXPECT_EQ(DrawFileName("noext"), QStringLiteral("noext.adw"));
    // Earlier versions cut the whole path; such notes are still looked for.
    EXPECT_EQ(LegacyCompanionFileName("/home/u/2024.05 Trip/IMG_1.jpg", ".wav"), QStringLiteral("/home/u/2024.wav"));
}

TEST(FotoDB, InsertingABatchGivesTheAlbumOfInsertingOneByOne) {
    std::mt19937 random(7);
    const QStringList names{"b", "A", "a", "c", "B", "d", "ab", "Ab", "", "z"};
    for (int round = 0; round < 50; ++round) {
        CFotoDB one, batch;
        // A hand-ordered album, so the merge cannot count on it being sorted.
        for (int i = 0; i < int(random() % 6); ++i) {
            auto card = std::make_shared<CFotoObj>();
            card->m_strName = names[random() % names.size()];
            card->m_strDescription = QStringLiteral("old %1").arg(i);
            one.List().AddTail(card);
            batch.List().AddTail(std::make_shared<CFotoObj>(*card));
        }
        std::vector<std::shared_ptr<CFotoObj>> cards;
        for (int i = 0; i < int(random() % 12); ++i) {
            auto card = std::make_shared<CFotoObj>();
            card->m_strName = names[random() % names.size()];
            card->m_strDescription = QStringLiteral("new %1").arg(i);
            one.InsertSorted(std::make_shared<CFotoObj>(*card));
            cards.push_back(card);
        }
        batch.InsertAllSorted(std::move(cards));
        ASSERT_EQ(one.GetCount(), batch.GetCount());
        for (int i = 0; i < one.GetCount(); ++i)
            ASSERT_EQ(one.GetAt(i)->m_strDescription, batch.GetAt(i)->m_strDescription) << "round " << round;
    }
}
