#include "WebSiteFixture.h"

#include "image/ImageTestSupport.h"
#include "web/SiteManifest.h"

#include "image/ImageInfo.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <ctime>

namespace {

// Each file of the site with its inode and modification time: every write replaces a file by a
// new one (whose inode may be one freed a moment ago).
using FileStamp = std::tuple<ino_t, time_t, long>;
std::map<QString, FileStamp> Inodes(const QString& folder) {
    std::map<QString, FileStamp> inodes;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden) +
                                   QDir(folder + "/thumbs").entryList(QDir::Files).replaceInStrings(QRegularExpression("^"), "thumbs/")) {
        struct stat st {};
        if (stat(QFile::encodeName(folder + '/' + name).constData(), &st) == 0) inodes[name] = {st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    }
    return inodes;
}

QSize SizeOf(const QString& path) {
    const auto info = ReadImageInfo(path);
    return info ? QSize(info->width, info->height) : QSize();
}

std::set<QString> Rewritten(const std::map<QString, FileStamp>& before, const std::map<QString, FileStamp>& after) {
    std::set<QString> names;
    for (const auto& [name, inode] : after)
        if (name != SiteManifest::kFileName && (!before.count(name) || before.at(name) != inode)) names.insert(name);
    return names;
}

struct IncrementalSite : WebSiteFixture {
    IncrementalSite() {
        for (const char* name : {"a.jpg", "b.png", "c.jpg"}) AddCard(QString::fromLatin1(name));
        Template(QStringLiteral("page{CNT0001}.htm"), "{IMAGESELARCH} {IMAGESELWIDTH}");
        Template(QStringLiteral("index.htm"), "{BEGINITERATESELECTED}{IMAGESELARCH} {ENDITERATESELECTED}");
        dir.Write(QStringLiteral("HTMLWIZ/STYLES/Classic/style.css"), "body {}");
        EXPECT_EQ(Generate(), WebSiteResult::Complete);
    }
};

}  // namespace

TEST(WebIncremental, ARunWithNothingChangedRewritesNothing) {
    IncrementalSite f;
    const auto before = Inodes(f.out);
    EXPECT_EQ(before.size(), 12u);  // 3 pictures, 3 thumbnails, 4 pages, the style sheet, the manifest
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(Rewritten(before, Inodes(f.out)), std::set<QString>());
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Successful WEB Site Creation on:\n") + f.out);

    // --full rewrites every file.
    ASSERT_EQ(f.Generate(true), WebSiteResult::Complete);
    EXPECT_EQ(Rewritten(before, Inodes(f.out)).size(), 11u);
}

TEST(WebIncremental, OnlyWhatAChangeReachesIsMadeAgain) {
    IncrementalSite f;
    auto before = Inodes(f.out);
    ASSERT_TRUE(MakeColour(10, 20).Save(f.dir.Path("b.png")));  // another picture, another size
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(Rewritten(before, Inodes(f.out)),
              (std::set<QString>{"b.jpg", "thumbs/b.jpg", "page0002.htm"}));

    // A page the user edited, or removed, is made again, and so is a thumbnail but not its picture.
    before = Inodes(f.out);
    f.dir.Write(QStringLiteral("site/page0001.htm"), "edited by hand");
    QFile::remove(f.Picture("thumbs/c.jpg"));
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(Rewritten(before, Inodes(f.out)), (std::set<QString>{"page0001.htm", "thumbs/c.jpg"}));
    EXPECT_EQ(f.Page("page0001.htm"), QStringLiteral("a.jpg 8\r\n"));
    // Another thumbnail box remakes the thumbnails alone; another picture box the pictures and
    // the pages that give their sizes.
    before = Inodes(f.out);
    f.web.thumbnailBox = QSize(4, 3);
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(Rewritten(before, Inodes(f.out)), (std::set<QString>{"thumbs/a.jpg", "thumbs/b.jpg", "thumbs/c.jpg"}));
    EXPECT_EQ(SizeOf(f.Picture("thumbs/a.jpg")), QSize(4, 3));
    before = Inodes(f.out);
    f.web.pictureBox = QSize(6, 6);
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(Rewritten(before, Inodes(f.out)),
              (std::set<QString>{"a.jpg", "b.jpg", "c.jpg", "page0001.htm", "page0002.htm", "page0003.htm"}));
    EXPECT_EQ(f.Page("page0001.htm"), QStringLiteral("a.jpg 6\r\n"));
}

// A page that differs only in when it was made, on another day or in another time zone, keeps
// the date it was made on; one whose content changed is made again with the date of this run.
TEST(WebIncremental, TheTimeOfTheRunAloneRewritesNoPage) {
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "UTC");
    tzset();
    IncrementalSite f;
    f.Template(QStringLiteral("page{CNT0001}.htm"), "{IMAGESELDESCRIP} made on {CURDATETIME} {CURDATE} {CURTIME}");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    const QString made = f.Page("page0001.htm");
    const auto before = Inodes(f.out);
    qputenv("TZ", "Pacific/Kiritimati");  // 14 hours away: every date and time it shows differs
    tzset();
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(Rewritten(before, Inodes(f.out)), std::set<QString>());
    EXPECT_EQ(f.Page("page0001.htm"), made);

    f.doc.Db().GetAt(0)->m_strDescription = QStringLiteral("new");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(Rewritten(before, Inodes(f.out)), std::set<QString>{"page0001.htm"});
    EXPECT_NE(f.Page("page0001.htm"), QStringLiteral("new") + made);
    EXPECT_TRUE(f.Page("page0001.htm").startsWith(QStringLiteral("new made on ")));
    zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
    tzset();
}

TEST(WebIncremental, WhatNoLongerBelongsIsRemovedButNothingOfTheUsers) {
    IncrementalSite f;
    f.dir.Write(QStringLiteral("site/notes.txt"), "mine");
    f.dir.Write(QStringLiteral("site/thumbs/mine.jpg"), "mine");
    f.doc.Db().List().RemoveAt(1);
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_FALSE(f.Written("b.jpg"));
    EXPECT_FALSE(f.Written("thumbs/b.jpg"));
    EXPECT_FALSE(f.Written("page0003.htm"));
    EXPECT_EQ(f.Page("page0002.htm"), QStringLiteral("c.jpg 8\r\n"));
    EXPECT_TRUE(f.Written("notes.txt"));
    EXPECT_TRUE(f.Written("thumbs/mine.jpg"));
}

TEST(WebIncremental, ADamagedManifestMeansEverythingIsMadeAndNothingRemoved) {
    const QByteArray damaged[] = {"", "{", "[1,2]", R"({"outputs":{"../../x":{"key":"k"},"/etc/y":{"key":"k"}}})",
                                  R"({"outputs":{"a.jpg":{"key":7},"b.jpg":[],"thumbs/../a":{"key":"k"}}})"};
    for (const QByteArray& json : damaged) {
        IncrementalSite f;
        const auto before = Inodes(f.out);
        f.dir.Write(QStringLiteral("site/") + SiteManifest::kFileName, json);
        ASSERT_EQ(f.Generate(), WebSiteResult::Complete) << json.constData();
        EXPECT_EQ(Rewritten(before, Inodes(f.out)).size(), 11u) << json.constData();
    }
    EXPECT_FALSE(IsSiteOutputName(QStringLiteral("thumbs/x/y.jpg")));
    EXPECT_TRUE(IsSiteOutputName(QStringLiteral("thumbs/y.jpg")));
}
