#include "platform/FileFilter.h"

#include <gtest/gtest.h>

TEST(FileFilter, WindowsFiltersBecomeQtFiltersWithStarDotStarForEveryFile) {
    EXPECT_EQ(QtFileFilter(QStringLiteral("Text *.TXT|*.txt|Documents *.DOC|*.doc|All *.*|*.*||")),
              QStringLiteral("Text *.TXT (*.txt);;Documents *.DOC (*.doc);;All *.* (*)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Pictures|*.png;*.jpg||")), QStringLiteral("Pictures (*.png *.jpg)"));
}
