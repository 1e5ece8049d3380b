#include "shell/RecentFileList.h"
#include "shell/WindowPlacement.h"
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, ReadsOnlyTenNumbers) {
    const auto p = WindowPlacement::Parse(WindowPlacement::kDefault);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->NormalRect(), QRect(0, 0, 640, 480));
    EXPECT_EQ(p->Format(), WindowPlacement::kDefault);
    EXPECT_FALSE(WindowPlacement::Parse("0,1,-1,-1,-1,-1,0,0,640"));
    EXPECT_FALSE(WindowPlacement::Parse(""));
    EXPECT_FALSE(WindowPlacement::Parse("0,1,-1,-1,-1,-1,0,0,640,x"));
}

TEST(WindowPlacement, MaximisedWindowsKeepTheirNormalRectangle) {
    const WindowPlacement p = WindowPlacement::Of(QRect(10, 20, 300, 200), true);
    EXPECT_EQ(p.Format(), QStringLiteral("2,3,-1,-1,-1,-1,10,20,310,220"));
    EXPECT_EQ(WindowPlacement::Parse(p.Format())->NormalRect(), QRect(10, 20, 300, 200));
}

TEST(WindowPlacement, PlacementsOutOfReachComeBackOntoThePrimaryScreen) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    // On either screen, or hanging off one with the title bar still reachable: kept.
    for (const QRect& r : {QRect(100, 100, 800, 600), QRect(2000, 50, 800, 600), QRect(-300, 900, 800, 600)})
        EXPECT_EQ(WindowPlacement::KeptReachable(r, screens), r);
    // Saved on a monitor that is gone, or with the title bar above every screen: centred on the primary.
    EXPECT_EQ(WindowPlacement::KeptReachable(QRect(3500, 100, 800, 600), screens), QRect(560, 240, 800, 600));
    EXPECT_EQ(WindowPlacement::KeptReachable(QRect(100, -500, 800, 600), screens), QRect(560, 240, 800, 600));
    // Larger than the primary screen: shrunk to it.
    EXPECT_EQ(WindowPlacement::KeptReachable(QRect(5000, 0, 4000, 3000), screens), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(WindowPlacement::KeptReachable(QRect(5000, 0, 40, 30), {}), QRect(5000, 0, 40, 30));
}

// The first window takes four fifths of the free area each way, centred in it.
TEST(WindowPlacement, TheFirstPlacementMovesOutFromUnderPanels) {
    // Free areas left by a panel at the top, at the left, and a second screen right of the first.
    EXPECT_EQ(WindowPlacement::FirstOn(QRect(0, 27, 1280, 997)), QRect(128, 127, 1024, 797));
    EXPECT_EQ(WindowPlacement::FirstOn(QRect(48, 0, 1232, 1024)), QRect(171, 102, 985, 819));
    EXPECT_EQ(WindowPlacement::FirstOn(QRect(1920, 0, 1920, 1080)), QRect(2112, 108, 1536, 864));
}

TEST(RecentFileList, KeepsFourNewestFirstWithoutDuplicates) {
    RecentFileList list;
    for (const char* path : {"/a.crp", "/b.crp", "/c.crp", "/d.crp", "/e.crp", "/c.crp"}) list.Add(path);
    EXPECT_EQ(list.Files(), (QStringList{"/c.crp", "/e.crp", "/d.crp", "/b.crp"}));
    MemorySettingsStore store;
    list.Save(store);
    EXPECT_EQ(store.ReadText("Recent File List", "File1"), QStringLiteral("/c.crp"));
    RecentFileList again;
    again.Load(store);
    EXPECT_EQ(again.Files(), list.Files());
}
