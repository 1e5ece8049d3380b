#include "TestFiles.h"
#include "album/NameCounter.h"

#include <gtest/gtest.h>

TEST(Naming, PatternsTakeOnlyIntegerConversions) {
    EXPECT_EQ(FormatNumberPattern("IMG_%04d.bmp", 7), QStringLiteral("IMG_0007.bmp"));
    EXPECT_EQ(FormatNumberPattern("%x-%%-%5.3i", 255), QStringLiteral("ff-%-  255"));
    // Conversions that would read a missing argument stay as they are.
    EXPECT_EQ(FormatNumberPattern("%s%n%f%", 1), QStringLiteral("%s%n%f%"));
    EXPECT_EQ(FormatNumberPattern("%99999999999d", 1), QStringLiteral("%99999999999d"));
}

TEST(Naming, CounterSkipsExistingNamesAndGivesUpAfterARound) {
    ScopedTestDir dir;
    dir.Write("IMG_0000.bmp", "x");
    NameCounter counter;
    EXPECT_EQ(counter.Next("IMG_%04d.bmp", QDir::current()), QStringLiteral("IMG_0001.bmp"));
    EXPECT_EQ(counter.Next("IMG_%04d.bmp", QDir::current()), QStringLiteral("IMG_0002.bmp"));
    // A pattern without a number names one file only: once it exists the search ends.
    dir.Write("fixed.bmp", "x");
    EXPECT_FALSE(counter.Next("fixed.bmp", QDir::current()));
}
