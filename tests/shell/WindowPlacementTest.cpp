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
