#include "TestFiles.h"
#include "album/TipOfTheDay.h"
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

TEST(TipOfTheDay, SkipsCommentsAndEmptyLinesAndWrapsAround) {
    ScopedTestDir dir;
    dir.Write("albora.tip", "; tips\n\nFirst|second line\n;x\nOnly other\n");
    MemorySettingsStore store;
    {
        TipOfTheDay tips(store, dir.Path("albora.tip"));
        EXPECT_EQ(tips.NextTip(), QStringLiteral("First\nsecond line"));
    }
    // The next start goes on where the last one stopped, then wraps.
    TipOfTheDay tips(store, dir.Path("albora.tip"));
    EXPECT_EQ(tips.NextTip(), QStringLiteral("Only other"));
    EXPECT_EQ(tips.NextTip(), QStringLiteral("First\nsecond line"));
}

TEST(TipOfTheDay, OneTipShowsEveryTimeAndNoTipsDoesNotHang) {
    ScopedTestDir dir;
    dir.Write("one.tip", ";c\nThe tip\n");
    dir.Write("none.tip", ";c\n\n");
    MemorySettingsStore store;
    TipOfTheDay one(store, dir.Path("one.tip"));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(one.NextTip(), QStringLiteral("The tip"));
    TipOfTheDay none(store, dir.Path("none.tip"));
    EXPECT_EQ(none.NextTip(), QStringLiteral("The tips file holds no tips"));
    TipOfTheDay missing(store, dir.Path("missing.tip"));
    EXPECT_EQ(missing.NextTip(),
              QStringLiteral("Tips file does not exist in the prescribed directory"));
}

TEST(TipOfTheDay, StartUpFlagIsStoredInverted) {
    MemorySettingsStore store;
    EXPECT_TRUE(TipOfTheDay::ShowAtStartUp(store));
    TipOfTheDay tips(store, "/nonexistent");
    tips.SetShowAtStartUp(false);
    EXPECT_EQ(store.ReadInt("Tip", "StartUp"), 1);
    EXPECT_FALSE(TipOfTheDay::ShowAtStartUp(store));
}
