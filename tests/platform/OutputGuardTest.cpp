#include "TestFiles.h"
#include "platform/OutputGuard.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(OutputGuard, AProtectedFileIsKnownUnderEverySpellingLinkAndHardLink) {
    ScopedTestDir dir;
    dir.Write("photo.jpg", "photo");
    QDir().mkpath(dir.Path("sub"));
    ASSERT_TRUE(QFile::link(dir.Path("photo.jpg"), dir.Path("sub/link.jpg")));
    ASSERT_EQ(::link(QFile::encodeName(dir.Path("photo.jpg")).constData(), QFile::encodeName(dir.Path("hard.jpg")).constData()), 0);
    OutputGuard guard;
    guard.Protect(dir.Path("photo.jpg"), QStringLiteral("the file of card \"A\""));
    // A card's file that is missing now keeps its name: nothing may take its place meanwhile.
    guard.Protect(dir.Path("missing.jpg"), QStringLiteral("the file of card \"B\""));
    for (const QString& path : {dir.Path("photo.jpg"), dir.Path("sub/../photo.jpg"), dir.Path("sub/link.jpg"),
                                dir.Path("hard.jpg"), QStringLiteral("photo.jpg")})
        EXPECT_EQ(guard.Protected(path), QStringLiteral("the file of card \"A\"")) << path.toStdString();
    EXPECT_EQ(guard.WriteRefusal(dir.Path("hard.jpg")),
              QStringLiteral("Error:\n%1 is the file of card \"A\": it is left as it is.").arg(dir.Path("hard.jpg")));
    EXPECT_EQ(guard.Protected(dir.Path("sub/../missing.jpg")), QStringLiteral("the file of card \"B\""));
    EXPECT_FALSE(guard.Protected(dir.Path("Missing.jpg")));
    EXPECT_TRUE(guard.WriteRefusal(dir.Path("new.jpg")).isEmpty());
    // Copies are other files.
    ASSERT_TRUE(QFile::copy(dir.Path("photo.jpg"), dir.Path("copy.jpg")));
    EXPECT_FALSE(guard.Protected(dir.Path("copy.jpg")));
}

TEST(OutputGuard, OnlyARegularFileReachedWithoutLinksAndUnprotectedMayBeRemoved) {
    ScopedTestDir dir, elsewhere;
    QDir().mkpath(dir.Path("site/thumbs"));
    dir.Write("site/page.htm", "page");
    dir.Write("site/thumbs/t.jpg", "thumb");
    dir.Write("site/card.jpg", "card");
    elsewhere.Write("mine.jpg", "mine");
    ASSERT_TRUE(QFile::link(elsewhere.Path(), dir.Path("site/linked")));
    ASSERT_TRUE(QFile::link(elsewhere.Path("mine.jpg"), dir.Path("site/file-link.jpg")));
    OutputGuard guard;
    guard.Protect(dir.Path("site/card.jpg"), QStringLiteral("the file of card \"C\""));
    const QString site = dir.Path("site");
    EXPECT_TRUE(guard.RemoveRefusal(site, QStringLiteral("page.htm")).isEmpty());
    EXPECT_TRUE(guard.RemoveRefusal(site, QStringLiteral("thumbs/t.jpg")).isEmpty());
    for (const char* name : {"linked/mine.jpg", "file-link.jpg", "../site/page.htm", "thumbs", "gone.htm", "card.jpg"})
        EXPECT_FALSE(guard.RemoveRefusal(site, QString::fromLatin1(name)).isEmpty()) << name;
    EXPECT_TRUE(EscapesFolder(site, QStringLiteral("linked/mine.jpg")));
    EXPECT_TRUE(EscapesFolder(site, QStringLiteral("linked")));
    EXPECT_FALSE(EscapesFolder(site, QStringLiteral("thumbs/new.jpg")));
}
